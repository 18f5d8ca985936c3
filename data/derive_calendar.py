#!/usr/bin/env python3
"""Derives the Birthday and Event table sources from the BSD calendar files.

    derive_calendar.py CALENDAR_DIR OUT_DIR

Reads the English calendar files (lines "MM/DD<TAB>text", "Mon DD<TAB>text"
or "DD Mon<TAB>text", continued by lines that start with a tab) and writes
OUT_DIR/Birthday.tsv (up to five people per day of the year, key
month * 100 + day) and OUT_DIR/Event.tsv (the dated entries of each year as
one memo, key year) in the TSV form that `dtf build` reads. Text is written
in the Windows ANSI code page (cp1252); the output depends on the input
files only.
"""

import pathlib
import re
import sys
import unicodedata

# The files read, in order of preference for the birthday list. Fiction
# (lotr, discordian), the per-year Jewish calendars and the lists of project
# members' private birthdays (freebsd) are left out.
SOURCE_FILES = (
    "calendar.birthday", "calendar.history", "calendar.music",
    "calendar.computer", "calendar.holiday", "calendar.usholiday",
    "calendar.christian", "calendar.unitedkingdom", "calendar.australia",
    "calendar.newzealand", "calendar.southafrica", "calendar.eu",
    "calendar.debian",
)
# Files whose people are musicians unless the entry says otherwise.
MUSICIAN_FILES = ("calendar.music",)

MONTHS = ("Jan", "Feb", "Mar", "Apr", "May", "Jun",
          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec")
DAYS_IN_MONTH = (31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31)

PEOPLE_PER_DAY = 5
STRING_LIMIT = 255

DATE_FORMS = (
    re.compile(r"^(?P<month>\d{1,2})/(?P<day>\d{1,2})$"),
    re.compile(r"^(?P<month>[A-Z][a-z]{2})[a-z]*\.? +(?P<day>\d{1,2})$"),
    re.compile(r"^(?P<day>\d{1,2}) +(?P<month>[A-Z][a-z]{2})[a-z]*\.?$"),
)
# ", 1942" as the year of an entry; "1757?" is an uncertain year, "BC" not
# a year of the table's range.
YEAR = re.compile(r",\s*(?P<year>\d{3,4})(?P<uncertain>\?)?(?![\d?])(?!\s*B\.?C)")
BORN = re.compile(r"\s*\b(?:is |was )?born\b")
BIRTHDAY = re.compile(r"^(?P<name>.+?)(?:'s?)? [Bb]irthday\b(?P<rest>.*)$")
PLACE = re.compile(r"\bin (?P<place>[^()]+?)\)?\s*$")
# Birthday observances that name an office rather than a person.
OFFICES = re.compile(r"^(?:(?:King|Queen|Emperor|Buddha)$|His |Her )")
NAME_SUFFIXES = ("Jr.", "Sr.", "II", "III", "IV")
# "Name (what the person was)".
TRAILING_ASIDE = re.compile(r"^(?P<name>.+?)\s*\((?P<aside>[a-z][^)]*)\)$")
# Lower-case words that may stand inside a person's name.
NAME_PARTICLES = {"de", "da", "di", "du", "del", "der", "van", "von", "the",
                  "of", "la", "le", "y", "bin", "al", "ibn", "dos", "das"}


class Entry:
    """One dated line of a calendar file."""

    def __init__(self, source, month, day, text):
        self.source = source
        self.month = month
        self.day = day
        self.text = text


def ansi_text(text):
    """The text as cp1252 bytes; other characters lose their accents or
    become '?'."""
    out = bytearray()
    for ch in text:
        try:
            out += ch.encode("cp1252")
        except UnicodeEncodeError:
            base = unicodedata.normalize("NFKD", ch).encode("ascii", "ignore")
            out += base or b"?"
    return bytes(out)


def tsv_cell(data):
    """Escapes backslash, tab and line feed for a dtf string or memo cell."""
    return (data.replace(b"\\", b"\\\\").replace(b"\t", b"\\t")
            .replace(b"\n", b"\\n").replace(b"\r", b""))


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
    for line in path.read_text(encoding="utf-8", errors="replace").splitlines():
        stripped = line.strip()
        if in_comment:
            in_comment = "*/" not in stripped
            continue
        if stripped.startswith("/*"):
            in_comment = "*/" not in stripped
            continue
        if line.startswith("\t") and current is not None:
            current.text += " " + stripped
            continue
        current = None
        if "\t" not in line or stripped.startswith("#"):
            continue
        date_text, text = line.split("\t", 1)
        date = parse_date(date_text)
        if date is not None and text.strip():
            current = Entry(path.name, date[0], date[1], text.strip())
            entries.append(current)
    return entries


def entry_year(text):
    """(year, uncertain, match) of the entry's first ", YYYY", or None."""
    match = YEAR.search(text)
    if not match:
        return None
    year = int(match["year"])
    if not 1 <= year <= 9999:
        return None
    return year, bool(match["uncertain"]), match


def without_year(text, match):
    """The entry's text with its ", YYYY" taken out."""
    return (text[:match.start()] + text[match.end():]).strip(" ,")


def name_word(word):
    """True for a word that can stand in a person's name."""
    word = word.strip('"()')
    return word[:1].isupper() or not word[:1].isalpha() or word in NAME_PARTICLES


def looks_like_person(name):
    """True for a capitalised name without common lower-case words."""
    words = name.split()
    return bool(words) and words[0].strip('"()')[:1].isupper() and all(
        name_word(w) for w in words)


def paren_depth(text, end):
    """How many parentheses are open before text[end]."""
    return text.count("(", 0, end) - text.count(")", 0, end)


def top_level_split(text):
    """The text split at the commas that stand outside parentheses."""
    parts, start = [], 0
    for pos, ch in enumerate(text):
        if ch == "," and paren_depth(text, pos) == 0:
            parts.append(text[start:pos])
            start = pos + 1
    return parts + [text[start:]]


def split_name(before):
    """(name, description) from the text before "born":
    "Ken Thompson, creator of unix", "Blues guitarist Albert King" and
    "William Henry Fox Talbot (photographic pioneer)" give both parts."""
    parts = [p.strip() for p in top_level_split(before)]
    name = parts[0]
    rest = [p for p in parts[1:] if p]
    while rest and rest[0] in NAME_SUFFIXES:
        name += ", " + rest.pop(0)
    aside = TRAILING_ASIDE.match(name)
    if aside:
        name = aside["name"]
        rest.insert(0, aside["aside"])
    words = name.split()
    common = [i for i, w in enumerate(words) if not name_word(w)]
    if common and len(words) - common[-1] > 2:
        rest.insert(0, " ".join(words[:common[-1] + 1]))
        name = " ".join(words[common[-1] + 1:])
    return name, ", ".join(rest)


class Person:
    """One birthday line: name, what the person was, year if known."""

    def __init__(self, name, details, year, rank):
        self.name = name
        self.details = details
        self.year = year
        self.rank = rank

    def preference(self):
        """Between two entries of one person: dated first, then the more
        detailed, then file order."""
        return self.rank[0], -len(self.line()), self.rank[1]

    def line(self):
        """"Name, details (YYYY)" in cp1252, at most STRING_LIMIT bytes."""
        name = ansi_text(self.name)
        year = ansi_text(" (%s)" % self.year) if self.year else b""
        details = ansi_text(", ".join(d for d in self.details if d))
        room = STRING_LIMIT - len(name) - len(year) - 2
        if len(details) > room:
            details = details[:max(room, 0)].rsplit(b" ", 1)[0].rstrip(b",")
        text = name + (b", " + details if details else b"") + year
        return text[:STRING_LIMIT]


def birth_of(entry, rank):
    """The person whose birth the entry reports, or None."""
    born = BORN.search(entry.text)
    if born and paren_depth(entry.text, born.start()) == 0:
        return born_person(entry, born, rank)
    observance = BIRTHDAY.match(entry.text)
    if observance and not born:
        return observed_person(observance, rank)
    return None


def born_person(entry, born, rank):
    """"NAME[, WHAT] [is] born [in PLACE], YEAR[, WHAT]"."""
    name, what = split_name(entry.text[:born.start()].strip(" ,"))
    if not looks_like_person(name):
        return None
    after = entry.text[born.end():]
    year = entry_year(after)
    place, more = after, ""
    year_text = None
    if year:
        place = after[:year[2].start()]
        more = after[year[2].end():].strip(" ,")
        year_text = "%d%s" % (year[0], "?" if year[1] else "")
    place = place.strip(" ,")
    if not what and not more and entry.source in MUSICIAN_FILES:
        what = "musician"
    details = [what, more]
    if place.startswith(("in ", "at ", "near ")):
        details.append("born " + place)
    return Person(name, details, year_text, (0 if year else 1, rank))


def observed_person(observance, rank):
    """"NAME's Birthday [...] in PLACE": a birthday kept as a holiday."""
    name = observance["name"].strip()
    if OFFICES.match(name) or not looks_like_person(name):
        return None
    place = PLACE.search(observance["rest"])
    details = ["birthday observed in " + place["place"].strip()] if place else []
    return Person(name, details, None, (1, rank))


def birthday_rows(entries):
    """Day key -> up to five birthday lines, dated people first, each day's
    lines in order of birth year."""
    people = {}
    for rank, entry in enumerate(entries):
        person = birth_of(entry, rank)
        if person is not None:
            people.setdefault(entry.month * 100 + entry.day, []).append(person)
    rows = {}
    for key, persons in people.items():
        chosen = sorted(one_per_name(persons), key=lambda p: p.rank)[:PEOPLE_PER_DAY]
        chosen.sort(key=lambda p: (p.year is None, p.year or "", p.rank))
        rows[key] = [p.line() for p in chosen]
    return rows


def one_per_name(persons):
    """The preferred entry of each person named more than once."""
    best = {}
    for person in persons:
        kept = best.get(person.name)
        if kept is None or person.preference() < kept.preference():
            best[person.name] = person
    return best.values()


def event_rows(entries):
    """Year -> the memo of that year's dated entries, one "Mon D text" line
    each, in calendar order."""
    years = {}
    for entry in entries:
        year = entry_year(entry.text)
        if year is None or year[1]:
            continue
        line = ansi_text("%s %d %s" % (MONTHS[entry.month - 1], entry.day,
                                       without_year(entry.text, year[2])))
        years.setdefault(year[0], set()).add((entry.month, entry.day, line))
    return {year: b"\n".join(line for _, _, line in sorted(lines))
            for year, lines in years.items()}


def write_tsv(path, header, rows):
    """Writes the header line and one line per row (lists of bytes)."""
    with open(path, "wb") as out:
        out.write(header.encode("ascii") + b"\n")
        for row in rows:
            out.write(b"\t".join(row) + b"\n")


def main(argv):
    if len(argv) != 3:
        sys.stderr.write("usage: derive_calendar.py CALENDAR_DIR OUT_DIR\n")
        return 2
    calendar_dir = pathlib.Path(argv[1])
    out_dir = pathlib.Path(argv[2])
    entries = []
    for name in SOURCE_FILES:
        path = calendar_dir / name
        if path.is_file():
            entries += read_entries(path)
    if not entries:
        sys.stderr.write("no calendar entries found in %s\n" % calendar_dir)
        return 1
    out_dir.mkdir(parents=True, exist_ok=True)

    birthdays = birthday_rows(entries)
    header = "Day:int:key\t" + "\t".join(
        "Person%d:string" % (i + 1) for i in range(PEOPLE_PER_DAY))
    write_tsv(out_dir / "Birthday.tsv", header,
              ([str(key).encode("ascii")] +
               [tsv_cell(line) for line in lines] +
               [b""] * (PEOPLE_PER_DAY - len(lines))
               for key, lines in sorted(birthdays.items())))

    events = event_rows(entries)
    write_tsv(out_dir / "Event.tsv", "Year:int:key\tEvents:memo",
              ([str(year).encode("ascii"), tsv_cell(memo)]
               for year, memo in sorted(events.items())))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
