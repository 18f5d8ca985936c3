#!/usr/bin/env bash
# The fuzz targets as a regression suite: every input kept in
# fuzz/regressions/<target>/, then a short fixed run with a fixed seed that
# first runs every input of the kept corpus fuzz/corpus/<target>/. Exits
# non-zero on any crash or failed check.
set -euo pipefail
source "$(dirname "$0")/../../fuzz/fuzz_common.sh"

# Runs per target: the library fuzzer is some 20 times slower per input.
declare -A RUNS=([kavu32_table_image_fuzzer]=20000 [kavu32_library_fuzzer]=2000 [kavu32_table_source_fuzzer]=20000)

build_fuzzers
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
for name in "${FUZZERS[@]}"; do
  echo "== $name"
  logged "$work/$name-regressions.log" run_regressions "$name"
  logged "$work/$name.log" run_fuzzer "$name" "$work/$name" -runs="${RUNS[$name]}" -seed=1 -print_final_stats=1
  grep -E '^stat::number_of_executed_units' "$work/$name.log"
done
