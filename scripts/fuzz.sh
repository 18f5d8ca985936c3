#!/usr/bin/env bash
# Usage: fuzz.sh [SECONDS [TARGET...]]
# Fuzzes each target (default: all) for SECONDS (default 60), one after the
# other, starting from the kept corpus in fuzz/corpus/<target>/. New inputs
# collect in $BUILD-fuzz/work/<target>/corpus; after the run the kept corpus
# becomes the smallest set of inputs with the coverage of both. A crashing
# input lands in $BUILD-fuzz/work/<target>/artifacts/ and ends the run with
# a non-zero status. Keep it, once fixed, in fuzz/regressions/<target>/.
set -euo pipefail
source "$(dirname "$0")/../fuzz/fuzz_common.sh"

seconds="${1:-60}"
shift || true
targets=("${FUZZERS[@]}")
(($# > 0)) && targets=("$@")
build_fuzzers
for name in "${targets[@]}"; do
  echo "== $name: $seconds s"
  work="$FUZZ_BUILD/work/$name"
  mkdir -p "$work"
  logged "$work/last-run.log" run_fuzzer "$name" "$work" -max_total_time="$seconds" -print_final_stats=1
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec|new_units_added|peak_rss_mb)' "$work/last-run.log"
  grep -E '^#[0-9]+[[:space:]]+DONE' "$work/last-run.log"
  logged "$work/keep.log" keep_corpus "$name" "$work"
  echo "kept: $(find "$(kept_corpus "$name")" -type f | wc -l) inputs, $(du -sh "$(kept_corpus "$name")" | cut -f1)"
done
