#!/usr/bin/env bash
# Builds Shinofu and starts the editor on the bundled demo score.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/build.sh"
exec "$here/build/app/shinofu" "$here/data/demo/sakura.gd4" "$@"
