#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test suite. Exits
# non-zero on any failure.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"

KAVU32_APT_STAMP="$(mktemp)"
export KAVU32_APT_STAMP
trap 'rm -f "$KAVU32_APT_STAMP"' EXIT

need_build_tools
configure_and_build "$BUILD"
(cd "$BUILD" && ctest --output-on-failure -j"$JOBS")
echo "== main build and tests: ${SECONDS}s"

# Further suites (sanitizers, Windows under Wine, fuzz regressions) each
# live in a script of their own.
for suite in "$ROOT"/scripts/suites/*.sh; do
  [ -e "$suite" ] || continue
  echo "== $(basename "$suite")"
  started=$SECONDS
  bash "$suite"
  echo "== $(basename "$suite"): $((SECONDS - started))s"
done
echo "== all suites passed in ${SECONDS}s"
