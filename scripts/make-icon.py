#!/usr/bin/env python3
"""Draws Tempra's program icon, a simple clock face, and writes it as a Windows icon
file with a 32x32 and a 16x16 image (32-bit, alpha). The result is committed as
app/win32/tempra.ico; run this again only to change the picture:

    python3 scripts/make-icon.py app/win32/tempra.ico
"""
import math
import sys

from image_formats import ico, icon_bitmap_32

SUPERSAMPLE = 4  # samples per pixel along each axis, for smooth edges

RIM = (40, 60, 110)      # dark blue ring
FACE = (250, 248, 235)   # warm white dial
HAND = (30, 30, 30)
SECOND = (200, 40, 40)   # the red seconds hand
TICK = (90, 90, 90)


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def hand(angle_deg, length):
    """End point of a hand from the centre (0, 0) in unit coordinates; 0 deg is 12."""
    a = math.radians(angle_deg)
    return (length * math.sin(a), -length * math.cos(a))


def colour_at(x, y, size):
    """Colour (r, g, b, a) of one sample; x and y in unit coordinates, centre 0, radius 1."""
    r = math.hypot(x, y)
    if r > 1.0:
        return (0, 0, 0, 0)
    if r > 0.80:
        return RIM + (255,)
    pen = 1.6 / size  # hands keep about a pixel and a half of width at any size
    hx, hy = hand(300, 0.42)  # hour hand at ten
    mx, my = hand(60, 0.68)   # minute hand at ten past
    sx, sy = hand(180, 0.70)  # seconds hand at half past
    if size >= 32 and distance_to_segment(x, y, 0, 0, sx, sy) < pen * 0.6:
        return SECOND + (255,)
    if distance_to_segment(x, y, 0, 0, hx, hy) < pen or distance_to_segment(x, y, 0, 0, mx, my) < pen:
        return HAND + (255,)
    if size >= 32:
        for hour in range(0, 360, 30):
            tx, ty = hand(hour, 0.72)
            ox, oy = hand(hour, 0.62 if hour % 90 == 0 else 0.67)
            if distance_to_segment(x, y, ox, oy, tx, ty) < pen * 0.6:
                return TICK + (255,)
    return FACE + (255,)


def render(size):
    """Rows of (b, g, r, a) bytes, bottom row first, as the icon format stores them."""
    rows = []
    for row in range(size):
        line = bytearray()
        for col in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    x = ((col + (sx + 0.5) / SUPERSAMPLE) / size) * 2 - 1
                    y = ((row + (sy + 0.5) / SUPERSAMPLE) / size) * 2 - 1
                    r, g, b, a = colour_at(x, y, size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SUPERSAMPLE * SUPERSAMPLE
            alpha = acc[3] / n
            if alpha == 0:
                line += bytes(4)
                continue
            r, g, b = (round(c / acc[3]) for c in acc[:3])
            line += bytes((b, g, r, round(alpha)))
        rows.append(bytes(line))
    return list(reversed(rows))


def icon_file(sizes):
    return ico([(s, s, 32, icon_bitmap_32(s, s, b"".join(render(s)))) for s in sizes])


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make-icon.py OUTPUT.ico")
    with open(sys.argv[1], "wb") as f:
        f.write(icon_file([32, 16]))


if __name__ == "__main__":
    main()
