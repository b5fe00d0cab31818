#!/usr/bin/env bash
# Configures and builds one build directory: build.sh DIR [cmake options...]
set -euo pipefail
dir=${1:-build}
shift || true
cd "$(dirname "$0")/.."
cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)"
