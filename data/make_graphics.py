#!/usr/bin/env python3
"""Writes the report's pictures as placeable Windows metafiles.

    make_graphics.py OUT_DIR

Border.wmf (a frame), Zodiac0.wmf .. Zodiac11.wmf (the sign's name and its
symbol) and Chines0.wmf .. Chines11.wmf (the animal's name on a wheel of the
twelve years with its own year marked). Sign numbers are those of the
library: zodiac sign 0 is Aquarius, Chinese sign 0 the Rat (the year 1900).
"""

import math
import pathlib
import struct
import sys

ZODIAC_NAMES = ("Aquarius", "Pisces", "Aries", "Taurus", "Gemini", "Cancer",
                "Leo", "Virgo", "Libra", "Scorpio", "Sagittarius", "Capricorn")
CHINESE_NAMES = ("Rat", "Ox", "Tiger", "Rabbit", "Dragon", "Snake", "Horse",
                 "Goat", "Monkey", "Rooster", "Dog", "Pig")

# Record functions.
META_EOF = 0x0000
META_SETBKMODE = 0x0102
META_SETMAPMODE = 0x0103
META_SELECTOBJECT = 0x012D
META_SETTEXTALIGN = 0x012E
META_DELETEOBJECT = 0x01F0
META_SETTEXTCOLOR = 0x0209
META_SETWINDOWORG = 0x020B
META_SETWINDOWEXT = 0x020C
META_CREATEPENINDIRECT = 0x02FA
META_CREATEFONTINDIRECT = 0x02FB
META_CREATEBRUSHINDIRECT = 0x02FC
META_POLYGON = 0x0324
META_POLYLINE = 0x0325
META_ELLIPSE = 0x0418
META_RECTANGLE = 0x041B
META_TEXTOUT = 0x0521

PLACEABLE_KEY = 0x9AC6CDD7
MM_ANISOTROPIC = 8
TRANSPARENT = 1
TA_CENTER_BASELINE = 6 | 24
BS_SOLID, BS_NULL = 0, 1
PS_SOLID = 0
FW_BOLD = 700

INK = (40, 40, 110)
GOLD = (200, 160, 40)
PAPER = (250, 246, 230)
NO_COLOUR = (0, 0, 0)


def colour_ref(rgb):
    return struct.pack("<BBBB", rgb[0], rgb[1], rgb[2], 0)


def words(*values):
    return struct.pack("<%dh" % len(values), *values)


class Metafile:
    """A metafile under construction: records, and the object table that
    pens, brushes and fonts occupy until they are deleted."""

    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.records = []
        self.slots = []
        self.record(META_SETMAPMODE, words(MM_ANISOTROPIC))
        self.record(META_SETWINDOWORG, words(0, 0))
        self.record(META_SETWINDOWEXT, words(height, width))
        self.record(META_SETBKMODE, words(TRANSPARENT))

    def record(self, function, params):
        if len(params) % 2:
            params += b"\0"
        size = 3 + len(params) // 2
        self.records.append(struct.pack("<IH", size, function) + params)

    def create(self, function, params):
        """Creates an object in the lowest free slot and selects it."""
        slot = self.slots.index(False) if False in self.slots else len(self.slots)
        if slot == len(self.slots):
            self.slots.append(True)
        self.slots[slot] = True
        self.record(function, params)
        self.record(META_SELECTOBJECT, words(slot))
        return slot

    def delete(self, slot):
        self.record(META_DELETEOBJECT, words(slot))
        self.slots[slot] = False

    def pen(self, rgb, width):
        return self.create(META_CREATEPENINDIRECT,
                           words(PS_SOLID, width, 0) + colour_ref(rgb))

    def brush(self, rgb=None):
        style = BS_SOLID if rgb is not None else BS_NULL
        return self.create(META_CREATEBRUSHINDIRECT,
                           words(style) + colour_ref(rgb or NO_COLOUR) + words(0))

    def font(self, height, face="Times New Roman"):
        face_bytes = face.encode("ascii") + b"\0"
        return self.create(META_CREATEFONTINDIRECT,
                           words(-height, 0, 0, 0, FW_BOLD)
                           + bytes((0, 0, 0, 0, 0, 0, 0, 0)) + face_bytes)

    def rectangle(self, left, top, right, bottom):
        self.record(META_RECTANGLE, words(bottom, right, top, left))

    def ellipse(self, left, top, right, bottom):
        self.record(META_ELLIPSE, words(bottom, right, top, left))

    def polygon(self, points):
        self.record(META_POLYGON, points_params(points))

    def polyline(self, points):
        self.record(META_POLYLINE, points_params(points))

    def text(self, x, y, text, rgb):
        self.record(META_SETTEXTCOLOR, colour_ref(rgb))
        self.record(META_SETTEXTALIGN, words(TA_CENTER_BASELINE))
        data = text.encode("cp1252")
        self.record(META_TEXTOUT, words(len(data)) + data
                    + (b"\0" if len(data) % 2 else b"") + words(y, x))

    def image(self):
        """The file's bytes: placeable header, metafile header, records."""
        body = b"".join(self.records) + struct.pack("<IH", 3, META_EOF)
        max_record = max(len(r) // 2 for r in self.records)
        header = struct.pack("<HHHIHIH", 1, 9, 0x0300, 9 + len(body) // 2,
                             len(self.slots), max_record, 0)
        placeable = struct.pack("<IHhhhhHI", PLACEABLE_KEY, 0, 0, 0,
                                self.width, self.height, 1000, 0)
        checksum = 0
        for (word,) in struct.iter_unpack("<H", placeable):
            checksum ^= word
        return placeable + struct.pack("<H", checksum) + header + body


def points_params(points):
    flat = [round(c) for point in points for c in point]
    return words(len(points), *flat)


def arc(cx, cy, r, start, end, steps=24):
    """Points on a circle from angle start to end (degrees, y down)."""
    return [(cx + r * math.cos(math.radians(start + (end - start) * i / steps)),
             cy - r * math.sin(math.radians(start + (end - start) * i / steps)))
            for i in range(steps + 1)]


def zigzag(y):
    return [(300 + 50 * i, y - 40 * (i % 2)) for i in range(9)]


# The symbol of each zodiac sign as strokes in a 1000 x 1000 picture whose
# symbol area is about x 280..720, y 220..620.
ZODIAC_STROKES = (
    lambda: [zigzag(400), zigzag(500)],
    lambda: [arc(260, 420, 180, 60, -60), arc(740, 420, 180, 120, 240),
             [(330, 420), (670, 420)]],
    lambda: [arc(400, 340, 100, 0, 210), arc(600, 340, 100, 180, -30),
             [(500, 340), (500, 620)]],
    lambda: [arc(500, 480, 130, 0, 360), arc(500, 240, 170, 200, 340)],
    lambda: [[(350, 250), (650, 250)], [(350, 610), (650, 610)],
             [(420, 250), (420, 610)], [(580, 250), (580, 610)]],
    lambda: [arc(380, 360, 70, 0, 360), arc(620, 500, 70, 0, 360),
             arc(500, 360, 190, 170, 40), arc(500, 500, 190, -10, -140)],
    lambda: [arc(400, 460, 90, 0, 360),
             arc(550, 360, 150, 200, -60) + [(640, 600), (720, 560)]],
    lambda: [[(300, 300), (300, 600)], arc(360, 320, 60, 180, 0) + [(420, 600)],
             arc(480, 320, 60, 180, 0) + [(540, 560)],
             arc(600, 520, 80, 180, -120) + [(520, 640)]],
    lambda: [[(280, 600), (720, 600)],
             [(280, 500), (400, 500)] + arc(500, 460, 110, -20, 200)[::-1][1:-1]
             + [(600, 500), (720, 500)]],
    lambda: [[(300, 300), (300, 600)], arc(360, 320, 60, 180, 0) + [(420, 600)],
             arc(480, 320, 60, 180, 0) + [(540, 600), (640, 600)],
             [(600, 560), (640, 600), (600, 640)]],
    lambda: [[(300, 640), (680, 260)], [(540, 260), (680, 260), (680, 400)],
             [(380, 380), (580, 560)]],
    lambda: [[(290, 300), (360, 600), (440, 320)],
             [(440, 320), (470, 620)] + arc(560, 520, 90, 200, -160)],
)


def framed(width, height, band=24, inset=60):
    """A picture with a paper ground, a gold frame of width band and a dark
    inner line inset from the edge."""
    wmf = Metafile(width, height)
    pen = wmf.pen(GOLD, band)
    brush = wmf.brush(PAPER)
    edge = band * 5 // 6
    wmf.rectangle(edge, edge, width - edge, height - edge)
    wmf.delete(brush)
    wmf.delete(pen)
    pen = wmf.pen(INK, band // 4)
    brush = wmf.brush()
    wmf.rectangle(inset, inset, width - inset, height - inset)
    wmf.delete(brush)
    wmf.delete(pen)
    return wmf


def caption(wmf, name):
    font = wmf.font(110)
    wmf.text(wmf.width // 2, wmf.height - 130, name, INK)
    wmf.delete(font)


def border():
    """A page-shaped frame (between the shapes of A4 and Letter) with a
    diamond on each corner of the inner line and a small one halfway along
    each side."""
    width, height, inset = 1000, 1400, 40
    wmf = framed(width, height, 12, inset)
    pen = wmf.pen(INK, 3)
    brush = wmf.brush(GOLD)
    left, top, right, bottom = inset, inset, width - inset, height - inset
    diamonds = [(x, y, 26) for x in (left, right) for y in (top, bottom)]
    diamonds += [(width // 2, top, 16), (width // 2, bottom, 16),
                 (left, height // 2, 16), (right, height // 2, 16)]
    for x, y, r in diamonds:
        wmf.polygon([(x, y - r), (x + r, y), (x, y + r), (x - r, y)])
    wmf.delete(brush)
    wmf.delete(pen)
    return wmf


def zodiac(sign):
    wmf = framed(1000, 1000)
    pen = wmf.pen(INK, 18)
    for stroke in ZODIAC_STROKES[sign]():
        wmf.polyline(stroke)
    wmf.delete(pen)
    caption(wmf, ZODIAC_NAMES[sign])
    return wmf


def chinese(sign):
    """The twelve years as a wheel of sectors, this sign's one filled; sign 0
    at the top, the others clockwise."""
    wmf = framed(1000, 1000)
    cx, cy, r = 500, 420, 280
    pen = wmf.pen(INK, 6)
    for number in range(12):
        start = 105 - 30 * number
        sector = [(cx, cy)] + arc(cx, cy, r, start, start - 30, 8)
        brush = wmf.brush(GOLD if number == sign else PAPER)
        wmf.polygon(sector)
        wmf.delete(brush)
    brush = wmf.brush(PAPER)
    wmf.ellipse(cx - 90, cy - 90, cx + 90, cy + 90)
    wmf.delete(brush)
    wmf.delete(pen)
    caption(wmf, CHINESE_NAMES[sign])
    return wmf


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_graphics.py OUT_DIR\n")
        return 2
    out = pathlib.Path(argv[1])
    out.mkdir(parents=True, exist_ok=True)
    pictures = {"Border.wmf": border()}
    for sign in range(12):
        pictures["Zodiac%d.wmf" % sign] = zodiac(sign)
        pictures["Chines%d.wmf" % sign] = chinese(sign)
    for name, wmf in pictures.items():
        (out / name).write_bytes(wmf.image())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
