#!/usr/bin/env bash
# The packages people install. Builds the Debian packages with
# dpkg-buildpackage (library, tools and data set only: no tests, no
# benchmarks) and checks them unpacked into a temporary root, so nothing is
# installed on the machine; then writes the Windows release archive and
# checks it, running its host under wine32 where this machine can.
# Exits non-zero on any failure.
set -euo pipefail
source "$(dirname "$0")/../lib/common.sh"
source "$(dirname "$0")/../lib/windows.sh"

DEB_OUT="$BUILD-deb"
WIN_OUT="$BUILD-win32-release"
TESTS="$ROOT/tests/packages"

need_packages dpkg-dev debhelper lintian mandoc groff pkg-config cmake gcc zip unzip \
  g++-mingw-w64-i686 binutils-mingw-w64-i686
bash "$ROOT/scripts/debian-build-deps.sh"

bash "$ROOT/scripts/package-debian.sh" "$DEB_OUT"
bash "$TESTS/debian_packages.sh" "$DEB_OUT" "$DEB_OUT/test"

zip="$(bash "$ROOT/scripts/package-windows.sh" "$WIN_OUT" | tail -n 1)"
choose_windows_run
if [ "$WINDOWS_BITS" = 32 ]; then
  need_packages wine # winepath
  run=(--run)
else
  run=(--skip "$WINDOWS_FALLBACK")
fi
bash "$TESTS/windows_archive.sh" "$zip" "$DEB_OUT/test/root/usr/share/kavu32" "$WIN_OUT/test" \
  "${run[@]}"
echo "packages suite: ${SECONDS}s"
