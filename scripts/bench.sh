#!/usr/bin/env bash
# Builds and runs every benchmark, then prints one table of figure, target
# and result (bench/targets.tsv lists the targets).
#   bench.sh [--instructions] [--benchmark_filter=REGEX]
# --instructions also counts each chosen benchmark's instructions per
# iteration of its timed loop under callgrind: on a shared, busy machine
# times swing several-fold, instruction counts do not.
set -euo pipefail
cd "$(dirname "$0")/.."
instructions=0
filter=()
for a in "$@"; do
  case "$a" in
    --instructions) instructions=1 ;;
    --benchmark_filter=*) filter=("$a") ;;
    *) echo "usage: $0 [--instructions] [--benchmark_filter=REGEX]" >&2; exit 2 ;;
  esac
done
scripts/setup.sh
scripts/build.sh build-bench -DCMAKE_BUILD_TYPE=Release -DTARVIK_TESTS=OFF
out=build-bench/results
mkdir -p "$out"
rm -f "$out"/*.json
# Run as users do: their own zone setting (often TZ unset) and locale.
export QT_QPA_PLATFORM=offscreen
for b in tarvik_bench tarvik_ui_bench tarvik_logger_bench; do
  [ -x "build-bench/bench/$b" ] || continue
  "build-bench/bench/$b" "${filter[@]}" --benchmark_out="$out/$b.json" --benchmark_out_format=json >/dev/null
done
if [ "$instructions" = 1 ]; then
  # One process per benchmark, one iteration where the benchmark does not
  # fix its count; only the timed loop is counted, paused stretches left out.
  cg=$out/callgrind
  rm -rf "$cg"
  mkdir -p "$cg"
  runs=()
  for b in tarvik_bench tarvik_ui_bench tarvik_logger_bench; do
    [ -x "build-bench/bench/$b" ] || continue
    i=0
    while read -r name; do
      [ -n "$name" ] || continue
      run=$cg/$b.$((i++))
      echo "callgrind: $name" >&2
      valgrind --tool=callgrind --combine-dumps=yes --callgrind-out-file="$run.cg" \
        --dump-before='benchmark::State::StartKeepRunning*' --dump-before='benchmark::State::PauseTiming*' \
        --zero-before='benchmark::State::ResumeTiming*' --dump-before='benchmark::State::FinishKeepRunning*' \
        "build-bench/bench/$b" --benchmark_filter="^$(printf '%s' "$name" | sed 's/[][\\.^$*+?(){}|]/\\&/g')\$" \
        --benchmark_min_time=0.000001 --benchmark_out="$run.json" --benchmark_out_format=json \
        >/dev/null 2>"$run.log" || { echo "  failed, see $run.log" >&2; continue; }
      runs+=("$run")
    done < <("build-bench/bench/$b" "${filter[@]}" --benchmark_list_tests)
  done
  python3 scripts/bench_instructions.py "$out/instructions.json" "${runs[@]}"
fi
python3 scripts/bench_table.py ${filter:+--only-run} bench/targets.tsv "$out"/*.json
