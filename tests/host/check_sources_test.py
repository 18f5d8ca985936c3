#!/usr/bin/env python3
"""Checks that check_sources.py finds each fault of a derived Birthday or
Event table, on invented tables."""

import calendar
import pathlib
import subprocess
import sys
import tempfile
import unittest

SCRIPT = pathlib.Path(__file__).resolve().parents[2] / "data" / "tables" / "check_sources.py"
DAYS = [m * 100 + d for m in range(1, 13) for d in range(1, calendar.monthrange(2024, m)[1] + 1)]


def birthdays():
    """Day key -> five sound cells, every name different."""
    return {day: ["Person %d %s, job (%d)" % (day, "ABCDE"[i], 1800 + i) for i in range(5)]
            for day in DAYS}


def events():
    """Year -> six sound lines."""
    return {year: ["Jan %d Thing %d happens" % (i + 1, i) for i in range(6)]
            for year in range(1901, 2025)}


def check(folder, people, news):
    """Writes the two tables and runs the checks; (exit code, output)."""
    (folder / "Birthday.tsv").write_bytes(
        ("Day:int:key\t" + "\t".join("Person%d:string" % i for i in range(1, 6)) + "\n" +
         "".join("%d\t%s\n" % (day, "\t".join(cells)) for day, cells in people.items()))
        .encode("latin-1"))
    (folder / "Event.tsv").write_bytes(
        ("Year:int:key\tEvents:memo\n" +
         "".join("%d\t%s\n" % (year, "\\n".join(lines)) for year, lines in news.items()))
        .encode("latin-1"))
    run = subprocess.run([sys.executable, str(SCRIPT), str(folder / "Birthday.tsv"),
                          str(folder / "Event.tsv")], capture_output=True, text=True)
    return run.returncode, run.stdout


class CheckSourcesTest(unittest.TestCase):
    def test_sound_tables_pass(self):
        with tempfile.TemporaryDirectory() as folder:
            self.assertEqual(check(pathlib.Path(folder), birthdays(), events()),
                             (0, "Birthday.tsv: ok\nEvent.tsv: ok\n"))

    def test_each_fault_fails(self):
        def person(day, index, text):
            return lambda people, news: people[day].__setitem__(index, text)

        def line(year, index, text):
            return lambda people, news: news[year].__setitem__(index, text)

        cases = {
            "byte 0xe9 is not printable ASCII": person(101, 0, "Ren\u00e9 A, job (1800)"),
            "is not 'Name, known for (year)'": person(101, 0, "Ann Lee (1800)"),
            "day 102: Person 101 A also on day 101": person(102, 0, "Person 101 A, job (1805)"),
            "day 101: Person 101 B twice": person(101, 0, "Person 101 B, job (1800)"),
            "people not in order of birth year": person(101, 0, "Person 101 A, job (1850)"),
            "days without 5 people, 1: 229": person(229, 4, ""),
            "keys differ from 101..1231: 1 missing [1231]":
                lambda people, news: people.pop(1231),
            "names ['1932']": line(1931, 2, "Jan 3 The 1932 games are planned"),
            "is not 'Mon D text' with a real date": line(1931, 1, "Feb 30 No such day"),
            "is a birth, not news": line(1931, 3, "Jan 4 Ann Lee is born in Town"),
            "lines not in date order": line(1931, 0, "Mar 1 Too late"),
            "years without 6 events, 2: 1950, 2024": lambda people, news: (
                news[1950].pop(), news.pop(2024)),
        }
        for problem, spoil in cases.items():
            people, news = birthdays(), events()
            spoil(people, news)
            with self.subTest(problem=problem), tempfile.TemporaryDirectory() as folder:
                code, output = check(pathlib.Path(folder), people, news)
                self.assertEqual(code, 1)
                self.assertIn(problem, output)

    def test_namesakes_born_apart_are_two_people(self):
        people = birthdays()
        people[102][4] = "Person 101 A, job (1900)"
        with tempfile.TemporaryDirectory() as folder:
            self.assertEqual(check(pathlib.Path(folder), people, events())[0], 0)


if __name__ == "__main__":
    unittest.main()
