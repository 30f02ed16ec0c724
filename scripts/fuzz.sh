#!/usr/bin/env bash
# The conversion fuzzer (libFuzzer): every reader and every writer below the windows.
#   scripts/fuzz.sh [RUNS] [JOBS]   the long campaign: RUNS inputs (default 1 000 000) shared by JOBS
#                                   processes (default 2) under UndefinedBehaviorSanitizer, then every
#                                   input that reached new code replayed under AddressSanitizer too
#   scripts/fuzz.sh --asan RUNS     RUNS inputs from a fixed seed under both, as the test suite runs it
# Each input is held to 2 GB of memory, 1 GB in one allocation and 20 s. The fuzzer starts from
# scores, MIDI files, MusicXML and .mxl the program writes. Prints the inputs run and the
# findings, which stay in build-fuzz/findings.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
asan_only=0
if [ "${1:-}" = "--asan" ]; then
  asan_only=1
  shift
fi
runs="${1:-1000000}"
jobs="${2:-2}"
[ "$asan_only" -eq 1 ] && jobs=1
"$here/scripts/build.sh" shinofu >/dev/null
# The coverage ignore list changes the objects without changing the command line.
export CCACHE_BASEDIR="$here" CCACHE_NOHASHDIR=1 CCACHE_EXTRAFILES="$here/tests/fuzz/coverage_ignorelist.txt"

# build DIR CMAKE-OPTIONS...: the fuzz target with clang in DIR.
build() {
  local dir="$1"
  shift
  CC=clang CXX=clang++ cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSHINOFU_FUZZ=ON \
    -DSHINOFU_CORE_ONLY=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "$@" >/dev/null
  cmake --build "$dir" -j "$(nproc)" --target conversion_fuzzer
}
asan="$here/build-fuzz"
build "$asan" -DSHINOFU_SANITIZE=ON
fuzzer="$asan/tests/fuzz/conversion_fuzzer"
if [ "$asan_only" -eq 0 ]; then
  build "$here/build-fuzz-ub" -DCMAKE_CXX_FLAGS="-fsanitize=undefined -fno-sanitize-recover=undefined" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=undefined"
  fuzzer="$here/build-fuzz-ub/tests/fuzz/conversion_fuzzer"
fi

# Seeds: each score also as the MIDI file and the MusicXML the program writes, one as .mxl too.
seeds="$asan/seeds"
rm -rf "$seeds" "$asan/findings" "$asan"/corpus-* "$asan"/*.log
mkdir -p "$seeds" "$asan/findings"
for score in "$here/data/demo/sakura.gd4" "$here"/tests/data/*.gd4; do
  name="$(basename "$score" .gd4)"
  cp "$score" "$seeds/$name.gd4"
  for ext in mid musicxml; do
    "$here/build/app/shinofu" convert "$score" "$seeds/$name.$ext" >/dev/null
  done
done
python3 - "$seeds" <<'PY'
import sys, zipfile
folder = sys.argv[1]
with zipfile.ZipFile(f"{folder}/sakura.mxl", "w", zipfile.ZIP_DEFLATED) as mxl:
    mxl.writestr("META-INF/container.xml", '<?xml version="1.0"?><container><rootfiles>'
                 '<rootfile full-path="score.musicxml"/></rootfiles></container>')
    mxl.write(f"{folder}/sakura.musicxml", "score.musicxml")
PY

export ASAN_OPTIONS=detect_leaks=1:malloc_context_size=0 UBSAN_OPTIONS=print_stacktrace=1
limits=(-rss_limit_mb=2048 -malloc_limit_mb=1024 -timeout=20 -artifact_prefix="$asan/findings/")
pids=()
for ((job = 1; job <= jobs; ++job)); do
  mkdir -p "$asan/corpus-$job"
  "$fuzzer" -runs=$((runs / jobs)) -seed="$job" "${limits[@]}" -print_final_stats=1 "$asan/corpus-$job" "$seeds" \
    >"$asan/job-$job.log" 2>&1 &
  pids+=($!)
done
failed=0
for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
total=$(grep -h 'stat::number_of_executed_units' "$asan"/job-*.log | awk '{sum += $2} END {print sum + 0}')
replayed=0
if [ "$asan_only" -eq 0 ] && [ "$failed" -eq 0 ]; then
  # What the fast run found new, under AddressSanitizer: one pass over the whole corpus.
  mapfile -t corpus < <(find "$seeds" "$asan"/corpus-* -type f)
  replayed=${#corpus[@]}
  printf '%s\n' "${corpus[@]}" | xargs -n 500 "$asan/tests/fuzz/conversion_fuzzer" "${limits[@]}" \
    >"$asan/replay.log" 2>&1 || failed=1
fi
findings=$(find "$asan/findings" -type f | wc -l)
echo "conversion fuzzer: $total inputs in $jobs job(s), $replayed corpus files replayed under AddressSanitizer, $findings finding(s)"
if [ "$failed" -ne 0 ] || [ "$findings" -ne 0 ]; then
  grep -h -B2 -A30 'ERROR\|runtime error' "$asan"/*.log | head -80
  ls "$asan/findings"
  exit 1
fi
