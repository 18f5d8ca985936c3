#!/usr/bin/env bash
# Builds the Debian packages libkavu32-1, libkavu32-dev, kavu-tools and
# kavu32-data with dpkg-buildpackage from a copy of the source tree, so that
# nothing is written beside the checkout:
#   package-debian.sh [OUT_DIR]        (default: build-deb)
# OUT_DIR receives the .deb files, the .changes and .buildinfo files and the
# build's log. The build dependencies must be installed
# (scripts/debian-build-deps.sh installs them).
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"

out="$(realpath -m "${1:-$BUILD-deb}")"
version="$(dpkg-parsechangelog -l "$ROOT/debian/changelog" -S Version)"
source_copy="$out/kavu32-$version"

rm -rf "$out"
mkdir -p "$source_copy"
# The files of the checkout, tracked or new, without what git ignores (the
# build folders); outside a git checkout, everything but the build folders.
if git -C "$ROOT" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  (cd "$ROOT" && git ls-files -z --cached --others --exclude-standard |
    xargs -0 -r sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' sh |
    tar --null -T - -cf -) | tar -xf - -C "$source_copy"
else
  tar -C "$ROOT" --exclude='./build*' -cf - . | tar -xf - -C "$source_copy"
fi

echo "building the Debian packages of kavu32 $version in $out"
if ! (cd "$source_copy" && DEB_BUILD_OPTIONS="parallel=$JOBS" dpkg-buildpackage -us -uc -b) \
    >"$out/build.log" 2>&1; then
  tail -n 40 "$out/build.log" >&2
  echo "package-debian: dpkg-buildpackage failed; the whole log: $out/build.log" >&2
  exit 1
fi
rm -rf "$source_copy"
ls "$out"/*.deb
