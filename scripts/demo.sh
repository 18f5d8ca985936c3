#!/usr/bin/env bash
# Builds the library, its data set and host, and prints the birthday report:
#   ./scripts/demo.sh 1992-06-19 "Ann Lee"
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"

if [ $# -ne 2 ]; then
  echo "usage: $0 YYYY-MM-DD NAME" >&2
  exit 2
fi
need_build_tools
# Only what the report needs: the host, the library and the data set.
cmake -S "$ROOT" -B "$BUILD" >/dev/null
cmake --build "$BUILD" -j"$JOBS" --target kavu kavu32_data >/dev/null
exec "$BUILD/tools/kavu/kavu" report "$1" "$2"

