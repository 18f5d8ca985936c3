#!/usr/bin/env bash
# Fuzzes each target for SECONDS (default 60), one after the other. The
# corpus grows in $BUILD-fuzz/work/<target>/corpus across runs; a crashing
# input lands in $BUILD-fuzz/work/<target>/artifacts/ and ends the run
# with a non-zero status. Keep it, once fixed, in fuzz/regressions/<target>/.
set -euo pipefail
source "$(dirname "$0")/../fuzz/fuzz_common.sh"

seconds="${1:-60}"
build_fuzzers
for name in "${FUZZERS[@]}"; do
  echo "== $name: $seconds s"
  work="$FUZZ_BUILD/work/$name"
  mkdir -p "$work"
  logged "$work/last-run.log" run_fuzzer "$name" "$work" -max_total_time="$seconds" -print_final_stats=1
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb)' "$work/last-run.log"
done
