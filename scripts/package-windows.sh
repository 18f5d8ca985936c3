#!/usr/bin/env bash
# Writes the Windows release archive kavu32-VERSION-win32.zip:
#   package-windows.sh [OUT_DIR]        (default: build-win32-release)
# Cross-builds Kavu32.dll in OUT_DIR/build (Release, 32-bit, stripped),
# takes the MinGW import library that build made from kavu32.def, renders
# the manual pages of the calls and of dtf as text, and zips them with
# kavu32.h, kavu32.def and README.txt into
# OUT_DIR/kavu32-VERSION-win32.zip, whose path it prints last. Texts get
# Windows line ends. Needs the mingw-w64 i686
# toolchain, groff and zip (scripts/suites/packages.sh installs them).
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"
source "$(dirname "$0")/lib/windows.sh"

out="$(realpath -m "${1:-$BUILD-win32-release}")"
build_windows "$out/build" 32 -DCMAKE_BUILD_TYPE=Release >/dev/null
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/build/CMakeCache.txt")"
name="kavu32-$version-win32"
stage="$out/$name"

rm -rf "$stage" "$out/$name.zip"
mkdir -p "$stage"
cp "$out/build/bin/Kavu32.dll" "$ROOT/include/kavu32.h" "$ROOT/src/platform/kavu32.def" "$stage/"
# Without the debugging sections of the static runtimes: a third smaller.
"$MINGW32-strip" --strip-unneeded "$stage/Kavu32.dll"
cp "$out/build/src/libKavu32.dll.a" "$stage/libkavu32.dll.a"

# render PAGE TEXT: a manual page as plain ASCII (no bold, no underline).
render() {
  local warnings
  warnings="$(groff -man -Tascii -P-cbou -ww "$1" 2>&1 >"$2")"
  [ -z "$warnings" ] || { echo "package-windows: groff warns about $1: $warnings" >&2; exit 1; }
}
render "$ROOT/docs/man/kavu32.3" "$stage/kavu32.txt"
render "$ROOT/docs/man/dtf.5" "$stage/dtf-format.txt"
render "$ROOT/docs/man/dtf.1" "$stage/dtf.txt"
sed "s/@VERSION@/$version/g" "$ROOT/docs/windows-README.txt" >"$stage/README.txt"

# Binaries as they are, then the texts with CR LF line ends (zip -l).
(cd "$out" &&
  zip -q -X "$name.zip" "$name/Kavu32.dll" "$name/libkavu32.dll.a" &&
  zip -q -X -l "$name.zip" "$name/kavu32.h" "$name/kavu32.def" "$name"/*.txt)
echo "$out/$name.zip"
