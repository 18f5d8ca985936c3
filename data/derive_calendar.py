#!/usr/bin/env python3
"""Builds the Birthday and Event table sources from the BSD calendar files,
a reviewed list of overrides and the project's own supplements.

    derive_calendar.py CALENDAR_DIR OUT_DIR [--supplements DIR] [--overrides FILE]

Writes OUT_DIR/Birthday.tsv (five people per day of the year, key
month * 100 + day, each "Name, known for (year)"), OUT_DIR/Event.tsv (the
dated lines of each year as one memo, key year) in the TSV form that
`dtf build` reads, and OUT_DIR/notes.txt, every line left out and why.
Prints what each source gave. The output depends on the input files only.

Births: a calendar line "NAME[, WHAT] [is] born [in PLACE], YEAR[, WHAT]"
about a person, dated to the day. Holidays ("X's Birthday in Y"),
baptisms, lines that call their date uncertain and lines about things
(a project, a navy) are no births; a line about a birth is never news.
The supplements (births-MM.tsv: "MM-DD<TAB>YEAR<TAB>NAME<TAB>KNOWN FOR")
add people of our own choosing. The same person is kept once: names are
compared with case, accents, punctuation, quoted nicknames, asides and
titles set aside; on one day a shorter form of a name ("Ann Lee" for
"Ann Mary Lee") is the same person too. Where the supplement dates a
person the calendar dates otherwise, the supplement wins. A day takes at
most five people who say what they are known for: the calendar's first,
in file order, then the supplement's in file order; they are listed by
year of birth, those before the common era first.

Events: every other calendar line with a certain year of the common era,
and the supplements (events-*.tsv: "YYYY-MM-DD<TAB>TEXT"). A year's lines
stand in date order, the supplement's first on a date; a line that repeats
one kept before (the same words, or mostly the same, on any date of the
year) is left out, the supplement's wording being kept first. An aside
naming another year is cut; a line that still names another year is left
out. The overrides leave out a calendar line or correct a misspelt word of
it.
"""

import argparse
import collections
import datetime
import pathlib
import re
import sys

from calendar_lines import (DAYS_IN_MONTH, MONTHS, Year, ascii_text, find_year,
                            other_years, paren_depth, read_entries, without_year)

HERE = pathlib.Path(__file__).resolve().parent

# The English calendar files, in order of preference. Fiction (lotr,
# discordian), the per-year Jewish calendars, files in other languages and
# the projects' own files about their members (freebsd, debian) are not read.
SOURCE_FILES = (
    "calendar.birthday", "calendar.history", "calendar.music",
    "calendar.computer", "calendar.holiday", "calendar.usholiday",
    "calendar.christian", "calendar.unitedkingdom", "calendar.australia",
    "calendar.newzealand", "calendar.southafrica", "calendar.eu",
    "calendar.belgium", "calendar.thai", "calendar.pagan",
)

PEOPLE_PER_DAY = 5
# Two people of one name born more years apart than this are two people.
NAMESAKE_YEARS = 10
STRING_LIMIT = 255

BORN = re.compile(r"\b(?:is |was )?born\b")
DIED = re.compile(r"\b(?:dies|died)\b")
UNCERTAIN_DATE = re.compile(r"\b(?:date uncertain|less certain)\b", re.I)
NAME_SUFFIXES = {"Jr": "Jr.", "Jr.": "Jr.", "Sr": "Sr.", "Sr.": "Sr.",
                 "II": "II", "III": "III", "IV": "IV"}
# "Name (what the person was)".
TRAILING_ASIDE = re.compile(r"^(?P<name>.+?)\s*\((?P<aside>[a-z][^)]*)\)$")
# Lower-case words that may stand inside a person's name.
NAME_PARTICLES = {"de", "da", "di", "du", "del", "der", "van", "von", "the",
                  "of", "la", "le", "y", "bin", "al", "ibn", "dos", "das"}
# Words that make a name a group or a thing rather than a person.
NOT_PEOPLE = {"navy", "army", "project", "union", "company", "corporation",
              "party", "society", "club", "band", "university", "college",
              "church", "republic", "quintuplets", "twins", "baby"}
# Words set aside at the start and at the end of a name when two names are
# compared.
TITLES = {"sir", "dr", "st", "saint", "king", "queen", "pope", "lord", "lady",
          "president", "commodore", "count"}
SUFFIXES = {"jr", "sr"}

SUPPLEMENT_BIRTH = re.compile(
    r"(?P<month>\d\d)-(?P<day>\d\d)\t(?P<year>\d{1,4})(?P<mark> BC|\?)?\t"
    r"(?P<name>[^\t]+)\t(?P<known>[^\t]+)")
SUPPLEMENT_EVENT = re.compile(r"(?P<year>\d{4})-(?P<month>\d\d)-(?P<day>\d\d)\t(?P<text>[^\t]+)")
OVERRIDE_DATE = re.compile(r"(?:(?P<year>\d{4})-)?(?P<month>\d\d)-(?P<day>\d\d)")
BIRTH_ACTIONS = ("drop", "name", "known")
EVENT_ACTIONS = ("drop", "spell")
# A "spell" row names the misspelt words and their right spelling, never a
# calendar sentence.
SPELL_WORDS = 4


class Person:
    """One person born on a day: year (a Year), name, what the person is
    known for ("" if not said) and where the line came from."""

    def __init__(self, month, day, year, name, known_for, origin):
        self.month = month
        self.day = day
        self.year = year
        self.name = name
        self.known_for = known_for
        self.origin = origin

    def words(self):
        return name_words(self.name)

    def line(self):
        """"Name, known for (year)", at most STRING_LIMIT bytes."""
        year = " (%s)" % self.year.label()
        room = STRING_LIMIT - len(self.name) - len(year) - 2
        known = self.known_for
        if len(known) > room:
            known = known[:max(room, 0)].rsplit(" ", 1)[0].rstrip(",;")
        return "%s, %s%s" % (self.name, known, year)


class Event:
    """One dated line of news: year, month, day, text, origin."""

    def __init__(self, year, month, day, text, origin):
        self.year = year
        self.month = month
        self.day = day
        self.text = text
        self.origin = origin

    def line(self):
        return "%s %d %s" % (MONTHS[self.month - 1], self.day, self.text)


def fold(text):
    """Lower-case ASCII letters and digits of a text, in words."""
    return re.findall(r"[a-z0-9]+", ascii_text(text).lower())


def name_words(name):
    """The words by which two names are compared: no quoted nickname, no
    aside in brackets, no title."""
    words = fold(re.sub(r'"[^"]*"|\([^)]*\)', " ", name))
    start, end = 0, len(words)
    while start < end - 1 and words[start] in TITLES:
        start += 1
    while end > start + 1 and words[end - 1] in SUFFIXES:
        end -= 1
    return words[start:end]


def same_person(a, b, same_day):
    """True when two names name one person: the same words run together
    ("Du Bois", "DuBois"), or, on one day, the same first and last word
    and the other words of the shorter name, or their initials, in the
    longer in the same order ("Ann Lee", "Ann B. Lee", "Ann Beth Lee")."""
    if "".join(a) == "".join(b):
        return True
    short, long_ = sorted((a, b), key=len)
    if not same_day or len(short) < 2 or short[0] != long_[0] or short[-1] != long_[-1]:
        return False
    rest = iter(long_[1:-1])
    return all(any(w == v or len(w) == 1 and v.startswith(w) for v in rest)
               for w in short[1:-1])


def first_outside_parens(pattern, text):
    for match in pattern.finditer(text):
        if paren_depth(text, match.start()) == 0:
            return match
    return None


def top_level_split(text):
    """The text split at the commas that stand outside parentheses."""
    parts, start = [], 0
    for pos, ch in enumerate(text):
        if ch == "," and paren_depth(text, pos) == 0:
            parts.append(text[start:pos])
            start = pos + 1
    return parts + [text[start:]]


def name_word(word):
    """True for a word that can stand in a person's name."""
    word = word.strip('"()')
    return word[:1].isupper() or not word[:1].isalpha() or word in NAME_PARTICLES


def looks_like_person(name):
    """True for a capitalised name without common lower-case words, and
    without words that make it a group or a thing."""
    words = name.split()
    return (bool(words) and words[0].strip('"()')[:1].isupper()
            and all(name_word(w) for w in words)
            and not NOT_PEOPLE.intersection(fold(name)))


def split_name(subject):
    """(name, [what the person was]) from the text before "born": "Ann Lee,
    inventor of things", "Jazz singer Ann Lee" and "Ann Lee (map maker)"
    give both parts; "(Sir)" and other asides in a name are dropped."""
    parts = [p.strip() for p in top_level_split(subject)]
    name = parts[0]
    rest = [p for p in parts[1:] if p]
    while rest and rest[0] in NAME_SUFFIXES:
        name += " " + NAME_SUFFIXES[rest.pop(0)]
    aside = TRAILING_ASIDE.match(name)
    if aside:
        name = aside["name"]
        rest.insert(0, aside["aside"])
    name = re.sub(r"\s*\([^)]*\)", "", name).strip()
    words = name.split()
    common = [i for i, w in enumerate(words) if not name_word(w)]
    if common and len(words) - common[-1] > 2:
        lead = " ".join(words[:common[-1] + 1])
        rest.insert(0, lead[:1].lower() + lead[1:])
        name = " ".join(words[common[-1] + 1:])
    return name, rest


def calendar_birth(entry):
    """(Person, None) for a line about a person's birth, (None, reason)
    for another line with "born" in it, (None, None) for any other line."""
    born = first_outside_parens(BORN, entry.text)
    if born is None:
        return None, None
    name, what = split_name(entry.text[:born.start()].strip(" ,"))
    year = find_year(entry.text)
    if not looks_like_person(name):
        return None, "not a person"
    if year is None or year.start < born.end():
        return None, "no year"
    if UNCERTAIN_DATE.search(entry.text):
        return None, "the line calls its date uncertain"
    after = entry.text[year.end:].strip(" ,;.")
    if after and not after.startswith("("):
        what.append(after)
    origin = "%s:%d" % (entry.source, entry.line)
    known_for = ", ".join(what).replace(" & ", " and ")
    return Person(entry.month, entry.day, year, name, known_for, origin), None


def calendar_event(entry):
    """(Event, None), or (None, reason) for a line that is no dated news."""
    year = find_year(entry.text)
    if year is None:
        return None, None
    if year.uncertain or year.value < 1:
        return None, "year uncertain or before the common era"
    text = without_year(entry.text, year)
    for aside in re.findall(r"\s*\([^()]*\)", text):
        if other_years(aside, year.value):
            text = text.replace(aside, "")
    if other_years(text, year.value):
        return None, "names another year"
    origin = "%s:%d" % (entry.source, entry.line)
    return Event(year.value, entry.month, entry.day, text, origin), None


def death_years(entries):
    """Folded name -> year of death, from the calendar's "X dies" lines."""
    deaths = {}
    for entry in entries:
        died = first_outside_parens(DIED, entry.text)
        year = find_year(entry.text)
        if died and year and not year.uncertain:
            name, _ = split_name(entry.text[:died.start()].strip(" ,"))
            deaths["".join(name_words(name))] = year.value
    return deaths


class Overrides:
    """The reviewed corrections of the calendar files, one a line:
    "MM-DD<TAB>NAME<TAB>ACTION<TAB>VALUE" for a birth, ACTION being drop
    (VALUE: why), name (VALUE: the name to show) or known (VALUE: what the
    person is known for); "YYYY-MM-DD<TAB>TEXT<TAB>drop<TAB>REASON" and
    "YYYY-MM-DD<TAB>WRONG<TAB>spell<TAB>RIGHT" for the events of a date.
    NAME is the name as derived from the calendar line, TEXT the start of
    the event's text, WRONG misspelt words of it (whole words, at most
    SPELL_WORDS) and RIGHT their spelling."""

    def __init__(self, path, sources):
        self.rows = []
        self.name = path.name
        if not path.is_file():
            return
        for number, line in source_lines(path, sources):
            cells = line.split("\t")
            date = OVERRIDE_DATE.fullmatch(cells[0])
            if not (len(cells) == 4 and date and cells[2] in (
                    BIRTH_ACTIONS if date["year"] is None else EVENT_ACTIONS)
                    and (cells[2] != "spell" or spelling(cells[1], cells[3]))):
                sources.fault("%s:%d: not an override line: %s" % (path.name, number, line))
                continue
            key = (int(date["year"] or 0), int(date["month"]), int(date["day"]))
            self.rows.append({"key": key, "subject": cells[1], "action": cells[2],
                              "value": cells[3], "used": False, "line": number})

    def matching(self, key, actions, test):
        for row in self.rows:
            if row["key"] == key and row["action"] in actions and test(row["subject"]):
                row["used"] = True
                yield row

    def apply_to_birth(self, person):
        """Applies the rows of the person; returns why it is dropped, or None."""
        words = "".join(person.words())
        for row in self.matching((0, person.month, person.day), BIRTH_ACTIONS,
                                 lambda s: "".join(name_words(s)) == words):
            if row["action"] == "drop":
                return "override: " + row["value"]
            setattr(person, {"name": "name", "known": "known_for"}[row["action"]], row["value"])
        return None

    def event_dropped(self, event):
        text = " ".join(fold(event.text))
        for row in self.matching((event.year, event.month, event.day), ("drop",),
                                 lambda s: text.startswith(" ".join(fold(s)))):
            return "override: " + row["value"]
        return None

    def correct_spelling(self, event):
        """Writes the words of the date's "spell" rows as they are spelt,
        wherever they stand whole in the event's text."""
        for row in self.matching((event.year, event.month, event.day), ("spell",),
                                 lambda s: whole_words(s).search(event.text)):
            event.text = whole_words(row["subject"]).sub(lambda _: row["value"], event.text)

    def note_unused(self, sources):
        for row in self.rows:
            if not row["used"]:
                sources.warnings.append("%s:%d: matches no calendar line"
                                        % (self.name, row["line"]))


def whole_words(words):
    """A pattern of the words standing whole in a text, not inside longer
    words."""
    return re.compile(r"(?<!\w)%s(?!\w)" % re.escape(words))


def spelling(wrong, right):
    """True for a correction of a few misspelt words: both sides short and
    different."""
    return wrong != right and all(0 < len(side.split()) <= SPELL_WORDS
                                  for side in (wrong, right))


class Sources:
    """Everything read, with what each file gave and the notes of what was
    left out."""

    def __init__(self):
        self.births = []
        self.events = []
        self.counts = {}
        self.notes = []
        self.faults = []
        self.warnings = []

    def note(self, origin, text, reason):
        self.notes.append("%s: %s -- %s" % (origin, text, reason))

    def fault(self, text):
        """A fault that must be fixed before the tables are written: a
        conflict of the calendar files that no override settles, a bad
        line of a hand-written file."""
        self.faults.append(text)

    def count(self, source, births, events):
        self.counts[source] = (births, events)


def read_calendar(calendar_dir, overrides, sources):
    """Adds the calendar's births and events to sources."""
    entries = []
    for name in SOURCE_FILES:
        path = calendar_dir / name
        if path.is_file():
            entries += read_entries(path)
            sources.count(name, 0, 0)
    births, events = [], []
    for entry in entries:
        origin = "%s:%d" % (entry.source, entry.line)
        person, reason = calendar_birth(entry)
        if person is not None:
            reason = overrides.apply_to_birth(person)
            (births.append(person) if reason is None else
             sources.note(origin, entry.text, reason))
            continue
        if reason is not None:
            sources.note(origin, entry.text, reason)
            continue
        event, reason = calendar_event(entry)
        if event is not None:
            reason = overrides.event_dropped(event)
            if reason is None:
                overrides.correct_spelling(event)
                events.append(event)
        if reason is not None:
            sources.note(origin, entry.text, reason)
    check_calendar_people(births, death_years(entries), sources)
    for name in sources.counts:
        sources.count(name, sum(p.origin.startswith(name + ":") for p in births),
                      sum(e.origin.startswith(name + ":") for e in events))
    sources.births += births
    sources.events += events


def check_calendar_people(births, deaths, sources):
    """Notes the faults of the calendar files themselves that no override
    settles: a person born on two days, or born after dying."""
    for index, person in enumerate(births):
        key = "".join(person.words())
        death = deaths.get(key)
        if death is not None and person.year.value > death:
            sources.fault("%s: %s born %s, after dying in %d" % (
                person.origin, person.name, person.year.label(), death))
        for other in births[index + 1:]:
            if ("".join(other.words()) == key and not namesakes(person, other)
                    and (other.month, other.day) != (person.month, person.day)):
                sources.fault("%s and %s: %s born on %02d-%02d and %02d-%02d" % (
                    person.origin, other.origin, person.name, person.month, person.day,
                    other.month, other.day))


def source_lines(path, sources):
    """(line number, text) of a hand-written file's lines that are not
    comments; a line that is not printable ASCII is noted and left out."""
    for number, line in enumerate(path.read_text(encoding="utf-8", errors="replace")
                                  .splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        if re.fullmatch(r"[ -~\t]*", line):
            yield number, line
        else:
            sources.fault("%s:%d: not printable ASCII: %s" % (path.name, number, ascii(line)))


def real_birthday(match):
    month, day = int(match["month"]), int(match["day"])
    return 1 <= month <= 12 and 1 <= day <= DAYS_IN_MONTH[month - 1] and int(match["year"]) > 0


def real_date(match):
    try:
        return bool(datetime.date(int(match["year"]), int(match["month"]), int(match["day"])))
    except ValueError:
        return False


def read_supplement(path, line_form, valid, what, sources):
    """(match, origin) of each line of a supplement; a line of another form
    or with a date that does not exist is a fault."""
    found = []
    for number, line in source_lines(path, sources):
        match = line_form.fullmatch(line)
        if match and valid(match):
            found.append((match, "%s:%d" % (path.name, number)))
        else:
            sources.fault("%s:%d: not %s: %s" % (path.name, number, what, line))
    return found


def read_supplements(folder, sources):
    """Adds the supplements' births and events to sources."""
    for path in sorted(folder.glob("births-*.tsv")):
        found = read_supplement(path, SUPPLEMENT_BIRTH, real_birthday, "a birth line", sources)
        for match, origin in found:
            year = int(match["year"])
            year = Year(-year if match["mark"] == " BC" else year, match["mark"] == "?")
            sources.births.append(Person(int(match["month"]), int(match["day"]), year,
                                         match["name"], match["known"], origin))
        sources.count(path.name, len(found), 0)
    for path in sorted(folder.glob("events-*.tsv")):
        found = read_supplement(path, SUPPLEMENT_EVENT, real_date, "an event line", sources)
        for match, origin in found:
            sources.events.append(Event(int(match["year"]), int(match["month"]),
                                        int(match["day"]), match["text"], origin))
        sources.count(path.name, 0, len(found))


def from_calendar(item):
    return item.origin.startswith("calendar.")


def namesakes(a, b):
    """True for two people of one name born far apart (a painter and a
    philosopher, a father and a son): not one person on two days."""
    return abs(a.year.value - b.year.value) > NAMESAKE_YEARS


def merge_births(people, sources):
    """Day key -> the day's people (at most five), by the rules above."""
    supplement = {}
    for person in people:
        if not from_calendar(person):
            supplement.setdefault("".join(person.words()), []).append(person)
    days = {}
    for person in sorted(people, key=lambda p: not from_calendar(p)):
        elsewhere = [p for p in supplement.get("".join(person.words()), ())
                     if not namesakes(p, person)]
        if from_calendar(person) and elsewhere and all(
                (p.month, p.day) != (person.month, person.day) for p in elsewhere):
            sources.note(person.origin, person.name, "the supplement dates this person "
                         + " and ".join("%02d-%02d" % (p.month, p.day) for p in elsewhere))
            continue
        days.setdefault(person.month * 100 + person.day, []).append(person)
    chosen = {key: choose_people(day, sources) for key, day in sorted(days.items())}
    return {key: people for key, people in chosen.items() if people}


def choose_people(people, sources):
    """The day's people, each once, five at most, in order of birth year."""
    distinct = []
    for person in people:
        twin = next((p for p in distinct if same_person(p.words(), person.words(), True)), None)
        if twin is None:
            distinct.append(person)
            continue
        if from_calendar(person):
            twin.known_for = twin.known_for or person.known_for
            continue
        if twin.year.label() != person.year.label():
            sources.note(twin.origin, twin.name, "the supplement gives the year "
                         + person.year.label())
        twin.name, twin.year, twin.known_for = person.name, person.year, person.known_for
    for person in distinct:
        if not person.known_for:
            sources.note(person.origin, person.name, "not said what the person is known for")
    chosen = [p for p in distinct if p.known_for][:PEOPLE_PER_DAY]
    for person in distinct:
        if person.known_for and person not in chosen:
            sources.note(person.origin, person.name, "more than five people that day")
    order = {id(p): i for i, p in enumerate(chosen)}
    return sorted(chosen, key=lambda p: (p.year.value, order[id(p)]))


STOP_WORDS = {"a", "an", "the", "of", "in", "on", "at", "to", "for", "by", "and",
              "is", "are", "was", "its", "his", "her", "their", "with", "from", "as"}


def event_words(text):
    """The words that carry an event's meaning, crudely stemmed ("opens",
    "opened" and "opening" alike, "dies" and "died" alike)."""
    words = set()
    for word in fold(text.replace("'s ", " ")):
        if word in STOP_WORDS:
            continue
        if word.endswith(("ied", "ies")) and len(word) >= 4:
            word = word[:-3] + "ie"
        elif word.endswith(("sses", "xes", "ches", "shes")):
            word = word[:-2]
        elif word.endswith("ing") and len(word) > 5:
            word = word[:-3]
        elif word.endswith("ed") and len(word) > 4:
            word = word[:-2]
        elif word.endswith("s") and not word.endswith("ss") and len(word) > 3:
            word = word[:-1]
        words.add(word)
    return words


def event_names(text):
    """The capitalised words and the numbers of an event's text, in order."""
    return [w for w in fold(" ".join(re.findall(r"\b[A-Z0-9][\w.]*", text)))
            if w not in STOP_WORDS]


def misspelt(a, b):
    """True for two words of five letters or more that differ by one letter
    left out ("Malcom" for "Malcolm")."""
    short, long_ = sorted((a, b), key=len)
    return len(short) >= 5 and len(long_) == len(short) + 1 and any(
        long_[:i] + long_[i + 1:] == short for i in range(len(long_)))


def same_event(a, b):
    """True when two lines of one year tell one event. On one date: half
    the words of the shorter line in the longer, and one of the first two
    names of a line among the words of the other ("Ann Lee dies in Rome" is
    not "Bob Hill dies in Rome"). On two dates: two thirds of all their
    words the same, and the names and numbers of one all in the other
    ("Alaska becomes a state" is not "Hawaii becomes a state"). A word
    misspelt by one letter is the same word."""
    wa, wb = event_words(a.text), event_words(b.text)
    if wa == wb:
        return True
    small, large = sorted((wa, wb), key=len)
    shared = sum(w in large or any(misspelt(w, v) for v in large) for w in small)
    every = len(wa) + len(wb) - shared
    if shared < 2:
        return False
    na, nb = event_names(a.text), event_names(b.text)
    if (a.month, a.day) == (b.month, b.day):
        return shared >= 0.5 * len(small) and bool(
            not na or not nb or event_words(" ".join(na[:2])) & wb
            or event_words(" ".join(nb[:2])) & wa)
    return 3 * shared >= 2 * every and (set(na) <= set(nb) or set(nb) <= set(na))


def merge_events(events, sources):
    """Year -> the year's lines in date order, repeats left out."""
    years = {}
    for event in sorted(events, key=from_calendar):
        kept = years.setdefault(event.year, [])
        twin = next((k for k in kept if same_event(k, event)), None)
        if twin is None:
            kept.append(event)
        else:
            sources.note(event.origin, event.line(), "repeats %s (%s)" % (twin.line(), twin.origin))
    return {year: sorted(kept, key=lambda e: (e.month, e.day))
            for year, kept in sorted(years.items())}


def tsv_cell(text):
    """Escapes backslash, tab and line feed for a dtf string or memo cell."""
    return text.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n")


def write_tsv(path, header, rows):
    """Writes the header line and one line per row (lists of texts)."""
    with open(path, "w", encoding="ascii", newline="\n") as out:
        out.write(header + "\n")
        for row in rows:
            out.write("\t".join(row) + "\n")


def report(sources, birthdays, events, out_dir):
    """Prints what each source gave and what of it the tables hold."""
    people = [p for day in birthdays.values() for p in day]
    lines = [e for year in events.values() for e in year]
    def per_file(items):
        return collections.Counter(item.origin.split(":")[0] for item in items)

    kept_births, kept_events = per_file(people), per_file(lines)
    print("Birthday and Event sources: births and events read, and kept in the tables")
    for name, (births, events_read) in sources.counts.items():
        print("  %-24s births %4d, kept %4d   events %4d, kept %4d" % (
            name, births, kept_births[name], events_read, kept_events[name]))
    full_days = sum(len(day) == PEOPLE_PER_DAY for day in birthdays.values())
    full_years = sum(len(events.get(y, ())) >= 6 for y in range(1901, 2025))
    print("  Birthday: %d people, %d from the calendar; days with five people: %d of 366"
          % (len(people), sum(map(from_calendar, people)), full_days))
    print("  Event: %d lines, %d from the calendar; years 1901-2024 with six lines: %d of 124"
          % (len(lines), sum(map(from_calendar, lines)), full_years))
    for warning in sources.warnings:
        print("  warning: " + warning)
    print("  %d lines left out, each with its reason, in %s" % (
        len(sources.notes), out_dir / "notes.txt"))


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("calendar_dir", type=pathlib.Path)
    parser.add_argument("out_dir", type=pathlib.Path)
    parser.add_argument("--supplements", type=pathlib.Path, default=HERE / "supplement")
    parser.add_argument("--overrides", type=pathlib.Path, default=HERE / "overrides.tsv")
    args = parser.parse_args(argv)

    sources = Sources()
    overrides = Overrides(args.overrides, sources)
    read_calendar(args.calendar_dir, overrides, sources)
    if not sources.counts:
        sys.stderr.write("no calendar files found in %s\n" % args.calendar_dir)
        return 1
    read_supplements(args.supplements, sources)
    overrides.note_unused(sources)

    args.out_dir.mkdir(parents=True, exist_ok=True)
    if sources.faults:
        for name in ("Birthday.tsv", "Event.tsv"):
            (args.out_dir / name).unlink(missing_ok=True)
        sys.stderr.write("".join("error: %s\n" % f for f in sources.faults))
        return 1
    birthdays = merge_births(sources.births, sources)
    events = merge_events(sources.events, sources)
    header = "Day:int:key\t" + "\t".join(
        "Person%d:string" % (i + 1) for i in range(PEOPLE_PER_DAY))
    write_tsv(args.out_dir / "Birthday.tsv", header,
              ([str(key)] + [tsv_cell(p.line()) for p in day] + [""] * (PEOPLE_PER_DAY - len(day))
               for key, day in birthdays.items()))
    write_tsv(args.out_dir / "Event.tsv", "Year:int:key\tEvents:memo",
              ([str(year), tsv_cell("\n".join(e.line() for e in lines))]
               for year, lines in events.items()))
    (args.out_dir / "notes.txt").write_text("".join(n + "\n" for n in sources.notes),
                                            encoding="ascii")
    report(sources, birthdays, events, args.out_dir)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
