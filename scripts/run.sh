#!/usr/bin/env bash
# Builds the editor alone (no tests or benches) and starts it on the bundled demo score.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/build.sh" shinofu
exec "$here/build/app/shinofu" "$here/data/demo/sakura.gd4" "$@"
