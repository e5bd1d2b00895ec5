#!/usr/bin/env python3
"""Draws the ten ladder cell pictures of the system folder (data/*.BMP).

Geometry, shared by the ladder editor:
  - every cell picture is 64 pixels wide;
  - line pictures (blank, lines, branches, junction) are 40 pixels high and
    are drawn at the top of their grid cell; the rung runs along rows 24-25;
  - contact and coil pictures (CClosed, COpen, CCoil) are 29 pixels high and
    are drawn 11 pixels lower, leaving the top 11 pixels of the cell for the
    variable name; their rung runs along rows 13-14, which lands on the same
    rows 24-25 of the cell;
  - vertical connections run along columns 31-32 over the full cell height.

Output: uncompressed 24-bit Windows bitmaps, black on white.
Run: python3 scripts/make_cell_pictures.py [output folder]  (default: data/)
"""

import os
import struct
import sys

WIDTH = 64
LINE_HEIGHT = 40
SYMBOL_HEIGHT = 29
SYMBOL_DROP = LINE_HEIGHT - SYMBOL_HEIGHT  # 11: symbol cells sit lower
LINE_RUNG_Y = 24
SYMBOL_RUNG_Y = LINE_RUNG_Y - SYMBOL_DROP
CENTER_X = 31  # vertical lines cover columns 31 and 32

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


class Picture:
    def __init__(self, height):
        self.height = height
        self.rows = [[WHITE] * WIDTH for _ in range(height)]

    def dot(self, x, y):
        if 0 <= x < WIDTH and 0 <= y < self.height:
            self.rows[y][x] = BLACK

    def hline(self, x0, x1, y):  # two pixels thick, x0..x1 inclusive
        for x in range(x0, x1 + 1):
            self.dot(x, y)
            self.dot(x, y + 1)

    def vline(self, x, y0, y1):  # two pixels thick, y0..y1 inclusive
        for y in range(y0, y1 + 1):
            self.dot(x, y)
            self.dot(x + 1, y)

    def disc(self, cx, cy, radius):
        for y in range(cy - radius, cy + radius + 1):
            for x in range(cx - radius, cx + radius + 1):
                if (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius:
                    self.dot(x, y)

    def bitmap(self):
        row_bytes = WIDTH * 3  # 192: already a multiple of four
        pixels = bytearray()
        for row in reversed(self.rows):  # bitmaps store the bottom row first
            for blue_green_red in row:
                pixels += bytes(reversed(blue_green_red))
        header_size = 14 + 40
        file_header = struct.pack("<2sIHHI", b"BM", header_size + len(pixels), 0, 0, header_size)
        info_header = struct.pack("<IiiHHIIiiII", 40, WIDTH, self.height, 1, 24, 0,
                                  row_bytes * self.height, 2835, 2835, 0, 0)
        return file_header + info_header + bytes(pixels)


def rung_through(p):
    p.hline(0, WIDTH - 1, LINE_RUNG_Y)


def rung_left_half(p):
    p.hline(0, CENTER_X + 1, LINE_RUNG_Y)


def blank():
    return Picture(LINE_HEIGHT)


def line_horizontal():
    p = Picture(LINE_HEIGHT)
    rung_through(p)
    return p


def line_vertical():
    p = Picture(LINE_HEIGHT)
    p.vline(CENTER_X, 0, LINE_HEIGHT - 1)
    return p


def branch_down():
    # The rung continues, and a parallel path below joins it here.
    p = Picture(LINE_HEIGHT)
    rung_through(p)
    p.vline(CENTER_X, LINE_RUNG_Y, LINE_HEIGHT - 1)
    p.disc(CENTER_X, LINE_RUNG_Y, 3)
    return p


def branch_up():
    p = Picture(LINE_HEIGHT)
    rung_through(p)
    p.vline(CENTER_X, 0, LINE_RUNG_Y + 1)
    p.disc(CENTER_X, LINE_RUNG_Y, 3)
    return p


def junction():
    # A parallel path ends here and its result goes up to the branch above.
    p = Picture(LINE_HEIGHT)
    rung_left_half(p)
    p.vline(CENTER_X, 0, LINE_RUNG_Y + 1)
    return p


def branch_left():
    p = Picture(LINE_HEIGHT)
    rung_left_half(p)
    p.vline(CENTER_X, LINE_RUNG_Y, LINE_HEIGHT - 1)
    p.disc(CENTER_X, LINE_RUNG_Y, 3)
    return p


def contact(closed):
    p = Picture(SYMBOL_HEIGHT)
    left_plate, right_plate = 24, 38
    p.hline(0, left_plate, SYMBOL_RUNG_Y)
    p.hline(right_plate, WIDTH - 1, SYMBOL_RUNG_Y)
    p.vline(left_plate, SYMBOL_RUNG_Y - 9, SYMBOL_RUNG_Y + 10)
    p.vline(right_plate, SYMBOL_RUNG_Y - 9, SYMBOL_RUNG_Y + 10)
    if closed:
        for step in range(0, 19):  # slash from bottom left to top right
            x = left_plate + 3 + step * 10 // 18
            y = SYMBOL_RUNG_Y + 9 - step
            p.dot(x, y)
            p.dot(x + 1, y)
    return p


def coil():
    p = Picture(SYMBOL_HEIGHT)
    cx, cy, radius = CENTER_X, SYMBOL_RUNG_Y, 10
    p.hline(0, cx - radius, cy)
    p.hline(cx + radius + 1, WIDTH - 1, cy)
    # Two arcs, "( )": the parts of a ring that face left and right.
    for y in range(cy - radius, cy + radius + 2):
        for x in range(cx - radius - 1, cx + radius + 3):
            dx, dy = x - cx - 0.5, y - cy - 0.5
            distance = (dx * dx + dy * dy) ** 0.5
            if radius - 1 <= distance <= radius + 0.6 and abs(dx) > 4:
                p.dot(x, y)
    return p


PICTURES = {
    "CBlank.BMP": blank,
    "CLineH.BMP": line_horizontal,
    "CLineV.BMP": line_vertical,
    "CDown.BMP": branch_down,
    "CUp.BMP": branch_up,
    "CAngle.BMP": junction,
    "CClosed.BMP": lambda: contact(closed=True),
    "COpen.BMP": lambda: contact(closed=False),
    "CCoil.BMP": coil,
    "CLeft.BMP": branch_left,
}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data")
    for name, draw in PICTURES.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(draw().bitmap())


if __name__ == "__main__":
    main()
