#!/usr/bin/env bash
# Configures and builds one build directory: build.sh DIR [cmake options...]
set -euo pipefail
dir=${1:-build}
shift || true
cd "$(dirname "$0")/.."
launcher=()
# A compiler cache, where there is one, makes rebuilds of unchanged files free.
# Paths are hashed relative to the checkout, so a clone in another folder
# (CI's, a second work tree) reuses what this one compiled.
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
fi
cmake -S . -B "$dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
# BUILD_TARGETS, when set, limits the build to those targets.
targets=()
for t in ${BUILD_TARGETS:-}; do targets+=(--target "$t"); done
cmake --build "$dir" -j "$(nproc)" "${targets[@]}"
