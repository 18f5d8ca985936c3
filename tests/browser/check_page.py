#!/usr/bin/env python3
"""Judges the page as the browser showed it.

    check_page.py SCREENSHOT DUMPED_DOM NAME ADDITIONAL_TEXT

DUMPED_DOM is the page with probe.js, as chromium --dump-dom wrote it. The
zodiac, Chinese-year and border pictures must have a size and stand in the
screenshot, with shapes drawn and ink on their pixels; the name and the
additional category's text must read exactly as given (escaped on the way
in, decoded from Windows-1252). Prints what it found; exits 1 on a fault.
"""

import html
import json
import re
import struct
import sys
import zlib

PICTURES = ("zodiac-picture", "chinese-picture", "border-picture")
# A pixel is ink when a channel differs this much from the area's commonest
# colour; an area needs this share of ink not to be blank.
INK_DISTANCE = 48
MIN_INK_SHARE = 0.01


def read_png(path):
    """Width, height and rows of (r, g, b) of an 8-bit, non-interlaced RGB or
    RGBA PNG, as chromium writes its screenshots."""
    with open(path, "rb") as f:
        data = f.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG file")
    pos, chunks, header = 8, [], None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            chunks.append(body)
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in (2, 6) or interlace:
        raise ValueError("unexpected PNG form %s" % (header,))
    step = 3 if colour == 2 else 4
    raw = zlib.decompress(b"".join(chunks))
    stride = width * step
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        kind, line = raw[start], bytearray(raw[start + 1:start + 1 + stride])
        for i in range(stride):
            left = line[i - step] if i >= step else 0
            up = previous[i]
            corner = previous[i - step] if i >= step else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        rows.append([tuple(line[i:i + 3]) for i in range(0, stride, step)])
        previous = line
    return width, height, rows


def ink_share(rows, left, top, right, bottom):
    pixels = [p for row in rows[top:bottom] for p in row[left:right]]
    if not pixels:
        return 0.0
    counts = {}
    for p in pixels:
        counts[p] = counts.get(p, 0) + 1
    ground = max(counts, key=counts.get)
    ink = sum(1 for p in pixels if max(abs(a - b) for a, b in zip(p, ground)) > INK_DISTANCE)
    return ink / len(pixels)


def main(argv):
    screenshot, dom, name, additional = argv[1:5]
    faults = []
    with open(dom, encoding="utf-8") as f:
        found = re.search(r'<pre id="probe">(.*?)</pre>', f.read(), re.S)
    if not found:
        print("the probe did not run")
        return 1
    probe = json.loads(html.unescape(found.group(1)))
    width, height, rows = read_png(screenshot)

    for picture in PICTURES:
        box = probe["pictures"].get(picture)
        if box is None:
            faults.append("%s: not on the page" % picture)
            continue
        left, top = round(box["x"]), round(box["y"])
        right, bottom = round(box["x"] + box["width"]), round(box["y"] + box["height"])
        if box["width"] < 1 or box["height"] < 1:
            faults.append("%s: no size" % picture)
            continue
        if left < 0 or top < 0 or right > width or bottom > height:
            faults.append("%s: outside the %dx%d screenshot" % (picture, width, height))
            continue
        if picture == "border-picture":
            # The frame lies along the edges: look at a strip on each side.
            strip = max(2, round(box["width"] * 0.04))
            share = min(ink_share(rows, left, top, left + strip, bottom),
                        ink_share(rows, right - strip, top, right, bottom),
                        ink_share(rows, left, top, right, top + strip),
                        ink_share(rows, left, bottom - strip, right, bottom))
        else:
            share = ink_share(rows, left, top, right, bottom)
        print("%s: %dx%d at %d,%d, %d shapes drawn, ink on %.1f%% of its pixels"
              % (picture, right - left, bottom - top, left, top, box["drawnShapes"], share * 100))
        if box["drawnShapes"] == 0 or share < MIN_INK_SHARE:
            faults.append("%s: blank" % picture)

    heading = "A LOOK AT THE WORLD WHEN %s WAS BORN" % name.upper()
    expected = {"charset": "UTF-8", "headings": [heading], "elementsInTexts": 0}
    for key, value in expected.items():
        if probe[key] != value:
            faults.append("%s: %r, expected %r" % (key, probe[key], value))
    if additional not in probe["additional"]:
        faults.append("additional: %r lacks %r" % (probe["additional"], additional))
    if not any(line.startswith(name + " - ")
               for text in probe["famous"] for line in text.split("\n")):
        faults.append("famous: no line for %r in %r" % (name, probe["famous"]))

    for fault in faults:
        print("FAIL: " + fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
