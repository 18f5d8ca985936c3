#!/usr/bin/env bash
# Installs the build into a fresh prefix, builds a C host against it twice,
# through the CMake package and through pkg-config (each must print the
# category count of the installed data set), and runs the installed kavu.
#   install_consumers.sh BUILD_DIR WORK_DIR
set -euo pipefail
build="$1"
work="$2"
here="$(cd "$(dirname "$0")" && pwd)"
command -v pkg-config >/dev/null || {
  echo "FAIL: pkg-config not found: install the Debian package pkg-config (scripts/test.sh does)" >&2
  exit 1
}

rm -rf "$work"
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >/dev/null

# The shared library with both SONAME links, the header, the tools.
libdir="$(dirname "$(find "$prefix" -name libkavu32.so -print -quit)")"
for file in "$libdir/libkavu32.so" "$libdir/libkavu32.so.1" "$prefix/include/kavu32.h" \
            "$prefix/bin/dtf" "$prefix/bin/kavu"; do
  [ -e "$file" ] || { echo "not installed: $file"; exit 1; }
done
[ -L "$libdir/libkavu32.so" ] && [ -L "$libdir/libkavu32.so.1" ] || {
  echo "libkavu32.so and libkavu32.so.1 must be links"; exit 1; }

data="$prefix/share/kavu32/tables"
expected="categories: 19, valid dates: 1, first heading: 42 bytes"

check_output() {
  local how="$1" output="$2"
  if [ "$output" != "$expected" ]; then
    echo "$how consumer printed '$output', expected '$expected'"
    exit 1
  fi
  echo "$how consumer: $output"
}

cmake -S "$here/consumer" -B "$work/cmake-build" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
cmake --build "$work/cmake-build" >/dev/null
check_output CMake "$("$work/cmake-build/count_categories" "$data")"

export PKG_CONFIG_PATH="$libdir/pkgconfig"
cc -std=c11 -Wall -Wextra -Werror -o "$work/count_categories" "$here/consumer/count_categories.c" \
   $(pkg-config --cflags --libs kavu32)
check_output pkg-config "$(LD_LIBRARY_PATH="$(pkg-config --variable=libdir kavu32)" \
                            "$work/count_categories" "$data")"

# The installed host finds its library and the installed data set by itself.
"$prefix/bin/kavu" report 1992-06-19 "Ann Lee" >"$work/report"
grep -qxF "Zodiac Graphic: Zodiac4.wmf" "$work/report" || {
  echo "the installed kavu printed no complete report"; exit 1; }
echo "installed kavu: report printed"
