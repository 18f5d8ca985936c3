#!/usr/bin/env python3
"""Checks derive_calendar.py on small calendar files of its own."""

import pathlib
import subprocess
import sys
import tempfile
import unittest

SCRIPT = pathlib.Path(__file__).resolve().parents[2] / "data" / "derive_calendar.py"

CALENDARS = {
    "calendar.birthday": """/*
 * 01/01\tinside a comment
 */
#include <calendar.world>
01/02\tAda Example born in Town, 1815
01/02\tBob Sample, inventor of things, born, 1901
01/02\tCarl Third born, 1850, first to do X
01/02\tDora Fourth born, 1700
01/02\tEve Fifth born, 1600
01/02\tFinn Sixth born, 1500
Jan 03\tGus Seventh born, 1777?
02/30\tNot A Day born, 1900
01/04\tSome project born, 1993
01/09\tZo\u00eb \u00dcnter born, 1950
01/10\t\u015cam \u0166est born, 1951
01/11\tJohn Smith, Jr. born, 1911
01/12\tHugh Back\\slash born, 1912
01/08\tElvis Presley born, 1935
""",
    "calendar.history": """01/02\tSomething happens in the
\tmiddle of town, 1901
01/02\tAn undated festival
05 Jan\tA battle, 480 BC
12/31\tA late event, 1901
""",
    "calendar.music": "01/08\tElvis Presley born in East Tupelo, Mississippi, 1935\n",
    "calendar.holiday": "06/19\tArtigas Birthday in Uruguay\n06/11\tQueen's Birthday\n",
    "calendar.lotr": "01/13\tFrodo Baggins born, 1368\n",
}


def derive(folder):
    for name, text in CALENDARS.items():
        (folder / name).write_text(text, encoding="utf-8")
    out = folder / "out"
    subprocess.run([sys.executable, str(SCRIPT), str(folder), str(out)], check=True)
    return ((out / "Birthday.tsv").read_bytes(), (out / "Event.tsv").read_bytes())


def rows(tsv):
    lines = tsv.split(b"\n")
    return lines[0], {line.split(b"\t")[0]: line.split(b"\t")[1:] for line in lines[1:] if line}


class DeriveCalendarTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with tempfile.TemporaryDirectory() as folder:
            cls.birthday, cls.event = derive(pathlib.Path(folder))
        cls.birthday_header, cls.people = rows(cls.birthday)
        cls.event_header, cls.years = rows(cls.event)

    def test_headers_declare_the_keys_and_fields(self):
        self.assertEqual(self.birthday_header, b"Day:int:key\tPerson1:string\tPerson2:string\t"
                         b"Person3:string\tPerson4:string\tPerson5:string")
        self.assertEqual(self.event_header, b"Year:int:key\tEvents:memo")

    def test_five_people_at_most_in_order_of_birth(self):
        self.assertEqual(self.people[b"102"], [
            b"Eve Fifth (1600)", b"Dora Fourth (1700)", b"Ada Example, born in Town (1815)",
            b"Carl Third, first to do X (1850)", b"Bob Sample, inventor of things (1901)"])

    def test_dates_in_every_form_and_uncertain_years(self):
        self.assertEqual(self.people[b"103"], [b"Gus Seventh (1777?)", b"", b"", b"", b""])

    def test_people_only(self):
        # Not a person, not a day, and a file of fiction.
        for key in (b"104", b"230", b"113"):
            self.assertNotIn(key, self.people)
        self.assertEqual(self.people[b"111"][0], b"John Smith, Jr. (1911)")

    def test_musicians_and_birthdays_kept_as_holidays(self):
        # Named in two files: the entry that says more is kept.
        self.assertEqual(self.people[b"108"],
                         [b"Elvis Presley, musician, born in East Tupelo, Mississippi (1935)",
                          b"", b"", b"", b""])
        self.assertEqual(self.people[b"619"][0], b"Artigas, birthday observed in Uruguay")
        self.assertNotIn(b"611", self.people)

    def test_text_in_the_ansi_code_page_and_escaped(self):
        self.assertEqual(self.people[b"109"][0], b"Zo\xeb \xdcnter (1950)")
        self.assertEqual(self.people[b"110"][0], b"Sam ?est (1951)")
        self.assertEqual(self.people[b"112"][0], b"Hugh Back\\\\slash (1912)")

    def test_events_of_a_year_in_calendar_order(self):
        self.assertEqual(self.years[b"1901"], [
            b"Jan 2 Bob Sample, inventor of things, born\\n"
            b"Jan 2 Something happens in the middle of town\\n"
            b"Dec 31 A late event"])

    def test_events_need_a_certain_year(self):
        self.assertNotIn(b"1777", self.years)
        self.assertNotIn(b"480", self.years)
        self.assertEqual(sorted(self.years), sorted(
            [b"1500", b"1600", b"1700", b"1815", b"1850", b"1901", b"1911", b"1912",
             b"1935", b"1950", b"1951", b"1993"]))

    def test_same_files_same_bytes(self):
        with tempfile.TemporaryDirectory() as folder:
            self.assertEqual(derive(pathlib.Path(folder)), (self.birthday, self.event))


if __name__ == "__main__":
    unittest.main()
