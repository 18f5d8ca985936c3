#!/usr/bin/env bash
# Installs the build dependencies of the Debian packages that are missing:
# those dpkg-checkbuilddeps finds unmet in debian/control.
set -euo pipefail
source "$(dirname "$0")/lib/common.sh"

need_packages dpkg-dev
unmet="$(cd "$ROOT" && dpkg-checkbuilddeps 2>&1)" && exit 0
# "dpkg-checkbuilddeps: error: Unmet build dependencies: cmake (>= 3.25) a | b":
# the package names, without versions, architectures, profiles and
# alternatives after the first.
names="$(sed -n 's/.*Unmet build dependencies: //p' <<<"$unmet" |
  sed -E 's/\([^)]*\)//g; s/\[[^]]*\]//g; s/<[^>]*>//g; s/ *\| *[^ ]+//g; s/:any//g')"
[ -n "$names" ] || { echo "$unmet" >&2; exit 1; }
# shellcheck disable=SC2086 # one word per package
need_packages $names
(cd "$ROOT" && dpkg-checkbuilddeps)
