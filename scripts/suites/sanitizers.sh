#!/usr/bin/env bash
# The whole test suite built with AddressSanitizer and
# UndefinedBehaviorSanitizer in a build folder of its own, then valgrind
# memcheck over the reliability tests of the normal build, with a short run
# of the session cycles.
# Exits non-zero on any finding.
set -euo pipefail
source "$(dirname "$0")/../lib/common.sh"

SANITIZE_BUILD="$BUILD-asan"
# Sessions of the resource cycle test: fewer where every call is slower.
SANITIZED_CYCLES=2000
VALGRIND_CYCLES=50

need_build_tools
need_packages valgrind
configure_and_build "$SANITIZE_BUILD" -DKAVU32_SANITIZE=address,undefined -DKAVU32_BUILD_BENCH=OFF
export ASAN_OPTIONS="detect_leaks=1:check_initialization_order=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1"
# Not the install test: its hosts are built without the sanitizers, and a
# sanitized library cannot be loaded into them.
(cd "$SANITIZE_BUILD" &&
  KAVU32_RESOURCE_CYCLES=$SANITIZED_CYCLES ctest --output-on-failure -j"$JOBS" -E '^install_consumers$')

# The death test forks a reader that is meant to die.
echo "== valgrind memcheck: reliability tests, $VALGRIND_CYCLES sessions"
KAVU32_RESOURCE_CYCLES=$VALGRIND_CYCLES valgrind -q --error-exitcode=1 --leak-check=full \
  --errors-for-leak-kinds=definite,indirect --show-leak-kinds=definite,indirect \
  "$BUILD/tests/kavu32_reliability_tests" --gtest_filter='-*KillsItsReader' >/dev/null
