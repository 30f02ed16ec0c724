#!/usr/bin/env bash
# Installs what is missing, then configures and builds Shinofu in build/: the targets named, or all.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/install-deps.sh"
# ccache (in the package list) keeps a fresh clone or a cleaned tree from compiling everything again;
# paths inside the tree are hashed relative to it, so another clone finds the same objects.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
export CCACHE_BASEDIR="$here" CCACHE_NOHASHDIR=1
echo "Configuring in $here/build"
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
echo "Building ${*:-everything} (ninja shows each step as [done/total])"
cmake --build "$here/build" -j "$(nproc)" "${targets[@]}"
