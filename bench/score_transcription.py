#!/usr/bin/env python3
"""Scores the transcription bench's notes with mir_eval: for each condition, note precision, recall
and F (onset within 50 ms, pitch within 50 cents) without and with offsets, and the recall of
slurred repeats of the same pitch. Reads CONDITION_NAME.ref.txt / .est.txt pairs from a folder:
"onset offset hertz slurred-repeat" per line."""
import collections
import glob
import os
import sys

import numpy as np
import mir_eval


def read(path):
    rows = np.loadtxt(path, ndmin=2)
    if rows.size == 0:
        return np.zeros((0, 2)), np.zeros(0), np.zeros(0, dtype=bool)
    return rows[:, 0:2], rows[:, 2], rows[:, 3] > 0


def main(folder):
    totals = collections.defaultdict(lambda: np.zeros(7))
    for ref_path in sorted(glob.glob(os.path.join(folder, "*.ref.txt"))):
        condition = os.path.basename(ref_path).split("_")[0]
        est_path = ref_path[: -len(".ref.txt")] + ".est.txt"
        ref_iv, ref_hz, slurred = read(ref_path)
        est_iv, est_hz, _ = read(est_path)
        # Zero-length notes would stop mir_eval; a heard note is never shorter than a hop.
        est_iv[:, 1] = np.maximum(est_iv[:, 1], est_iv[:, 0] + 1e-3)
        matched = mir_eval.transcription.match_notes(ref_iv, ref_hz, est_iv, est_hz, onset_tolerance=0.05,
                                                     pitch_tolerance=50.0, offset_ratio=None)
        with_offsets = mir_eval.transcription.match_notes(ref_iv, ref_hz, est_iv, est_hz, onset_tolerance=0.05,
                                                          pitch_tolerance=50.0, offset_ratio=0.2)
        found = {r for r, _ in matched}
        totals[condition] += [len(ref_hz), len(est_hz), len(matched), len(with_offsets), slurred.sum(),
                              sum(1 for r in found if slurred[r]), 1]
    print(f"{'condition':<16}{'notes':>7}{'P':>7}{'R':>7}{'F':>7}{'F+off':>8}{'slurred rep. R':>16}")
    for condition in sorted(totals, key=lambda c: (c.startswith("plain"), c)):
        ref, est, hit, hit_off, slurred, slurred_hit, _ = totals[condition]
        p, r = hit / max(est, 1), hit / max(ref, 1)
        f = 2 * p * r / max(p + r, 1e-9)
        po, ro = hit_off / max(est, 1), hit_off / max(ref, 1)
        fo = 2 * po * ro / max(po + ro, 1e-9)
        print(f"{condition:<16}{int(ref):>7}{p:>7.3f}{r:>7.3f}{f:>7.3f}{fo:>8.3f}{slurred_hit / max(slurred, 1):>11.3f} ({int(slurred)})")


if __name__ == "__main__":
    main(sys.argv[1])
