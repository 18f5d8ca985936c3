#!/usr/bin/env python3
"""Checks the readable table sources before they are built into .dtf files.

Usage: check_sources.py [FILE.tsv ...]   (default: every *.tsv beside this script)

Each file must be printable ASCII, tab-separated, with a header of NAME:TYPE or
NAME:TYPE:key fields (the first one the integer key), the same number of cells
on every line, string cells of at most 255 bytes, valid memo escapes, integer
cells that are integers, and keys ascending without repeats. The year tables
must hold every year of their range.

The derived Birthday.tsv must give each of the 366 days five people, each
"Name, known for (year)" ("(63 BC)", "(1450?)"), a day's people in order of
birth year, and no person twice, on one day or on two (two people of one name
born more than ten years apart are two people). The derived Event.tsv must give
every year from 1901 to 2024 six lines or more, each "Mon D text" in date
order; no line may name a year other than its record's or tell a birth.
"""
import calendar
import pathlib
import re
import sys

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent.parent))
from calendar_lines import other_years  # noqa: E402

FIELD_TYPES = {"int", "string", "memo"}
MAX_STRING_BYTES = 255
MEMO_ESCAPE = re.compile(r"\\(.)")
MEMO_ESCAPES = {"n", "t", "\\"}
COMPLETE_KEYS = {
    "literat.tsv": range(1901, 2025),
    "movies.tsv": range(1901, 2025),
    "sport.tsv": range(1901, 2025),
    "zodiac.tsv": range(0, 12),
    "chinese.tsv": range(0, 12),
    "stone.tsv": range(1, 13),
    "Birthday.tsv": [m * 100 + d for m in range(1, 13)
                     for d in range(1, calendar.monthrange(2024, m)[1] + 1)],
}
PEOPLE_PER_DAY = 5
EVENTS_PER_YEAR = 6
EVENT_YEARS = range(1901, 2025)
NAMESAKE_YEARS = 10
PERSON = re.compile(r"(?P<name>[^,]+), (?P<known>.+) \((?P<year>\d{1,4})(?P<mark> BC|\?)?\)")
EVENT_LINE = re.compile(r"(?P<month>[A-Z][a-z]{2}) (?P<day>\d{1,2}) \S.*")
MONTHS = [calendar.month_abbr[m] for m in range(1, 13)]


def parse_header(cells, problems):
    types = []
    for index, cell in enumerate(cells):
        parts = cell.split(":")
        if len(parts) not in (2, 3) or not parts[0] or parts[1] not in FIELD_TYPES:
            problems.append(f"header field {index} '{cell}' is not NAME:TYPE[:key]")
        elif len(parts) == 3 and parts[2] != "key":
            problems.append(f"header field {index} '{cell}' has an unknown flag")
        elif len(parts[0]) > 10:
            problems.append(f"header field {index} '{parts[0]}' is longer than 10 bytes")
        types.append(parts[1] if len(parts) > 1 else "")
    if not cells or not cells[0].endswith(":int:key"):
        problems.append("field 0 must be the integer key (NAME:int:key)")
    return types


def check_cell(cell, field_type, where, problems):
    if field_type == "int":
        if not re.fullmatch(r"-?[0-9]+", cell):
            problems.append(f"{where}: '{cell}' is not an integer")
    elif field_type == "string":
        if len(cell.encode("ascii", "replace")) > MAX_STRING_BYTES:
            problems.append(f"{where}: string of {len(cell)} bytes (max {MAX_STRING_BYTES})")
    elif field_type == "memo":
        bad = [m.group(0) for m in MEMO_ESCAPE.finditer(cell) if m.group(1) not in MEMO_ESCAPES]
        if bad or cell.endswith("\\") and not cell.endswith("\\\\"):
            problems.append(f"{where}: bad memo escape {bad or ['trailing backslash']}")
    if cell != cell.strip(" "):
        problems.append(f"{where}: leading or trailing blank")


def check_file(path):
    problems = []
    data = path.read_bytes()
    for offset, byte in enumerate(data):
        if byte != 10 and byte != 9 and not 32 <= byte <= 126:
            line = data.count(b"\n", 0, offset) + 1
            problems.append(f"line {line}: byte 0x{byte:02x} is not printable ASCII")
    if not data.endswith(b"\n"):
        problems.append("file does not end with a line feed")
    lines = data.decode("ascii", "replace").split("\n")[:-1]
    if not lines:
        return ["file is empty"]
    types = parse_header(lines[0].split("\t"), problems)
    keys = []
    for number, line in enumerate(lines[1:], start=2):
        cells = line.split("\t")
        if len(cells) != len(types):
            problems.append(f"line {number}: {len(cells)} cells, header has {len(types)}")
            continue
        for index, (cell, field_type) in enumerate(zip(cells, types)):
            check_cell(cell, field_type, f"line {number} field {index}", problems)
        if re.fullmatch(r"-?[0-9]+", cells[0]):
            key = int(cells[0])
            if keys and key <= keys[-1]:
                problems.append(f"line {number}: key {key} not above {keys[-1]}")
            keys.append(key)
    expected = COMPLETE_KEYS.get(path.name)
    if expected is not None and keys != list(expected):
        missing = sorted(set(expected) - set(keys))
        extra = sorted(set(keys) - set(expected))
        problems.append(f"keys differ from {expected[0]}..{expected[-1]}: "
                        f"{len(missing)} missing {missing[:10]}, unexpected {extra[:10]}")
    records = {int(c[0]): c[1:] for c in (line.split("\t") for line in lines[1:])
               if len(c) == len(types) and re.fullmatch(r"-?[0-9]+", c[0])}
    if path.name in CONTENT_CHECKS:
        CONTENT_CHECKS[path.name](records, problems)
    return problems


def listed(keys):
    """"3: 101, 229, 1231" for a problem that concerns many keys."""
    return f"{len(keys)}: " + ", ".join(map(str, keys[:12])) + (" ..." if len(keys) > 12 else "")


def folded(name):
    return re.sub(r"[^a-z0-9]", "", name.lower())


def check_birthdays(records, problems):
    short_days, seen = [], {}
    for day, cells in records.items():
        people = [cell for cell in cells if cell]
        if len(people) != PEOPLE_PER_DAY:
            short_days.append(day)
        years = []
        for cell in people:
            person = PERSON.fullmatch(cell)
            if not person:
                problems.append(f"day {day}: '{cell}' is not 'Name, known for (year)'")
                continue
            year = int(person["year"]) * (-1 if person["mark"] == " BC" else 1)
            years.append(year)
            for other_day, other_year in seen.get(folded(person["name"]), []):
                if abs(other_year - year) <= NAMESAKE_YEARS:
                    where = "twice" if other_day == day else f"also on day {other_day}"
                    problems.append(f"day {day}: {person['name']} {where}")
            seen.setdefault(folded(person["name"]), []).append((day, year))
        if years != sorted(years):
            problems.append(f"day {day}: people not in order of birth year")
    if short_days:
        problems.append(f"days without {PEOPLE_PER_DAY} people, " + listed(short_days))


def real_date(year, event):
    month = MONTHS.index(event["month"]) + 1 if event["month"] in MONTHS else 0
    return month > 0 and 1 <= int(event["day"]) <= calendar.monthrange(year, month)[1]


def check_events(records, problems):
    counts = {}
    for year, (memo,) in records.items():
        text = re.sub(r"\\(.)", lambda m: {"n": "\n", "t": "\t"}.get(m[1], m[1]), memo)
        lines = text.split("\n") if text else []
        counts[year] = len(lines)
        dates = []
        for line in lines:
            event = EVENT_LINE.fullmatch(line)
            if not event or not real_date(max(year, 1), event):
                problems.append(f"year {year}: '{line}' is not 'Mon D text' with a real date")
                continue
            dates.append((MONTHS.index(event["month"]), int(event["day"])))
            if other_years(line, year):
                problems.append(f"year {year}: '{line}' names {other_years(line, year)}")
            if re.search(r"\bborn\b", re.sub(r"\([^)]*\)", "", line)):
                problems.append(f"year {year}: '{line}' is a birth, not news")
        if dates != sorted(dates):
            problems.append(f"year {year}: lines not in date order")
    thin = [y for y in EVENT_YEARS if counts.get(y, 0) < EVENTS_PER_YEAR]
    if thin:
        problems.append(f"years without {EVENTS_PER_YEAR} events, " + listed(thin))


CONTENT_CHECKS = {"Birthday.tsv": check_birthdays, "Event.tsv": check_events}


def main(arguments):
    here = pathlib.Path(__file__).resolve().parent
    paths = [pathlib.Path(a) for a in arguments] or sorted(here.glob("*.tsv"))
    failed = False
    for path in paths:
        problems = check_file(path)
        failed = failed or bool(problems)
        status = "ok" if not problems else f"{len(problems)} problem(s)"
        print(f"{path.name}: {status}")
        for problem in problems:
            print(f"  {problem}")
    return 1 if failed or not paths else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
