#!/usr/bin/env bash
# Kavu32.dll: cross-builds it with mingw-w64, checks its export table, and
# runs the Windows test host against it under Wine. Exits non-zero on any
# failure.
set -euo pipefail
source "$(dirname "$0")/../lib/common.sh"

WIN_BUILD="$BUILD-win32"
MINGW=i686-w64-mingw32
DTF="$BUILD/tools/dtf/dtf"
EXPORTS=(GetCategories GetData GetErrorCode GetErrorString SetDateAndName ShutDown StartUp)
SYSTEM_DLLS=(KERNEL32.dll USER32.dll msvcrt.dll)

fail() {
  echo "windows: $*" >&2
  exit 1
}

# The toolchain, and 32-bit Wine, which needs the i386 architecture.
need_windows_tools() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo dpkg --add-architecture i386
    unset KAVU32_APT_UPDATED
  fi
  need_packages g++-mingw-w64-i686 binutils-mingw-w64-i686 wine wine32:i386
}

build_dll() {
  configure_and_build "$WIN_BUILD" \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/toolchain-mingw-i686.cmake" \
    -DKAVU32_BUILD_TESTS=OFF -DKAVU32_BUILD_TOOLS=OFF -DKAVU32_BUILD_BENCH=OFF \
    -DKAVU32_BUILD_WINDOWS_HOST=ON
}

# Exactly the seven undecorated names, and no import beside system DLLs
# (the C and C++ runtimes are linked in).
check_dll() {
  local dll="$1" table names imports
  table="$($MINGW-objdump -p "$dll")"
  names="$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$table" | awk '/^\t\[/ {print $NF}' | sort)"
  [ "$names" = "$(printf '%s\n' "${EXPORTS[@]}")" ] ||
    fail "Kavu32.dll exports:"$'\n'"$names"$'\n'"expected exactly: ${EXPORTS[*]}"
  imports="$(awk '/DLL Name:/ {print $3}' <<<"$table" | sort -f)"
  for name in $imports; do
    [[ " ${SYSTEM_DLLS[*]} " == *" $name "* ]] || fail "Kavu32.dll imports $name"
  done
  echo "Kavu32.dll exports the seven names and imports only: $(echo $imports)"
}

# The fixture tables, built from TSV sources by the Linux dtf tool:
# tests/windows/fixture/TITLE.tsv becomes fixture/TITLE.dtf with that
# title, and each subfolder of sources a subfolder of tables.
build_tables() {
  local sources="$1" out="$2" source title
  mkdir -p "$out"
  for source in "$sources"/*.tsv; do
    title="$(basename "$source" .tsv)"
    "$DTF" build "$source" "$out/$title.dtf" --title "$title" >/dev/null
  done
}

build_fixture() {
  local out="$1"
  if [ ! -x "$DTF" ]; then
    need_build_tools
    cmake -S "$ROOT" -B "$BUILD" >/dev/null
    cmake --build "$BUILD" --target dtf -j"$JOBS"
  fi
  rm -rf "$out"
  build_tables "$ROOT/tests/windows/fixture" "$out"
  for folder in "$ROOT"/tests/windows/fixture/*/; do
    build_tables "$folder" "$out/$(basename "$folder")"
  done
}

# Runs the host in a scratch folder of its own (it makes and removes the
# graphic files there), without a display: messages go to standard error.
run_host() {
  local locale="$1" run="$WIN_BUILD/host_run/$1"
  rm -rf "$run" && mkdir -p "$run"
  cp "$WIN_BUILD/bin/Kavu32.dll" "$WIN_BUILD/bin/kavu32_windows_host.exe" "$run/"
  echo "-- Windows host, locale $locale"
  (cd "$run" && LC_ALL="$locale" timeout 600 wine kavu32_windows_host.exe \
    "$(winepath -w "$WIN_BUILD/fixture")")
}

need_windows_tools
build_dll
check_dll "$WIN_BUILD/bin/Kavu32.dll"
build_fixture "$WIN_BUILD/fixture"

export WINEPREFIX="$WIN_BUILD/wineprefix" WINEDEBUG=-all DISPLAY= KAVU32_MESSAGES=stderr
export WINEDLLOVERRIDES="mscoree,mshtml=" # no Mono or Gecko set-up dialogs
status=0
for locale in en_US.UTF-8 de_DE.UTF-8; do
  run_host "$locale" || status=1
done
wineserver -k 2>/dev/null || true
exit $status
