#!/usr/bin/env bash
# The page of `kavu report --html` in a real browser, Debian's headless
# Chromium, offline and in a fresh profile each time:
#   - a screenshot, in which the zodiac, Chinese-year and border pictures
#     must have a size and not be blank (from the page's own layout and the
#     screenshot's pixels);
#   - a name with <, & and " and a table text with Windows-1252 bytes must
#     read exactly as written (escaped, decoded);
#   - printed to PDF, the report must fill exactly one A4 and one Letter
#     page, the longest year's report too.
# What it needs: chromium; poppler-utils (pdfinfo); libwmf-dev, without
# which kavu has no --html; the fonts of the page and its pictures; python3.
# The pages, screenshot and PDFs stay in the build folder's browser/.
# Exits non-zero on any failure.
set -euo pipefail
source "$(dirname "$0")/../lib/common.sh"

OUT="$BUILD/browser"
KAVU="$BUILD/tools/kavu/kavu"
DTF="$BUILD/tools/dtf/dtf"
NAME='Ann <Lee> & "Co"'
# The year with the most news in the bundled data set.
LONGEST_DAY=05-08

fail() {
  echo "browser: $*" >&2
  exit 1
}

need_build_tools
need_packages chromium poppler-utils libwmf-dev pkg-config fonts-urw-base35 fonts-dejavu-core python3
# Configured again: libwmf may have come just now, and with it the host's
# page tests, which the main run may not have had.
cmake -S "$ROOT" -B "$BUILD" >/dev/null
cmake --build "$BUILD" -j"$JOBS" --target kavu dtf kavu32_data >/dev/null
(cd "$BUILD" && ctest --output-on-failure -R '^host_html_')
rm -rf "$OUT" && mkdir -p "$OUT"

# browser ARGS...: headless Chromium as root, with nothing to fetch.
browser() {
  local profile status=0
  profile="$(mktemp -d)"
  timeout 120 chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$profile" --hide-scrollbars --force-device-scale-factor=1 "$@" \
    2>>"$OUT/chromium.log" || status=$?
  rm -rf "$profile"
  return $status
}

# with_style PAGE COPY CSS: the page with one more style sheet.
with_style() {
  sed "s|</head>|<style>$3</style></head>|" "$1" >"$2"
}

# printed_pages PAGE PAPER: the number of pages the page prints on.
printed_pages() {
  local page="${1%.html}-$2.html"
  with_style "$1" "$page" "@page { size: $2; }"
  browser --no-pdf-header-footer --print-to-pdf="${page%.html}.pdf" "file://$page" >/dev/null
  pdfinfo "${page%.html}.pdf" | awk '/^Pages:/ { print $2 }'
}

# A table of the second folder whose text holds é and € as Windows-1252.
mkdir -p "$OUT/extra"
printf 'Month:int:key\tMotto:string\n6\tCaf\\xE9 \\x80 5 <b> & "q"\n' >"$OUT/motto.tsv"
"$DTF" build "$OUT/motto.tsv" "$OUT/extra/Motto.dtf" --title Motto >/dev/null
"$KAVU" report --html --data2 "$OUT/extra" --output "$OUT/report.html" 1992-06-19 "$NAME"
# The year of the most news bytes in the bundled Event table.
longest_year="$("$DTF" dump "$BUILD/data/tables/Event.dtf" |
  awk -F'\t' 'NR > 2 && length($2) > most { most = length($2); year = $1 } END { print year }')"
"$KAVU" report --html --output "$OUT/longest.html" "$longest_year-$LONGEST_DAY" "$NAME"
echo "page: $(wc -c <"$OUT/report.html") bytes"

echo "-- screenshot and layout"
browser --window-size=900,1200 --screenshot="$OUT/report.png" "file://$OUT/report.html" >/dev/null
{
  sed '/^<\/body>$/,$d' "$OUT/report.html"
  printf '<script>\n%s\n</script>\n</body>\n</html>\n' "$(cat "$ROOT/tests/browser/probe.js")"
} >"$OUT/probe.html"
browser --window-size=900,1200 --dump-dom "file://$OUT/probe.html" >"$OUT/probe-dom.html"
python3 "$ROOT/tests/browser/check_page.py" "$OUT/report.png" "$OUT/probe-dom.html" "$NAME" \
  "Café € 5 <b> & \"q\"" || fail "the page does not show as it should (see $OUT)"

echo "-- printed"
for page in report longest; do
  for paper in A4 letter; do
    pages="$(printed_pages "$OUT/$page.html" "$paper")"
    echo "$page on $paper: $pages page(s)"
    [ "$pages" = 1 ] || fail "$page.html prints on $pages $paper pages, expected 1"
  done
done
echo "ok: the page in the browser; screenshot $OUT/report.png"
