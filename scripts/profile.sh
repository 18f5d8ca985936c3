#!/usr/bin/env bash
# Counts the instructions of whole requests under callgrind: the full
# report, GetCategories and single data types, each repeated a fixed number
# of times in the benchmark build (scripts/bench.sh builds it), and prints
# the instructions per operation and each one's costliest functions.
#   KAVU32_BENCH_BUILD_DIR  the build folder (default: build-bench)
#   KAVU32_PROFILE_OUT      keep callgrind's files in this folder
#   arguments               what to count (default: report categories 1 5 8 14 17)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/common.sh"

need_build_tools
need_packages valgrind

dir="${KAVU32_BENCH_BUILD_DIR:-$ROOT/build-bench}"
use_output_folder "${KAVU32_PROFILE_OUT:-}"
build_benchmarks "$dir" kavu32_instruction_count_bench

[ $# -gt 0 ] || set -- report categories 1 5 8 14 17
for what in "$@"; do
  count=200
  [ "$what" = categories ] && count=50
  file="$out/$what.callgrind"
  valgrind --tool=callgrind --toggle-collect=Measured --callgrind-out-file="$file" \
    "$dir/bench/kavu32_instruction_count_bench" "$what" "$count" >/dev/null 2>&1
  total=$(callgrind_annotate "$file" | awk '/PROGRAM TOTALS/ { gsub(",", "", $1); print $1 }')
  echo "== $what: $((total / count)) instructions per operation; costliest functions (inclusive, per operation):"
  callgrind_annotate --inclusive=yes "$file" |
    awk -v n="$count" '/^ *[0-9,]+ \(/ && !/PROGRAM TOTALS|Measured|main|libc_start|below main|0x0/ {
      gsub(",", "", $1); name = $0; sub(/^[^)]*\) +/, "", name); sub(/ \[.*$/, "", name)
      sub(/^\?\?\?:/, "", name); if (++shown <= 12) printf "  %8d  %s\n", $1 / n, substr(name, 1, 110) }'
done
