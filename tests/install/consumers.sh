# shellcheck shell=bash
# Sourced: builds the C host tests/install/consumer/count_categories.c
# against an installed Kavu32 twice, through the CMake package and through
# pkg-config, runs each on a data folder and checks what it prints for the
# bundled data set.
#   check_consumers PREFIX LIBDIR DATA_FOLDER WORK_DIR
# The hosts find the library through LD_LIBRARY_PATH=LIBDIR, so PREFIX may
# be an unpacked tree that the system's loader does not know.
check_consumers() {
  local prefix="$1" libdir="$2" data="$3" work="$4"
  local consumer
  consumer="$(cd "$(dirname "${BASH_SOURCE[0]}")/consumer" && pwd)"

  cmake -S "$consumer" -B "$work/cmake-build" -DCMAKE_PREFIX_PATH="$prefix" >/dev/null
  local found
  found="$(sed -n 's/^Kavu32_DIR:PATH=//p' "$work/cmake-build/CMakeCache.txt")"
  [[ "$found" == "$prefix"/* ]] || { echo "CMake found Kavu32 in $found, not in $prefix"; return 1; }
  cmake --build "$work/cmake-build" >/dev/null
  check_consumer_output CMake "$(LD_LIBRARY_PATH="$libdir" "$work/cmake-build/count_categories" "$data")"

  local flags
  flags="$(PKG_CONFIG_PATH="$libdir/pkgconfig" pkg-config --cflags --libs kavu32)"
  # shellcheck disable=SC2086 # the flags are words
  cc -std=c11 -Wall -Wextra -Werror -o "$work/count_categories" "$consumer/count_categories.c" $flags
  check_consumer_output pkg-config "$(LD_LIBRARY_PATH="$libdir" "$work/count_categories" "$data")"
}

check_consumer_output() {
  local how="$1" output="$2"
  local expected="categories: 19, valid dates: 1, first heading: 42 bytes"
  if [ "$output" != "$expected" ]; then
    echo "$how consumer printed '$output', expected '$expected'"
    return 1
  fi
  echo "$how consumer: $output"
}
