#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each for a
# bounded time from its seed corpus; fails on any crash, leak, sanitizer
# report or memory blow-up. fuzz.sh [seconds-per-target override]
set -euo pipefail
cd "$(dirname "$0")/.."

# target, seed corpus under tests/corpus, seconds
targets=(
  "tarvik_fuzz_receive receive 20"
  "tarvik_fuzz_log_data log_data 13"
  "tarvik_fuzz_text_data text_data 13"
  "tarvik_fuzz_color_config color_config 13"
)

export TZ=UTC
# Only the fuzz targets are built here, not the test suites.
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTARVIK_UI=OFF -DTARVIK_BENCH=OFF -DTARVIK_TESTS=ON -DTARVIK_FUZZ=ON \
  -DTARVIK_SANITIZE=address,undefined -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link >/dev/null
for t in "${targets[@]}"; do
  read -r name corpus secs <<<"$t"
  cmake --build build-fuzz --target "$name" -j 2 >/dev/null
done

for t in "${targets[@]}"; do
  read -r name corpus secs <<<"$t"
  secs=${1:-$secs}
  work=build-fuzz/corpus/$corpus
  mkdir -p "$work"
  echo "fuzz: $name for ${secs}s"
  # New inputs go to the work corpus; the seeds in the tree stay as they are.
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:quarantine_size_mb=64 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    "build-fuzz/tests/fuzz/$name" -max_total_time="$secs" -rss_limit_mb=512 -max_len=4096 \
    -timeout=10 -print_final_stats=0 -artifact_prefix=build-fuzz/ "$work" "tests/corpus/$corpus" \
    2>build-fuzz/$name.log || {
    tail -40 build-fuzz/$name.log
    echo "fuzz: $name failed (log: build-fuzz/$name.log)"
    exit 1
  }
  # Executions and peak memory of the run.
  grep -E '^#[0-9]+.*(DONE|pulse)' build-fuzz/$name.log | tail -1 || true
done
echo "fuzz: all targets ran clean"
