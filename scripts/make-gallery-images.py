#!/usr/bin/env python3
"""Draws the pictures of the gadget gallery (examples/gallery) and writes them into the
given folder:

- toolbar.png: the toolbar's icon strip, ten 16x16 icons side by side (RGBA PNG): new,
  open, save, (blank), list, text, controls, web, (blank), help. A blank icon becomes a
  separator on the toolbar.
- gallery.ico: the program's icon, a small window with gadgets, 32x32 and 16x16.

Both are committed; run this again only to change a picture:

    python3 scripts/make-gallery-images.py examples/gallery
"""
import math
import os
import struct
import sys
import zlib

from image_formats import ico, icon_bitmap_32, png_chunk

SUPERSAMPLE = 4  # samples per pixel along each axis, for smooth edges
ICON = 16        # the strip's icon size

CLEAR = (0, 0, 0, 0)
INK = (40, 48, 64, 255)
PAPER = (252, 252, 248, 255)
PAPER_EDGE = (120, 126, 140, 255)
FOLD = (215, 218, 226, 255)
FOLDER = (240, 190, 70, 255)
FOLDER_DARK = (200, 140, 30, 255)
BLUE = (50, 100, 190, 255)
LIGHT_BLUE = (150, 190, 240, 255)
GREEN = (40, 150, 70, 255)
GREY = (150, 155, 165, 255)


def in_rect(x, y, left, top, right, bottom):
    return left <= x < right and top <= y < bottom


def in_rect_outline(x, y, left, top, right, bottom, pen=1.0):
    return in_rect(x, y, left, top, right, bottom) and not in_rect(
        x, y, left + pen, top + pen, right - pen, bottom - pen)


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


# Each icon: a function from a point of the 16x16 square (x right, y down, in pixels)
# to a colour (r, g, b, a).

def icon_new(x, y):
    # A sheet of paper with its top right corner folded down.
    if distance_to_segment(x, y, 9, 1, 13, 5) < 0.6 or distance_to_segment(x, y, 9, 1, 9, 5) < 0.5 \
            or distance_to_segment(x, y, 9, 5, 13, 5) < 0.5:
        return PAPER_EDGE
    if not in_rect(x, y, 3, 1, 13, 15) or x - 9 > y - 1:
        return CLEAR
    if in_rect(x, y, 9, 1, 13, 5):
        return FOLD
    if in_rect_outline(x, y, 3, 1, 13, 15):
        return PAPER_EDGE
    return PAPER


def icon_open(x, y):
    if in_rect(x, y, 1, 3, 7, 5):  # the tab
        return FOLDER_DARK
    if in_rect_outline(x, y, 1, 4, 15, 14):
        return FOLDER_DARK
    if in_rect(x, y, 1, 4, 15, 14):
        return FOLDER if y > 6 else FOLDER_DARK
    return CLEAR


def icon_save(x, y):
    if in_rect(x, y, 4, 2, 12, 7):  # the label
        return PAPER
    if in_rect(x, y, 5, 10, 11, 15):  # the shutter
        return GREY if not in_rect(x, y, 6, 11, 8, 14) else INK
    if in_rect_outline(x, y, 1, 1, 15, 15):
        return INK
    if in_rect(x, y, 1, 1, 15, 15):
        return BLUE
    return CLEAR


def icon_blank(x, y):
    return CLEAR


def icon_list(x, y):
    for row in (3, 7, 11):
        if in_rect(x, y, 1, row, 4, row + 3):
            return BLUE
        if in_rect(x, y, 6, row + 1, 15, row + 2):
            return INK
    return CLEAR


def icon_text(x, y):
    # A letter A: two slanted strokes and a bar.
    if distance_to_segment(x, y, 8, 2, 3, 14) < 1.1 or distance_to_segment(x, y, 8, 2, 13, 14) < 1.1:
        return INK
    if in_rect(x, y, 5, 9, 11, 10.6):
        return INK
    return CLEAR


def icon_controls(x, y):
    # A ticked check box.
    if distance_to_segment(x, y, 4, 8, 7, 11) < 1.1 or distance_to_segment(x, y, 7, 11, 13, 3) < 1.1:
        return GREEN
    if in_rect_outline(x, y, 2, 3, 13, 14):
        return PAPER_EDGE
    if in_rect(x, y, 2, 3, 13, 14):
        return PAPER
    return CLEAR


def icon_web(x, y):
    cx, cy, r = 8, 8, 6.8
    d = math.hypot(x - cx, y - cy)
    if d > r:
        return CLEAR
    if d > r - 1:
        return BLUE
    # Meridian and parallels of a globe.
    if abs(x - cx) < 0.5 or abs(y - cy) < 0.5 or abs(math.hypot((x - cx) * 2.2, y - cy) - r) < 1:
        return BLUE
    return LIGHT_BLUE


def icon_help(x, y):
    cx, cy = 8, 8
    if math.hypot(x - cx, y - cy) > 7:
        return CLEAR
    # A question mark: an arc, a stem and a dot, in white on blue.
    arc = abs(math.hypot(x - 8, y - 5.5) - 2.6) < 0.9
    angle = math.degrees(math.atan2(y - 5.5, x - 8))  # 0 is right, 90 down
    if arc and not (20 < angle < 150):
        return PAPER
    if distance_to_segment(x, y, 9.8, 7.4, 8, 9) < 0.9 or in_rect(x, y, 7.1, 8.5, 8.9, 10.5):
        return PAPER
    if math.hypot(x - 8, y - 12.3) < 1.1:
        return PAPER
    return BLUE


STRIP = [icon_new, icon_open, icon_save, icon_blank, icon_list, icon_text, icon_controls,
         icon_web, icon_blank, icon_help]


def program_icon(x, y):
    """The program's icon in unit coordinates 0..1: a window with a title bar, a button,
    a slider and a list."""
    if not in_rect(x, y, 0.06, 0.1, 0.94, 0.9):
        return CLEAR
    if in_rect_outline(x, y, 0.06, 0.1, 0.94, 0.9, 0.06):
        return INK
    if y < 0.3:
        return BLUE
    if in_rect(x, y, 0.18, 0.4, 0.5, 0.56):
        return GREEN
    if in_rect(x, y, 0.58, 0.4, 0.82, 0.44) or in_rect(x, y, 0.58, 0.5, 0.82, 0.54):
        return GREY
    if in_rect(x, y, 0.18, 0.68, 0.82, 0.72):
        return GREY
    if math.hypot(x - 0.42, y - 0.7) < 0.07:
        return FOLDER_DARK
    return PAPER


def render(shape, size, scale):
    """Rows of (r, g, b, a) pixels, top row first; `scale` maps pixels to the shape's units."""
    rows = []
    n = SUPERSAMPLE * SUPERSAMPLE
    for row in range(size):
        line = []
        for col in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    x = (col + (sx + 0.5) / SUPERSAMPLE) * scale
                    y = (row + (sy + 0.5) / SUPERSAMPLE) * scale
                    r, g, b, a = shape(x, y)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            if acc[3] == 0:
                line.append(CLEAR)
                continue
            r, g, b = (round(c / acc[3]) for c in acc[:3])
            line.append((r, g, b, round(acc[3] / n)))
        rows.append(line)
    return rows


def png_file(rows):
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\0" + bytes(c for pixel in line for c in pixel) for line in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) +
            png_chunk(b"IDAT", zlib.compress(raw, 9)) + png_chunk(b"IEND", b""))


def strip_rows():
    icons = [render(shape, ICON, 1.0) for shape in STRIP]
    return [sum((icon[row] for icon in icons), []) for row in range(ICON)]


def ico_image(size):
    """The program's icon at one size, as BGRA pixels bottom row first."""
    rows = render(program_icon, size, 1.0 / size)
    pixels = b"".join(bytes(c for r, g, b, a in line for c in (b, g, r, a)) for line in reversed(rows))
    return icon_bitmap_32(size, size, pixels)


def ico_file(sizes):
    return ico([(s, s, 32, ico_image(s)) for s in sizes])


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make-gallery-images.py FOLDER")
    folder = sys.argv[1]
    with open(os.path.join(folder, "toolbar.png"), "wb") as f:
        f.write(png_file(strip_rows()))
    with open(os.path.join(folder, "gallery.ico"), "wb") as f:
        f.write(ico_file([32, 16]))


if __name__ == "__main__":
    main()
