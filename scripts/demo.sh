#!/usr/bin/env bash
# Builds the library, its data set and host, and prints the birthday report:
#   ./scripts/demo.sh 1992-06-19 "Ann Lee"
# or writes it as a page with its pictures, to open in a browser and print:
#   ./scripts/demo.sh --html 1992-06-19 "Ann Lee" > report.html
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"

html=()
if [ "${1:-}" = "--html" ]; then
  html=(--html)
  shift
fi
if [ $# -ne 2 ]; then
  echo "usage: $0 [--html] YYYY-MM-DD NAME" >&2
  exit 2
fi
need_build_tools
# The page's pictures are drawn by libwmf, their captions in these fonts.
[ ${#html[@]} -eq 0 ] || need_packages libwmf-dev pkg-config fonts-urw-base35
# Only what the report needs: the host, the library and the data set.
cmake -S "$ROOT" -B "$BUILD" >/dev/null
cmake --build "$BUILD" -j"$JOBS" --target kavu kavu32_data >/dev/null
exec "$BUILD/tools/kavu/kavu" report "${html[@]}" "$1" "$2"
