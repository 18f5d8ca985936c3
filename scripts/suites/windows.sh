#!/usr/bin/env bash
# Kavu32.dll: cross-builds it with mingw-w64, checks its export and import
# tables, and runs the Windows test host against it under Wine. Where this
# machine cannot run the 32-bit DLL (no 32-bit support in the kernel, or no
# installable wine32), the host runs against a 64-bit build of the same
# sources under wine64 instead, so the Win32 platform layer is tested on
# every machine. Exits non-zero on any failure.
set -euo pipefail
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/windows.sh"

WIN_BUILD="$BUILD-win32"
DTF="$BUILD/tools/dtf/dtf"
EXPORTS=(GetCategories GetData GetErrorCode GetErrorString SetDateAndName ShutDown StartUp)
SYSTEM_DLLS=(KERNEL32.dll USER32.dll msvcrt.dll)

fail() {
  echo "windows: $*" >&2
  exit 1
}

# Exactly the seven undecorated names, and no import beside system DLLs
# (the C and C++ runtimes are linked in).
check_dll() {
  local dll="$1" objdump="$2" table names imports
  table="$($objdump -p "$dll")"
  names="$(dll_exports "$dll" "$objdump")"
  [ "$names" = "$(printf '%s\n' "${EXPORTS[@]}")" ] ||
    fail "Kavu32.dll exports:"$'\n'"$names"$'\n'"expected exactly: ${EXPORTS[*]}"
  imports="$(awk '/DLL Name:/ {print $3}' <<<"$table" | sort -f)"
  for name in $imports; do
    [[ " ${SYSTEM_DLLS[*]} " == *" $name "* ]] || fail "Kavu32.dll imports $name"
  done
  echo "$dll exports the seven names and imports only: $(echo $imports)"
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

# run_host BUILD BITS LOCALE [MODE]: runs the host in a scratch folder of
# its own (it makes and removes the graphic files there), without a
# display: messages go to standard error. MODE --faults runs the fault loop
# against Kavu32Faults.dll, the test build with the system-call table
# exported.
run_host() {
  local build="$1" bits="$2" locale="$3" mode="${4:-}" run="$1/host_run/$3${4:-}"
  rm -rf "$run" && mkdir -p "$run"
  cp "$build/bin/Kavu32.dll" "$build/bin/Kavu32Faults.dll" "$build/bin/kavu32_windows_host.exe" "$run/"
  echo "-- Windows host, $bits-bit, locale $locale $mode"
  (cd "$run" && LC_ALL="$locale" timeout 600 "$(wine_for "$bits")" kavu32_windows_host.exe \
    "$(winepath -w "$WIN_BUILD/fixture")" $mode)
}

need_cross_tools
choose_windows_run

# The product, the 32-bit DLL, is built and its tables checked everywhere.
build_windows "$WIN_BUILD" 32 -DKAVU32_BUILD_WINDOWS_HOST=ON
check_dll "$WIN_BUILD/bin/Kavu32.dll" "$MINGW32-objdump"
build_fixture "$WIN_BUILD/fixture"

run_build="$WIN_BUILD"
if [ "$WINDOWS_BITS" = 32 ]; then
  echo "== Windows run: the 32-bit Kavu32.dll under wine32"
else
  echo "== Windows run: a 64-bit build of the same sources under wine64 ($WINDOWS_FALLBACK)"
  run_build="$BUILD-win64"
  build_windows "$run_build" 64 -DKAVU32_BUILD_WINDOWS_HOST=ON
  check_dll "$run_build/bin/Kavu32.dll" "$MINGW64-objdump"
fi

wine_environment "$run_build"
status=0
for locale in en_US.UTF-8 de_DE.UTF-8 es_ES.UTF-8; do
  run_host "$run_build" "$WINDOWS_BITS" "$locale" || status=1
done
run_host "$run_build" "$WINDOWS_BITS" en_US.UTF-8 --faults || status=1
wineserver -k 2>/dev/null || true
exit $status
