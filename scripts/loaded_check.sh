#!/usr/bin/env bash
# Runs scripts/test.sh several times in a row (five unless told) while stress-ng keeps every core
# busy: the suite must pass on a loaded machine. Too long for CI; run it after touching the tests that
# wait on windows, files or time. Each run's log is kept in build-loaded/.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
runs="${1:-5}"
"$here/scripts/install-deps.sh"
logs="$here/build-loaded"
mkdir -p "$logs"
stress-ng --cpu "$(nproc)" --quiet &
stress=$!
trap 'kill "$stress" 2>/dev/null || true; wait "$stress" 2>/dev/null || true' EXIT
for run in $(seq 1 "$runs"); do
    start=$SECONDS
    if "$here/scripts/test.sh" >"$logs/run-$run.log" 2>&1; then
        echo "run $run: passed in $((SECONDS - start)) s"
    else
        echo "run $run: FAILED after $((SECONDS - start)) s (log: $logs/run-$run.log)"
        exit 1
    fi
done
echo "$runs runs passed under load"
