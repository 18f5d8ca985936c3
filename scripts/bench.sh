#!/usr/bin/env bash
# Builds the benchmarks in Release (in their own build folder), runs them
# and prints the medians and the ratios the targets are set in.
#   KAVU32_BENCH_BUILD_DIR  the build folder (default: build-bench)
#   KAVU32_BENCH_REPETITIONS  runs of each benchmark the median is taken
#                           over (default: 5)
#   KAVU32_BENCH_OUT        keep the JSON results in this folder
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

need_build_tools
need_packages libbenchmark-dev libsqlite3-dev

dir="${KAVU32_BENCH_BUILD_DIR:-$ROOT/build-bench}"
repetitions="${KAVU32_BENCH_REPETITIONS:-5}"
use_output_folder "${KAVU32_BENCH_OUT:-}"
build_benchmarks "$dir" kavu32_key_search_bench kavu32_requests_bench kavu32_memory_bench

# run NAME [ARGS...]: one benchmark binary, its results in $out/NAME.json;
# what it prints is shown only when it fails.
run() {
  local name="$1"; shift
  echo "running $name" >&2
  if ! "$dir/bench/kavu32_${name}_bench" --benchmark_out="$out/$name.json" \
      --benchmark_out_format=json "$@" >"$out/$name.log" 2>&1; then
    cat "$out/$name.log" >&2
    return 1
  fi
}

timed=(--benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true
       --benchmark_min_time=0.1)
run key_search "${timed[@]}"
run requests "${timed[@]}"
run memory

python3 "$ROOT/bench/summarize.py" "$out/key_search.json" "$out/requests.json" "$out/memory.json"
