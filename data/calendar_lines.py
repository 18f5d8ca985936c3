"""Reads the BSD calendar files into dated lines of printable ASCII.

A calendar line is "DATE<TAB>TEXT", DATE being "MM/DD", "Mon DD" or
"DD Mon"; a line that starts with a tab continues the one before. The
year of a line is its last number after a comma (", 1942", also before
an aside: ", 1942, the rest" or ", 1942 (aside)"), or a number that ends
the line (" 1942", "(1942)"). "1450?" is an uncertain year and "63 BC" a
year before the common era; "1,300" is a number, never a year.
"""

import re
import unicodedata

MONTHS = ("Jan", "Feb", "Mar", "Apr", "May", "Jun",
          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec")
DAYS_IN_MONTH = (31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31)

DATE_FORMS = (
    re.compile(r"^(?P<month>\d{1,2})/(?P<day>\d{1,2})$"),
    re.compile(r"^(?P<month>[A-Z][a-z]{2})[a-z]*\.? +(?P<day>\d{1,2})$"),
    re.compile(r"^(?P<day>\d{1,2}) +(?P<month>[A-Z][a-z]{2})[a-z]*\.?$"),
)

# Characters outside ASCII that do not simply lose an accent.
SPELLED_OUT = {
    "\u00b0": " degrees ", "\u20ac": "euro", "\u00df": "ss", "\u00e6": "ae",
    "\u00c6": "AE", "\u0153": "oe", "\u0152": "OE", "\u00f8": "o", "\u00d8": "O",
    "\u0142": "l", "\u0141": "L", "\u2018": "'", "\u2019": "'", "\u201c": '"',
    "\u201d": '"', "\u2013": "-", "\u2014": "-", "\u2026": "...", "\u00a0": " ",
}

YEAR_TOKEN = re.compile(r"(?P<number>\d{1,4})(?P<uncertain>\?)?(?:\s?(?P<bc>B\.?C\.?))?")
# A four-digit year from 1000 to 2099, or a year before the common era,
# standing alone in a text; "1,300", "4.400", "Tu-1440" and "$1999" are not.
YEAR_MENTION = re.compile(r"(?<![\w$#.,/-])(?:(?:1\d|20)\d\d(?![\w%]|[.,]\d)|\d{1,4}\s?B\.?C\b)")


class Entry:
    """One dated line of a calendar file, its text in printable ASCII."""

    def __init__(self, source, line, month, day, text):
        self.source = source
        self.line = line
        self.month = month
        self.day = day
        self.text = text


class Year:
    """A year: value (negative before the common era), uncertain, and where
    it stands in the text it was read from."""

    def __init__(self, value, uncertain, start=0, end=0):
        self.value = value
        self.uncertain = uncertain
        self.start = start
        self.end = end

    @classmethod
    def of_match(cls, match):
        value = int(match["number"])
        return cls(-value if match["bc"] else value, bool(match["uncertain"]),
                   match.start(), match.end())

    def label(self):
        """"1942", "1450?" or "63 BC"."""
        text = "%d BC" % -self.value if self.value < 0 else str(self.value)
        return text + ("?" if self.uncertain else "")


def ascii_text(text):
    """The text in printable ASCII: accents dropped, symbols spelled out,
    other characters left out."""
    out = []
    for ch in text:
        if ch in SPELLED_OUT:
            out.append(SPELLED_OUT[ch])
        elif " " <= ch <= "~":
            out.append(ch)
        else:
            out.append(unicodedata.normalize("NFKD", ch).encode("ascii", "ignore").decode())
    return "".join(out)


def tidy_text(text):
    """A calendar line in printable ASCII, its "``x''" and "`x'" quotes
    made plain, the "(Sir)" after a name and a repeat such as "euro (euro)"
    left out, blanks collapsed."""
    text = ascii_text(text).replace("``", '"').replace("''", '"')
    text = re.sub(r"`([^`']*)'", r"'\1'", text)
    text = re.sub(r"\s*\(Sir\)", "", text)
    text = re.sub(r"\b(\w+) \(\1\)", r"\1", text)
    return re.sub(r"\s+", " ", text).strip()


def parse_date(date_text):
    """(month, day) of a fixed date, or None for movable and bad dates."""
    for form in DATE_FORMS:
        match = form.match(date_text.strip())
        if not match:
            continue
        month = match["month"]
        month = int(month) if month.isdigit() else (
            MONTHS.index(month) + 1 if month in MONTHS else 0)
        day = int(match["day"])
        if 1 <= month <= 12 and 1 <= day <= DAYS_IN_MONTH[month - 1]:
            return month, day
    return None


def read_entries(path):
    """The dated entries of one calendar file, continuation lines joined."""
    entries = []
    in_comment = False
    current = None
    text = path.read_text(encoding="utf-8", errors="replace")
    for number, line in enumerate(text.splitlines(), start=1):
        stripped = line.strip()
        if in_comment:
            in_comment = "*/" not in stripped
            continue
        if stripped.startswith("/*"):
            in_comment = "*/" not in stripped
            continue
        if line.startswith("\t") and current is not None:
            current.text = tidy_text(current.text + " " + stripped)
            continue
        current = None
        if "\t" not in line or stripped.startswith("#"):
            continue
        date_text, text = line.split("\t", 1)
        date = parse_date(date_text)
        if date is not None and text.strip():
            current = Entry(path.name, number, date[0], date[1], tidy_text(text))
            entries.append(current)
    return entries


def paren_depth(text, end):
    """How many parentheses are open before text[end]."""
    return text.count("(", 0, end) - text.count(")", 0, end)


def year_kind(text, match):
    """"comma" for ", YEAR", "final" for a year that ends the text, or None
    where the number is no year (part of a larger number, an amount, a
    name such as "Apollo 11")."""
    before, after = text[:match.start()], text[match.end():]
    if re.search(r"[\w$#./-]$", before) or re.match(r"[\w%']|[.,]\d", after):
        return None
    if re.search(r"\d,$", before) or int(match["number"]) == 0:
        return None
    ends_text = re.fullmatch(r"[\s.)]*", after) is not None
    short = len(match["number"]) < 3 and not match["bc"]
    if re.search(r",\s*$", before):
        return "comma" if ends_text or not short else None
    # A year after "in" or "AD" belongs to the sentence ("opened in 1907").
    if (ends_text and not short and re.search(r"[\s(]$", before)
            and not re.search(r"\b(?:in|of|AD)\s*$", before)):
        return "final"
    return None


def find_year(text):
    """The year of a line's text, or None. Of several, the last after a
    comma outside parentheses wins, then one that ends the text, then the
    last after a comma inside parentheses."""
    found = {}
    for match in YEAR_TOKEN.finditer(text):
        kind = year_kind(text, match)
        if kind == "comma" and paren_depth(text, match.start()) > 0:
            kind = "inner"
        if kind:
            found[kind] = match
    for kind in ("comma", "final", "inner"):
        if kind in found:
            return Year.of_match(found[kind])
    return None


def without_year(text, year):
    """The text with its year taken out and the parts around it rejoined:
    "A, 1916, B" gives "A, B", "A, 1958. B" gives "A; B", "A (1966)"
    gives "A"."""
    before = text[:year.start].rstrip()
    after = text[year.end:].strip()
    if before.endswith("(") and after.startswith(")"):
        before, after = before[:-1].rstrip(), after[1:].strip()
    before = before.rstrip(" ,;")
    if not after or after == ".":
        return before
    if after.startswith(")"):
        return before + after
    separator = "; " if after[0] in ".;" else ", "
    after = after.lstrip(" ,;.")
    return before + (" " if after.startswith("(") else separator) + after


def other_years(text, year):
    """The year mentions in a text that differ from the given year."""
    own = {str(year), "%d BC" % -year, "%dBC" % -year}
    return [m.group(0) for m in YEAR_MENTION.finditer(text)
            if re.sub(r"\.", "", m.group(0)) not in own]
