#!/usr/bin/env bash
# A long fuzz run of the readers and the page drawing: ROUNDS mutated files (default 20000).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/build.sh"
SHINOFU_FUZZ_ROUNDS="${1:-20000}" "$here/build/tests/numeric/numeric_tests" --gtest_filter='DrawingFuzz.*'
