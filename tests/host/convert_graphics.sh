#!/usr/bin/env bash
# Converts every bundled metafile with a real WMF reader (libwmf's wmf2svg):
# each must convert and its picture must carry the sign's name as the
# Zodiac and Chinese tables spell it.
#   convert_graphics.sh GRAPHICS_DIR TABLE_SOURCES
set -euo pipefail
graphics="$1"
sources="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

command -v wmf2svg >/dev/null ||
  fail "wmf2svg not found: install the Debian package libwmf-bin (scripts/test.sh does)"

convert() {  # convert NAME EXPECTED_TEXT
  local svg="$work/${1%.wmf}.svg"
  wmf2svg -o "$svg" "$graphics/$1" >/dev/null 2>"$work/stderr" || fail "$1 does not convert"
  # Without its fonts libwmf still succeeds, but writes an empty picture.
  ! grep -q "failed to load \*any\* font" "$work/stderr" ||
    fail "libwmf finds no fonts: install the Debian package fonts-urw-base35 (scripts/test.sh does)"
  grep -q '<svg' "$svg" || fail "$1 gives no picture"
  [ -z "$2" ] || grep -qF ">$2</text>" "$svg" || fail "$1 does not show '$2'"
}

# title SOURCE SIGN: the sign's title (field 1).
title() { awk -F'\t' -v sign="$2" 'NR > 1 && $1 == sign { print $2 }' "$sources/$1"; }

convert Border.wmf ""
for sign in $(seq 0 11); do
  zodiac="$(title zodiac.tsv "$sign")"
  chinese="$(title chinese.tsv "$sign")"
  convert "Zodiac$sign.wmf" "${zodiac%%,*}"
  convert "Chines$sign.wmf" "${chinese##* }"
done
echo "ok: 25 metafiles"
