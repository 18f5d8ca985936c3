#!/usr/bin/env python3
"""Checks derive_calendar.py on calendar files, supplements and overrides of
its own; every line here is invented."""

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
01/02\tAda Example born in Town, 1815, weaver
01/02\tBob Sample, inventor of things, born, 1901
01/02\tCora Third born, 1850, first to do X
01/02\tDara Fourth born, 360, bishop
01/02\tEli Fifth born in Old City, 58 BC, orator
01/02\tFay Sixth born, 1500, maker of maps
Jan 03\tGus Seventh born, 1777?, lawyer
01/04\tSome project born, 1993
01/04\tHarbor Navy born, 1790
01/05\tIvo Party's Birthday (time for cake!)
01/05\tJuno Day's Birthday in Farland
01/06\tJon Oak, 3rd Mayor of Town, born 1722
01/06\tKim Ash, painter, born Lakeside,
\t\tNorth Shire 1741.
01/07\tRichard ``the Brave'', king of Somewhere born in Castle, 1160
01/07\tLena Stone (Sir) born, 1951, painter
01/08\tMira Vale born, 1786;
\t\tmapped the "Vale spot" cf May 2
01/09\tNed Twin born, 1900, surveyor
01/12\tPia Test born (date uncertain), 1500, composer
01/12\tRex Baptist baptised, 1600
01/13\tWrong Day born, 1800, chemist
01/16\tTom A. Rivers born, 1920, engineer
01/17\tGreat Ruler born, 340 BC
01/21\tJ.D. Sample born, 1990
""",
    "calendar.music": """LANG=UTF-8
01/24\tZed Player is born in Town, 1940
01/14\tQuin Bright born, 1950
01/15\tMae Duo born, 1930
01/16\tTom Albert Rivers is born in Port, 1920
01/18\tJo Tune (The Tunes) is born in Docktown, 1941
""",
    "calendar.history": """01/02\tAn invented storm crosses the bay, 1901
05/05\tA fair draws a crowd of 2,400 people, 1885
05/06\tA prize of $4,000, 1964
05/07\tMarchers number 250,000 in the square, 1994
05/08\tThe robot show (The Tin Parade) starts 1967
05/09\tAn old ruler falls, 71
05/10\tRocket Two launched, 1962.  A belt of dust found
05/11\tA musical opens in Stage Town (1970)
05/12\tFirst film shown by Jean and Luc Lumi\u00e8re, 1895
05/13\t61 \u00b0C measured at Hotfield, 1923
05/14\tThe florin becomes the euro (\u20ac), 1995
05/15\tA treaty is signed, 1969 (ended, March 3, 1975)
05/16\tA plan to finish by the year 2000 is made, 1977
05/17\tA hero falls at the Pass, 480 BC
05/18\tThe first island parade, 1910?
06/01\tBig bridge opens in Rivertown, 1937
06/03\tThe big bridge in Rivertown opens, 1937
06/04\tAlpha Isle becomes a state, 1959
06/05\tBeta Isle becomes a state, 1959
06/06\tCity hall burns down, 1930
06/06\tThe city hall burns to the ground, 1930
05/19\tA wrong-day event happens, 1905
05/20\tA crowd of 2,150 gathers
05/21\tLena Stone (Sir) dies, 2015
06/07\tRobot Club born, 1950
07/02\tRolando Q is shot dead while speaking in a hall in Northport, 1913
07/02\tRoland Q shot to death in Eastvale, 1913
07/03\tAnn Lee dies in Rome, 1914
07/03\tBob Hill died in Rome, 1914
07/05\tSmyth and Smythe sail to Farland, 1926
07/05\tA ship named for Smyth sinks, 1926
07/06\tSmyth returns, 1926
12/31\tA late invented event, 1901
""",
    "calendar.belgium": "LANG=utf-8\n\n03 Jan\tA canal opens in Flatland, 1950\n",
    "calendar.debian": "Jan  2\tJane Private becomes leader of the project, 1999\n",
    "calendar.lotr": "01/19\tPip Hollow born, 1368\n",
}

SUPPLEMENTS = {
    "births-01.tsv": """# MM-DD<TAB>YEAR<TAB>NAME<TAB>KNOWN_FOR
01-02\t1960\tQuill Extra\tpoet
01-10\t1900\tNed Twin\tland surveyor
01-20\t1450?\tUma Early\tprinter
01-20\t61 BC\tVera Old\torator
01-21\t1990\tJ. D. Sample\tchemist
01-22\t1950\tFay Sixth\tsinger
01-24\t1940\tZed Player\tjazz trumpeter
""",
    "events-1901-1962.tsv": """1901-01-02\tA storm from the invented sea crosses the bay
1901-06-15\tA day of the supplement
1930-06-06\tThe city hall of Oldtown burns down
""",
}

OVERRIDES = """# invented corrections
01-13\tWrong Day\tdrop\tborn on another day
01-06\tJon Oak\tname\tJonathan Oak
01-15\tMae Duo\tknown\tsinger
01-17\tGreat Ruler\tknown\truler of old
1905-05-19\tA wrong-day event\tdrop\thappened on another day
1999-01-01\tNothing\tdrop\tmatches no line
1926-07-05\tSmyth\tspell\tSmith
1926-07-05\tFarlend\tspell\tFarland
"""


def write_files(folder, files):
    folder.mkdir(parents=True, exist_ok=True)
    for name, text in files.items():
        (folder / name).write_text(text, encoding="utf-8")


# Faults of the sources themselves, which stop the derivation.
FAULTY_CALENDARS = {
    "calendar.birthday": """01/09\tNed Twin born, 1900, surveyor
01/10\tNed Twin born, 1900, surveyor
01/11\tOla Late born, 1600, sculptor
Feb 01\tOla Late dies in Rome, 1564
""",
}
# A correction of a birth's words, the same words, a calendar sentence.
FAULTY_OVERRIDES = """07-05\tSmyth\tspell\tSmith
1926-07-05\tSmyth\tspell\tSmyth
1926-07-05\tSmyth and Smythe sail to Farland\tspell\tSmith and Smythe sail to Farland
"""
FAULTY_SUPPLEMENTS = {
    "births-01.tsv": "01-23\tabout 1900\tBad Line\tnothing\n01-25\t1900\tZo\u00eb Ash\tchemist\n",
    "events-1901-1962.tsv": "1901-02-30\tA day that is not\n",
}


def derive(folder, calendars, supplements, overrides=""):
    """Runs the script on the given files: the finished process and the
    output folder."""
    write_files(folder / "calendar", calendars)
    write_files(folder / "supplement", supplements)
    (folder / "overrides.tsv").write_text(overrides, encoding="ascii")
    return subprocess.run([sys.executable, str(SCRIPT), str(folder / "calendar"),
                           str(folder / "out"), "--supplements", str(folder / "supplement"),
                           "--overrides", str(folder / "overrides.tsv")],
                          capture_output=True, text=True), folder / "out"


def rows(tsv):
    lines = tsv.decode("ascii").split("\n")
    return lines[0], {line.split("\t")[0]: line.split("\t")[1:] for line in lines[1:] if line}


class DeriveCalendarTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        with tempfile.TemporaryDirectory() as folder:
            run, out = derive(pathlib.Path(folder), CALENDARS, SUPPLEMENTS, OVERRIDES)
            assert run.returncode == 0, run.stderr
            cls.birthday = (out / "Birthday.tsv").read_bytes()
            cls.event = (out / "Event.tsv").read_bytes()
            cls.notes = (out / "notes.txt").read_text()
            cls.printed = run.stdout
        cls.birthday_header, cls.people = rows(cls.birthday)
        cls.event_header, years = rows(cls.event)
        cls.years = {year: memo[0].split("\\n") for year, memo in years.items()}

    def day(self, key):
        return [cell for cell in self.people.get(key, []) if cell]

    def test_headers_declare_the_keys_and_fields(self):
        self.assertEqual(self.birthday_header, "Day:int:key\tPerson1:string\tPerson2:string\t"
                         "Person3:string\tPerson4:string\tPerson5:string")
        self.assertEqual(self.event_header, "Year:int:key\tEvents:memo")

    def test_people_of_a_day(self):
        cases = {
            # Five at most, the calendar's first; in order of year as a
            # number, before the common era first.
            "102": ["Eli Fifth, orator (58 BC)", "Dara Fourth, bishop (360)",
                    "Ada Example, weaver (1815)", "Cora Third, first to do X (1850)",
                    "Bob Sample, inventor of things (1901)"],
            "103": ["Gus Seventh, lawyer (1777?)"],
            # Years without a comma, continued lines.
            "106": ["Jonathan Oak, 3rd Mayor of Town (1722)", "Kim Ash, painter (1741)"],
            # Quotes and "(Sir)".
            "107": ['Richard "the Brave", king of Somewhere (1160)', "Lena Stone, painter (1951)"],
            # The text after a semicolon is kept whole.
            "108": ['Mira Vale, mapped the "Vale spot" cf May 2 (1786)'],
            # One person in two files, the name written two ways.
            "116": ["Tom A. Rivers, engineer (1920)"],
            # The supplement's own people and years.
            "120": ["Vera Old, orator (61 BC)", "Uma Early, printer (1450?)"],
            "117": ["Great Ruler, ruler of old (340 BC)"],
        }
        for key, people in cases.items():
            with self.subTest(day=key):
                self.assertEqual(self.day(key), people)

    def test_only_people_born_that_day(self):
        # Not a person, a holiday, an uncertain date, a baptism, a line of
        # fiction, a row dropped by the overrides.
        for key in ("104", "105", "112", "113", "119"):
            with self.subTest(day=key):
                self.assertEqual(self.day(key), [])
        self.assertIn("Robot Club born, 1950 -- not a person", self.notes)
        self.assertIn("Wrong Day born, 1800, chemist -- override: born on another day", self.notes)

    def test_no_default_for_what_a_person_is_known_for(self):
        # A line of the music file that does not say it is left out;
        # an override or the supplement says it.
        self.assertEqual(self.day("114"), [])
        self.assertEqual(self.day("118"), [])
        self.assertEqual(self.day("115"), ["Mae Duo, singer (1930)"])
        self.assertEqual(self.day("124"), ["Zed Player, jazz trumpeter (1940)"])

    def test_faults_of_the_sources_stop_the_derivation(self):
        with tempfile.TemporaryDirectory() as folder:
            run, out = derive(pathlib.Path(folder), FAULTY_CALENDARS, FAULTY_SUPPLEMENTS,
                              FAULTY_OVERRIDES)
            self.assertEqual(run.returncode, 1)
            self.assertFalse((out / "Birthday.tsv").exists())
        for fault in ("Ned Twin born on 01-09 and 01-10",
                      "Ola Late born 1600, after dying in 1564",
                      "births-01.tsv:1: not a birth line", "births-01.tsv:2: not printable ASCII",
                      "events-1901-1962.tsv:1: not an event line",
                      "overrides.tsv:1: not an override line", "overrides.tsv:2: not an override",
                      "overrides.tsv:3: not an override"):
            self.assertIn(fault, run.stderr)
        for row in (7, 9):
            self.assertIn("warning: overrides.tsv:%d: matches no calendar line" % row, self.printed)

    def test_supplement_merge(self):
        # The supplement's date wins over the calendar's.
        self.assertEqual(self.day("109"), [])
        self.assertEqual(self.day("110"), ["Ned Twin, land surveyor (1900)"])
        # Names compared without punctuation; namesakes born far apart are
        # two people.
        self.assertEqual(self.day("121"), ["J. D. Sample, chemist (1990)"])
        self.assertEqual(self.day("122"), ["Fay Sixth, singer (1950)"])
        for name in ("Fay Sixth", "Quill Extra"):
            self.assertIn(name + " -- more than five people that day", self.notes)

    def test_years_and_texts_of_events(self):
        cases = {
            "1885": ["May 5 A fair draws a crowd of 2,400 people"],
            "1964": ["May 6 A prize of $4,000"],
            "1994": ["May 7 Marchers number 250,000 in the square"],
            "1967": ["May 8 The robot show (The Tin Parade) starts"],
            "71": ["May 9 An old ruler falls"],
            "1962": ["May 10 Rocket Two launched; A belt of dust found"],
            "1970": ["May 11 A musical opens in Stage Town"],
            "1895": ["May 12 First film shown by Jean and Luc Lumiere"],
            "1923": ["May 13 61 degrees C measured at Hotfield"],
            "1995": ["May 14 The florin becomes the euro"],
            "1969": ["May 15 A treaty is signed"],
            "1950": ["Jan 3 A canal opens in Flatland"],
            "2015": ["May 21 Lena Stone dies"],
            # Whole words corrected on the override's date only, a line
            # that starts with them kept.
            "1926": ["Jul 5 Smith and Smythe sail to Farland", "Jul 5 A ship named for Smith sinks",
                     "Jul 6 Smyth returns"],
        }
        for year, lines in cases.items():
            with self.subTest(year=year):
                self.assertEqual(self.years[year], lines)
        # A line that names another year, an uncertain year, a year before
        # the common era, an amount, an override, a birth, the project's own
        # file, fiction.
        for year in ("1977", "1910", "480", "150", "1905", "1940", "1999", "1368"):
            with self.subTest(year=year):
                self.assertNotIn(year, self.years)

    def test_events_of_a_year_once_in_date_order(self):
        self.assertEqual(self.years["1901"], [
            "Jan 2 A storm from the invented sea crosses the bay",
            "Jun 15 A day of the supplement", "Dec 31 A late invented event"])
        self.assertEqual(self.years["1930"], ["Jun 6 The city hall of Oldtown burns down"])
        self.assertEqual(self.years["1937"], ["Jun 1 Big bridge opens in Rivertown"])
        self.assertEqual(self.years["1913"],
                         ["Jul 2 Rolando Q is shot dead while speaking in a hall in Northport"])
        self.assertEqual(self.years["1914"],
                         ["Jul 3 Ann Lee dies in Rome", "Jul 3 Bob Hill died in Rome"])
        self.assertEqual(self.years["1959"], ["Jun 4 Alpha Isle becomes a state",
                                              "Jun 5 Beta Isle becomes a state"])

    def test_printable_ascii_and_what_each_source_gave(self):
        self.assertTrue(all(32 <= b < 127 or b in b"\t\n" for b in self.birthday + self.event))
        for line in ("calendar.belgium", "births-01.tsv", "events-1901-1962.tsv"):
            self.assertIn(line, self.printed)
        self.assertNotIn("calendar.debian", self.printed)

    def test_same_files_same_bytes(self):
        with tempfile.TemporaryDirectory() as folder:
            _, out = derive(pathlib.Path(folder), CALENDARS, SUPPLEMENTS, OVERRIDES)
            again = (out / "Birthday.tsv").read_bytes(), (out / "Event.tsv").read_bytes()
        self.assertEqual(again, (self.birthday, self.event))


if __name__ == "__main__":
    unittest.main()
