#!/usr/bin/env bash
# Sets up, builds and runs every test: the normal build, the sanitizer build
# and, when clang is there, a bounded fuzzing run.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
export TZ=UTC
scripts/build.sh build
(cd build && ctest --output-on-failure -j 2)

# AddressSanitizer + UndefinedBehaviorSanitizer over the core.
scripts/build.sh build-asan -DTARVIK_SANITIZE=address,undefined -DTARVIK_UI=OFF -DTARVIK_BENCH=OFF
(cd build-asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --output-on-failure -j 2)

if [ -x scripts/fuzz.sh ] && command -v clang++ >/dev/null; then
  scripts/fuzz.sh
fi
