#!/usr/bin/env bash
# Installs the build into a fresh prefix, builds a C host against it twice,
# through the CMake package and through pkg-config (each must print the
# category count of the installed data set), and runs the installed kavu.
#   install_consumers.sh BUILD_DIR WORK_DIR
set -euo pipefail
build="$1"
work="$2"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/consumers.sh"
command -v pkg-config >/dev/null || {
  echo "FAIL: pkg-config not found: install the Debian package pkg-config (scripts/test.sh does)" >&2
  exit 1
}

rm -rf "$work"
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

# The shared library with both SONAME links, the header, the tools, the
# manual pages.
libdir="$(dirname "$(find "$prefix" -name libkavu32.so -print -quit)")"
man="$prefix/share/man"
for file in "$libdir/libkavu32.so" "$libdir/libkavu32.so.1" "$prefix/include/kavu32.h" \
            "$prefix/bin/dtf" "$prefix/bin/kavu" \
            "$man/man1/dtf.1" "$man/man1/kavu.1" "$man/man3/kavu32.3" "$man/man5/dtf.5"; do
  [ -e "$file" ] || { echo "not installed: $file"; exit 1; }
done
[ -L "$libdir/libkavu32.so" ] && [ -L "$libdir/libkavu32.so.1" ] || {
  echo "libkavu32.so and libkavu32.so.1 must be links"; exit 1; }

check_consumers "$prefix" "$libdir" "$prefix/share/kavu32/tables" "$work"

# The installed host finds its library and the installed data set by itself.
"$prefix/bin/kavu" report 1992-06-19 "Ann Lee" >"$work/report"
grep -qxF "Zodiac Graphic: Zodiac4.wmf" "$work/report" || {
  echo "the installed kavu printed no complete report"; exit 1; }
echo "installed kavu: report printed"
