#!/usr/bin/env bash
# Builds and runs every benchmark, then prints one table of figure, target
# and result (bench/targets.tsv lists the targets).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh build-bench -DCMAKE_BUILD_TYPE=Release -DTARVIK_TESTS=OFF
out=build-bench/results
mkdir -p "$out"
# Run as users do: their own zone setting (often TZ unset) and locale.
export QT_QPA_PLATFORM=offscreen
for b in tarvik_bench tarvik_ui_bench tarvik_logger_bench; do
  [ -x "build-bench/bench/$b" ] || continue
  "build-bench/bench/$b" --benchmark_out="$out/$b.json" --benchmark_out_format=json >/dev/null
done
python3 scripts/bench_table.py bench/targets.tsv "$out"/*.json
