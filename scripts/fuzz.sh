#!/usr/bin/env bash
# A long fuzz run of the readers and the page drawing: ROUNDS mutated scores (default 20000), then
# MIDI_ROUNDS mutated MIDI files (default 1000000).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/build.sh"
SHINOFU_FUZZ_ROUNDS="${1:-20000}" "$here/build/tests/numeric/numeric_tests" --gtest_filter='DrawingFuzz.*'
# The MIDI import: mutated MIDI files (its test runs 100 000 by default).
SHINOFU_FUZZ_ROUNDS="${2:-1000000}" "$here/build/tests/midi/midi_tests" --gtest_filter='SmfImport.MutatedFilesNeverCrash'
