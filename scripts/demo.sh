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
configure_and_build "$BUILD" >/dev/null
if [ -x "$BUILD/tools/kavu/kavu" ]; then
  exec "$BUILD/tools/kavu/kavu" report "$1" "$2"
fi
echo "the kavu host is not built yet; the library is at $BUILD/src/libkavu32.so" >&2
exit 1
