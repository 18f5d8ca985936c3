#!/usr/bin/env bash
# Checks the Windows release archive that scripts/package-windows.sh wrote:
#   - it holds exactly the expected files, the header is include/kavu32.h,
#     and its texts have Windows line ends;
#   - Kavu32.dll exports exactly the names of kavu32.def, undecorated;
#   - archive_host.c builds against the archive's header and import
#     library, and imports exactly those names from Kavu32.dll;
#   - with --run, the host runs under wine32 against the DLL on a data set
#     and prints what the library answers. --skip REASON says why it is not
#     run (a machine that cannot run 32-bit Windows programs).
#   windows_archive.sh ZIP DATA_SET WORK_DIR --run | --skip REASON
# DATA_SET holds tables/ and graphics/, as /usr/share/kavu32 does.
set -euo pipefail
zip="$(realpath "$1")"
data_set="$(realpath "$2")"
work="$(realpath -m "$3")"
mode="$4"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../../scripts/lib/common.sh"
source "$here/../../scripts/lib/windows.sh"

fail() {
  echo "windows archive: $*" >&2
  exit 1
}

for tool in unzip "$MINGW32-gcc" "$MINGW32-objdump"; do
  command -v "$tool" >/dev/null || fail "$tool is missing: scripts/suites/packages.sh installs it"
done

name="$(basename "$zip" .zip)"
dir="$work/$name"
rm -rf "$work"
mkdir -p "$work"
unzip -q "$zip" -d "$work"

files="$(cd "$work" && find . -type f | sed "s|^\./$name/||" | LC_ALL=C sort | xargs)"
expected="Kavu32.dll README.txt dtf-format.txt dtf.txt kavu32.def kavu32.h kavu32.txt libkavu32.dll.a"
[ "$files" = "$expected" ] || fail "the archive holds: $files"$'\n'"expected: $expected"
for text in "$dir"/*.txt "$dir/kavu32.h" "$dir/kavu32.def"; do
  ! grep -qv $'\r$' "$text" || fail "$(basename "$text") has lines without Windows line ends"
done
tr -d '\r' <"$dir/kavu32.h" | cmp -s - "$ROOT/include/kavu32.h" ||
  fail "the archive's kavu32.h is not include/kavu32.h"

# The names of the .def, whose @N the DLL's exports drop.
def_names="$(tr -d '\r' <"$dir/kavu32.def" |
  awk '/^EXPORTS/ { listing = 1; next } listing && NF { sub(/@[0-9]+$/, "", $1); print $1 }' | sort)"
[ "$(wc -l <<<"$def_names")" -eq 7 ] || fail "kavu32.def names: $def_names"
exports="$(dll_exports "$dir/Kavu32.dll" "$MINGW32-objdump")"
[ "$exports" = "$def_names" ] || fail "Kavu32.dll exports:"$'\n'"$exports"$'\n'"kavu32.def:"$'\n'"$def_names"

# The host imports by the names the DLL exports: the import library turns
# the stdcall references (_GetData@8) into them.
"$MINGW32-gcc" -std=c11 -Wall -Wextra -Werror -I"$dir" -o "$work/archive_host.exe" \
  "$here/archive_host.c" -L"$dir" -lkavu32
imports="$("$MINGW32-objdump" -p "$work/archive_host.exe" |
  awk '/DLL Name:/ { from_kavu = ($3 == "Kavu32.dll"); next } from_kavu && NF == 0 { from_kavu = 0 }
       from_kavu && NF == 3 { print $3 }' | sort)"
[ "$imports" = "$def_names" ] || fail "the host imports from Kavu32.dll:"$'\n'"$imports"
echo "windows archive: $name.zip holds the DLL, header, .def, import library and texts;" \
  "a host links it by the seven names"

if [ "$mode" != --run ]; then
  echo "windows archive: the host was not run under Wine: ${5:-no reason given}"
  exit 0
fi
run="$work/run"
mkdir -p "$run"
cp "$dir/Kavu32.dll" "$work/archive_host.exe" "$data_set"/graphics/* "$run/"
wine_environment "$work"
output="$(cd "$run" && timeout 300 "$(wine_for 32)" archive_host.exe "$(winepath -w "$data_set/tables")")" ||
  fail "the host failed under wine32: $output"
wineserver -k 2>/dev/null || true
expected_output="categories: 19
9: A LOOK AT THE WORLD WHEN ANN LEE WAS BORN
17: Zodiac4.wmf
999: error -7: Invalid data parameter passed"
[ "$(tr -d '\r' <<<"$output")" = "$expected_output" ] ||
  fail "the host printed:"$'\n'"$output"$'\n'"expected:"$'\n'"$expected_output"
echo "windows archive: the host ran under wine32 against Kavu32.dll on the packaged data"
