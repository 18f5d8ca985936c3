#!/usr/bin/env bash
# End-to-end cases of the kavu host on the bundled data set.
#   kavu_cases.sh CASE KAVU DTF TABLE_SOURCES DERIVED_SOURCES
# The expected texts are read from the table sources, so the cases check
# host, library and data together.
set -euo pipefail
case_name="$1"
kavu="$2"
dtf="$3"
sources="$4"
derived="$5"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# cell FILE KEY FIELD: field FIELD (from 0) of the record KEY, escapes undone.
cell() {
  LC_ALL=C awk -F'\t' -v key="$2" -v field="$3" 'NR > 1 && $1 == key {
    text = $(field + 1); out = ""
    for (i = 1; i <= length(text); i++) {
      c = substr(text, i, 1)
      if (c == "\\" && i < length(text)) {
        c = substr(text, ++i, 1)
        c = c == "n" ? "\n" : c == "t" ? "\t" : c
      }
      out = out c
    }
    printf "%s", out
    exit
  }' "$1"
}
or_no_data() { [ -n "$1" ] && printf '%s' "$1" || printf 'No Data Available'; }

has_line() {  # has_line FILE TEXT
  grep -qxF -- "$2" "$1" || fail "no line '$2' in $(basename "$1")"
}
has_text() {  # has_text FILE TEXT
  grep -qF -- "$2" "$1" || fail "no '$2' in $(basename "$1")"
}
line_no() { grep -nxF -- "$2" "$1" | head -1 | cut -d: -f1 || true; }

# expect_order HOW FILE TEXT...: each TEXT found after the one before it,
# as a whole line (HOW -x) or anywhere (HOW -o).
expect_order() {
  local how="$1" file="$2" previous=-1 at
  shift 2
  for text in "$@"; do
    at="$(grep -b "$how"F -- "$text" "$file" | head -1 | cut -d: -f1)"
    [ -n "$at" ] || fail "no '$text' in $(basename "$file")"
    [ "$at" -gt "$previous" ] || fail "'$text' out of order"
    previous="$at"
  done
}

expect_year_sections() {  # FILE YEAR
  local file="$1" year="$2" lit="$sources/literat.tsv" mov="$sources/movies.tsv"
  has_line "$file" "Nobel Prize Winner (Literature) -$(cell "$lit" "$year" 1) - $(cell "$lit" "$year" 2)"
  has_line "$file" "Best Selling Fiction - $(or_no_data "$(cell "$lit" "$year" 3)")"
  has_line "$file" "Best Selling Non-Fiction - $(or_no_data "$(cell "$lit" "$year" 4)")"
  has_line "$file" "Best Picture - $(or_no_data "$(cell "$mov" "$year" 1)")"
  has_line "$file" "Best Actor - $(or_no_data "$(cell "$mov" "$year" 4)")"
  has_line "$file" "MLB - $(cell "$sources/sport.tsv" "$year" 1)"
  has_line "$file" "U.S. Open Tennis (Women) - $(cell "$sources/sport.tsv" "$year" 9)"
  # The year's news, line for line, right under its heading.
  local heading
  heading="$(line_no "$file" "In The News In $year")"
  { cell "$derived/Event.tsv" "$year" 1; echo; } >"$work/news"
  [ -s "$work/news" ] || fail "no events in $year"
  tail -n +"$((heading + 1))" "$file" | head -n "$(grep -c '' "$work/news")" >"$work/shown"
  diff "$work/news" "$work/shown" >/dev/null || fail "the news of $year differ from the Event table"
}

expect_sign_sections() {  # FILE ZODIAC CHINESE MONTH
  local file="$1"
  has_line "$file" "$(cell "$sources/zodiac.tsv" "$2" 1)"
  has_line "$file" "$(cell "$sources/chinese.tsv" "$3" 1)"
  has_line "$file" "$(cell "$sources/chinese.tsv" "$3" 2)"
  has_line "$file" "$(cell "$sources/stone.tsv" "$4" 1)"
  has_line "$file" "Zodiac Graphic: Zodiac$2.wmf"
  has_line "$file" "Chinese Year Graphic: Chines$3.wmf"
  has_line "$file" "Border Graphic: Border.wmf"
}

# The text report rebuilt from the single items, byte for byte.
rebuilt_report() {  # DATE NAME
  local section type
  for section in "9 1" 8 "10 2" "11 3" "15 6" "16 7" "12 4" "13 5" 14; do
    for type in $section; do
      { "$kavu" get "$type" "$1" "$2"; echo; } | grep -v '^$' || true
    done
    echo
  done
  printf 'Zodiac Graphic: %s\nChinese Year Graphic: %s\nBorder Graphic: %s\n' \
    "$("$kavu" get 17 "$1" "$2")" "$("$kavu" get 18 "$1" "$2")" "$("$kavu" get 19 "$1" "$2")"
}

# age_figures DATE: the end of the age sentence for a birth on DATE, today.
age_figures() {
  local years=$(( $(date +%Y) - 10#${1%%-*} ))
  local days=$(( ($(date -u -d "$(date +%F)" +%s) - $(date -u -d "$1" +%s)) / 86400 ))
  printf 'you are %d years old and have lived %d days' "$years" "$days"
}

# report DATE NAME: the report in $work/report, and the age sentence checked
# with the figures of either side of midnight.
report() {
  local before
  before="$(age_figures "$1")"
  "$kavu" report "$1" "$2" >"$work/report" || fail "exit $?"
  grep -E "^Born .*\. As of .* ($before|$(age_figures "$1"))\$" "$work/report" >/dev/null ||
    fail "no age sentence"
}

report_1992() {
  report 1992-06-19 "Ann Lee"
  local r="$work/report" zodiac_title chinese_title
  zodiac_title="$(cell "$sources/zodiac.tsv" 4 1)"
  chinese_title="$(cell "$sources/chinese.tsv" 8 1)"
  [ "$(head -1 "$r")" = "A LOOK AT THE WORLD WHEN ANN LEE WAS BORN" ] || fail "introduction"
  expect_order -x "$r" "A LOOK AT THE WORLD WHEN ANN LEE WAS BORN" "In The News In 1992" \
    "Celebrities born on June 19" "Ann Lee - 1992" "Entertainment in 1992" \
    "Sport champions in 1992" "$zodiac_title" "$chinese_title" \
    "Zodiac Graphic: Zodiac4.wmf" "Chinese Year Graphic: Chines8.wmf" "Border Graphic: Border.wmf"
  expect_year_sections "$r" 1992
  expect_sign_sections "$r" 4 8 6
  for field in 1 2 3 4 5; do
    person="$(cell "$derived/Birthday.tsv" 619 "$field")"
    [ -z "$person" ] || has_line "$r" "$person"
  done
  ! grep -F '] error ' "$r" || fail "the report shows an error"
  rebuilt_report 1992-06-19 "Ann Lee" | cmp -s - "$r" || fail "the report is not its items"
}

# A name with letters outside a..z, and a day without known birthdays.
report_1965() {
  report 1965-12-31 "Mary o'Neil"
  local r="$work/report"
  has_line "$r" "A LOOK AT THE WORLD WHEN MARY O'NEIL WAS BORN"
  has_line "$r" "Celebrities born on December 31"
  if grep -qP '^1231\t' "$derived/Birthday.tsv"; then
    has_line "$r" "Mary o'Neil - 1965"
  else
    has_line "$r" "[Famous Article] error -1: Database contains no data to provide on request"
  fi
  expect_year_sections "$r" 1965
  expect_sign_sections "$r" 11 5 12
}

# The library's own bytes, without a line feed.
get_raw() {
  "$kavu" get 19 1992-06-19 x >"$work/name"
  printf 'Border.wmf' | cmp - "$work/name" || fail "type 19"
  "$kavu" get 10 1992-06-19 x >"$work/title"
  printf 'In The News In 1992' | cmp - "$work/title" || fail "type 10"
  "$kavu" get 2 1992-06-19 x >"$work/news"
  cell "$derived/Event.tsv" 1992 1 | cmp - "$work/news" || fail "type 2 differs from the memo"
  "$kavu" get 999 1992-06-19 x >"$work/out" 2>"$work/err" && fail "type 999 succeeded"
  [ ! -s "$work/out" ] || fail "type 999 wrote output"
}

categories() {
  "$kavu" categories >"$work/list" || fail "exit $?"
  [ "$(grep -c '' "$work/list")" -eq 20 ] || fail "expected a heading and 19 categories"
  has_line "$work/list" "$(printf '10\t3\tNews Title')"
  has_line "$work/list" "$(printf '2\t6\tNews Article')"
  has_line "$work/list" "$(printf '17\t7\tZodiac Graphic')"
}

expect_refusal() {  # expect_refusal MESSAGE ARGS...: exit 2 and the message
  local message="$1" status=0
  shift
  "$kavu" "$@" >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -eq 2 ] || fail "kavu $* exited $status, expected 2"
  grep -qF -- "$message" "$work/err" || fail "kavu $*: no '$message' in: $(cat "$work/err")"
}

bad_input() {
  expect_refusal "invalid date 1900-02-29: Invalid argument to date encode" report 1900-02-29 x
  expect_refusal "invalid date 1992-13-01" report 1992-13-01 x
  expect_refusal "not a date of the form YYYY-MM-DD: 19920619" report 19920619 x
  expect_refusal "data folder not found: $work/none" report --data "$work/none" 1992-06-19 x
  expect_refusal "graphics folder not found" report --graphics="$work/none" 1992-06-19 x
  expect_refusal "report takes 2 arguments" report 1992-06-19
  expect_refusal "unknown option --colour" report --colour 1992-06-19 x
  expect_refusal "not a data type number: x" get x 1992-06-19 x
  expect_refusal "unknown command" tell
  expect_refusal "no command given"
  expect_refusal "--html and --output are options of report" categories --output x
  expect_refusal "--output needs a file" report 1992-06-19 x --output
}

help_texts() {
  "$kavu" --help >"$work/help" || fail "kavu --help: exit $?"
  has_text "$work/help" "kavu report --help"
  "$kavu" report --help >"$work/help" || fail "kavu report --help: exit $?"
  has_text "$work/help" "--html"
  has_text "$work/help" "--output FILE"
}

# Pictures missing from the graphics folder: the library's error, no crash.
missing_graphics() {
  mkdir "$work/empty"
  "$kavu" report --graphics "$work/empty" 1992-06-19 x >"$work/report" || fail "exit $?"
  has_line "$work/report" \
    "[Zodiac Graphic] error -3: Error while retrieving metafile Zodiac4.wmf"
  has_line "$work/report" "[Border Graphic] error -3: Error while retrieving metafile Border.wmf"
}

# A data folder without the standard tables: the library's code, exit 1.
incomplete_data() {
  mkdir "$work/empty"
  local status=0
  "$kavu" report --data "$work/empty" 1992-06-19 x >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -eq 1 ] || fail "exit $status, expected 1"
  grep -qxF "kavu: cannot list the categories: error -8: One or more standard categories not found" \
    "$work/err" || fail "no -8 message in: $(cat "$work/err")"
}

# A table of the second folder gives additional categories, shown last.
additional_table() {
  mkdir "$work/extra"
  printf 'Month:int:key\tFlower:string\tVerse:memo\n6\tRose\tLine one\\nLine two\n' >"$work/flowers.tsv"
  "$dtf" build "$work/flowers.tsv" "$work/extra/Flowers.dtf" --title Flowers >/dev/null
  "$kavu" report --data2 "$work/extra" 1992-06-19 x >"$work/report" || fail "exit $?"
  printf 'Month: 6\nFlower: Rose\nVerse:\nLine one\nLine two\n' >"$work/expected"
  tail -n 5 "$work/report" | diff "$work/expected" - || fail "additional categories"
  "$kavu" report --data2 "$work/extra" 1992-07-19 x >"$work/report"
  has_line "$work/report" "[Flower] error -1: Database contains no data to provide on request"
  "$kavu" categories --data2 "$work/extra" | grep -qxF "$(printf '21\t3\tFlower')" ||
    fail "no category 21"
}

# escaped TEXT: TEXT as the page writes it.
escaped() {
  sed -e 's/&/\&amp;/g' -e 's/</\&lt;/g' -e 's/>/\&gt;/g' -e 's/"/\&quot;/g' -e "s/'/\&#39;/g" <<<"$1"
}

# The page: self-contained UTF-8, the name escaped, a Windows-1252 table
# text decoded, the three pictures inline, the texts in reading order.
html_page() {
  mkdir "$work/extra"
  printf 'Month:int:key\tMotto:string\n6\tCaf\\xE9 \\x80 5 <b> & "q"\n' >"$work/motto.tsv"
  "$dtf" build "$work/motto.tsv" "$work/extra/Motto.dtf" --title Motto >/dev/null
  local page="$work/page.html" text news
  "$kavu" report --html --data2 "$work/extra" --output "$page" 1992-06-19 'José <Lee> & "Co"' ||
    fail "exit $?"
  iconv -f UTF-8 -t UTF-8 "$page" >/dev/null || fail "the page is not UTF-8"
  [ "$(head -1 "$page")" = "<!DOCTYPE html>" ] || fail "no doctype"
  has_line "$page" '<meta charset="utf-8">'
  ! grep -qiE '<script|<link|<img|<iframe|<object|src=|href=|url\(|@import' "$page" ||
    fail "the page refers to something outside it"
  has_text "$page" ' &lt;LEE&gt; &amp; &quot;CO&quot; WAS BORN</h1>'
  has_text "$page" 'José &lt;Lee&gt; &amp; &quot;Co&quot; - 1992'
  has_line "$page" '<dd>Café € 5 &lt;b&gt; &amp; &quot;q&quot;</dd>'
  for picture in border zodiac chinese; do
    grep -qE "<svg id=\"$picture-picture\" [^>]*viewBox=\"0 0 [1-9][0-9]* [1-9][0-9]*\"" "$page" ||
      fail "no $picture picture"
  done
  news="$(escaped "$(cell "$derived/Event.tsv" 1992 1)" | sed '1!s/^/<br>\n/' | tr -d '\n')"
  text="$(tr -d '\n' <"$page")"
  [[ "$text" == *"<p>$news</p>"* ]] || fail "the news of 1992 differ from the Event table"
  expect_order -o "$page" "<h1>" "Born June 19, 1992." "June 19, 1992</p>" "In The News In 1992" \
    "Celebrities born on June 19" "Entertainment in 1992" "Sport champions in 1992" \
    'id="zodiac-picture"' "Gemini</text>" "$(escaped "$(cell "$sources/zodiac.tsv" 4 1)")" \
    'id="chinese-picture"' "Monkey</text>" "$(escaped "$(cell "$sources/chinese.tsv" 8 1)")" \
    "$(escaped "$(cell "$sources/stone.tsv" 6 1)")" "<dt>Motto</dt>"
  local status=0
  "$kavu" report --html --output "$work/none/page.html" 1992-06-19 x 2>"$work/err" || status=$?
  [ "$status" -eq 1 ] && grep -qF "cannot write $work/none/page.html" "$work/err" ||
    fail "an unwritable output file gave exit $status: $(cat "$work/err")"
}

# Pictures missing, damaged, or drawing a text that needs escaping: each
# leaves its message in its place, and the page is still written.
html_pictures() {
  command -v python3 >/dev/null || fail "python3 is missing"
  local graphics="$work/graphics" page="$work/page.html"
  python3 "$here/../../data/make_graphics.py" "$graphics"
  rm "$graphics/Border.wmf"
  head -c 100 "$graphics/Chines8.wmf" >"$work/cut" && mv "$work/cut" "$graphics/Chines8.wmf"
  PYTHONPATH="$here/../../data" python3 -c '
import sys, make_graphics as g
picture = g.framed(1000, 1000)
g.caption(picture, "Caf\u00e9 <\u20ac> & \"x\"")
open(sys.argv[1], "wb").write(picture.image())' "$graphics/Zodiac4.wmf"
  "$kavu" report --html --graphics "$graphics" 1992-06-19 x >"$page" || fail "exit $?"
  has_line "$page" '<p class="failure">[Border Graphic] error -3: Error while retrieving metafile Border.wmf</p>'
  has_text "$page" '<p class="failure">[Chinese Year Graphic] Chines8.wmf cannot be drawn: '
  has_text "$page" '>Café &lt;€&gt; &amp; &quot;x&quot;</text>'
  has_text "$page" '</html>'
}

# A kavu built without libwmf says so.
html_unavailable() {
  local status=0
  "$kavu" report --html 1992-06-19 x >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -eq 1 ] && grep -qF "kavu was built without libwmf" "$work/err" ||
    fail "exit $status: $(cat "$work/err")"
}

"$case_name"
echo "ok: $case_name"
