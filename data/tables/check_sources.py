#!/usr/bin/env python3
"""Checks the readable table sources before they are built into .dtf files.

Usage: check_sources.py [FILE.tsv ...]   (default: every *.tsv beside this script)

Each file must be printable ASCII, tab-separated, with a header of NAME:TYPE or
NAME:TYPE:key fields (the first one the integer key), the same number of cells
on every line, string cells of at most 255 bytes, valid memo escapes, integer
cells that are integers, and keys ascending without repeats. The year tables
must hold every year of their range.
"""
import pathlib
import re
import sys

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
}


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
        problems.append(f"keys differ from {expected.start}..{expected.stop - 1}: "
                        f"missing {missing[:10]}, unexpected {extra[:10]}")
    return problems


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
