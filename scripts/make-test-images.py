#!/usr/bin/env python3
"""Writes the small image files the pixmap tests load: one good file per format with
known pixels, and damaged or absurd ones that must load as nothing. The results are
committed under tests/pixmap/images/; run this again only to change them:

    python3 scripts/make-test-images.py tests/pixmap/images

Standard library only (struct, zlib): every byte of every file is made here.
"""
import os
import struct
import sys
import zlib

from image_formats import ico, png_chunk

# Pixels are (r, g, b, a) tuples, rows top to bottom.
ALPHA_PIXELS = [
    [(255, 0, 0, 255), (0, 255, 0, 128), (0, 0, 255, 0)],
    [(10, 20, 30, 255), (40, 50, 60, 200), (70, 80, 90, 255)],
]
OPAQUE_PIXELS = [
    [(200, 100, 50, 255), (1, 2, 3, 255)],
    [(250, 251, 252, 255), (0, 0, 0, 255)],
]
BMP_PIXELS = [  # three pixels a row: 9 bytes, padded to 12 in the file
    [(255, 0, 0, 255), (0, 255, 0, 255), (0, 0, 255, 255)],
    [(17, 34, 51, 255), (68, 85, 102, 255), (119, 136, 153, 255)],
]
GIF_PALETTE = [(0, 0, 0), (255, 255, 255), (255, 0, 0), (0, 0, 255)]
GIF_INDICES = [[0, 1, 2], [3, 2, 1]]
JPEG_GREY = 0x60


def solid(width, height, rgba):
    return [[rgba] * width for _ in range(height)]


def icon_pattern(width, height):
    """Every pixel different, the top-left one fully transparent."""
    rows = [[(16 * x, 16 * y, 200, 255) for x in range(width)] for y in range(height)]
    rows[0][0] = (0, 0, 0, 0)
    return rows


# PNG

def png_ihdr(width, height, colour_type=6):
    return png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0))


def png(pixels):
    raw = b"".join(b"\x00" + bytes(c for p in row for c in p) for row in pixels)
    return (b"\x89PNG\r\n\x1a\n" + png_ihdr(len(pixels[0]), len(pixels)) +
            png_chunk(b"IDAT", zlib.compress(raw)) + png_chunk(b"IEND", b""))


def png_claiming(width, height):
    """A well-formed start of a PNG whose header claims width x height; one row of data."""
    return (b"\x89PNG\r\n\x1a\n" + png_ihdr(width, height) +
            png_chunk(b"IDAT", zlib.compress(b"\x00" * 64)) + png_chunk(b"IEND", b""))


def png_corrupt():
    """Header and chunk checksums right, compressed data garbage."""
    garbage = bytes((i * 37 + 11) & 0xFF for i in range(40))
    return (b"\x89PNG\r\n\x1a\n" + png_ihdr(3, 2) + png_chunk(b"IDAT", b"\x78\x9c" + garbage) +
            png_chunk(b"IEND", b""))


# BMP (bottom-up rows, each padded to four bytes)

def bmp_rows(pixels, bits):
    out = b""
    for row in reversed(pixels):
        if bits == 32:
            line = bytes(c for r, g, b, a in row for c in (b, g, r, a))
        else:
            line = bytes(c for r, g, b, _ in row for c in (b, g, r))
        out += line + b"\x00" * (-len(line) % 4)
    return out


def info_header(width, height, bits, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 2835, 2835, 0, 0)


def bmp(pixels):
    data = bmp_rows(pixels, 24)
    header = info_header(len(pixels[0]), len(pixels), 24, len(data))
    return struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(data), 0, 0, 54) + header + data


def bmp_claiming(width, height):
    header = info_header(width, height, 24, 0)
    return struct.pack("<2sIHHI", b"BM", 14 + len(header) + 16, 0, 0, 54) + header + b"\x80" * 16


def bmp_announcing_palette(colours):
    rows = b"\x00\x00\x00\x00" * 3
    header = struct.pack("<IiiHHIIiiII", 40, 3, 3, 1, 1, 0, len(rows), 2835, 2835, colours, 0)
    palette = b"\x00\x00\x00\x00\xff\xff\xff\x00"
    offset = 14 + len(header) + len(palette)
    return (struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset) + header + palette +
            rows)


# ICO: a directory, then each image as a bitmap of double height (colours, then the
# one-bit AND mask, here all zero) or as a whole PNG.

def ico_bitmap(pixels, bits):
    width, height = len(pixels[0]), len(pixels)
    colours = bmp_rows(pixels, bits)
    mask = b"\x00" * (((width + 31) // 32) * 4 * height)
    return info_header(width, 2 * height, bits, len(colours) + len(mask)) + colours + mask


def ico_entry(pixels, bits):
    return (len(pixels[0]), len(pixels), bits, ico_bitmap(pixels, bits))


# JPEG: one 8x8 block of grey, baseline, with the smallest Huffman tables that code it
# (one DC category, and end-of-block for the AC part).

def jpeg_segment(marker, data):
    return struct.pack(">BBH", 0xFF, marker, len(data) + 2) + data


def jpeg_grey_block(grey):
    dc = (grey - 128) * 8  # the DC coefficient of a flat block, quantiser 1
    category = abs(dc).bit_length()
    extra = dc if dc >= 0 else dc + (1 << category) - 1
    bits = "0" + format(extra, "0%db" % category) + "0"  # DC code, its value, EOB
    bits += "1" * (-len(bits) % 8)
    scan = bytes(int(bits[i:i + 8], 2) for i in range(0, len(bits), 8))
    scan = scan.replace(b"\xff", b"\xff\x00")
    one_code = bytes([1] + [0] * 15)
    return (b"\xff\xd8" +
            jpeg_segment(0xE0, b"JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00") +
            jpeg_segment(0xDB, b"\x00" + b"\x01" * 64) +
            jpeg_segment(0xC0, struct.pack(">BHHBBBB", 8, 8, 8, 1, 1, 0x11, 0)) +
            jpeg_segment(0xC4, b"\x00" + one_code + bytes([category])) +
            jpeg_segment(0xC4, b"\x10" + one_code + b"\x00") +
            jpeg_segment(0xDA, b"\x01\x01\x00\x00\x3f\x00") + scan + b"\xff\xd9")


# GIF: LZW codes of three bits kept from growing by a clear code every two pixels.

def gif(palette, indices):
    width, height = len(indices[0]), len(indices)
    clear, end = 4, 5
    codes = []
    flat = [i for row in indices for i in row]
    for at in range(0, len(flat), 2):
        codes += [clear] + flat[at:at + 2]
    codes.append(end)
    value = sum(code << (3 * n) for n, code in enumerate(codes))
    data = value.to_bytes((3 * len(codes) + 7) // 8, "little")
    return (b"GIF89a" + struct.pack("<HHBBB", width, height, 0x91, 0, 0) +
            bytes(c for rgb in palette for c in rgb) +
            b"\x2c" + struct.pack("<HHHHB", 0, 0, width, height, 0) +
            b"\x02" + bytes([len(data)]) + data + b"\x00\x3b")


def gif_small_frame():
    """A 4x3 picture whose one frame covers only 2x2 of it, at (1, 1)."""
    data = bytearray(gif(GIF_PALETTE, [[0, 1], [2, 3]]))
    data[6:10] = struct.pack("<HH", 4, 3)
    at = data.index(b"\x2c", 6 + 7 + 3 * len(GIF_PALETTE))
    data[at + 1:at + 5] = struct.pack("<HH", 1, 1)
    return bytes(data)


def files():
    alpha_png = png(ALPHA_PIXELS)
    colour_bmp = bmp(BMP_PIXELS)
    return {
        "alpha.png": alpha_png,
        "opaque.png": png(OPAQUE_PIXELS),
        "colour.bmp": colour_bmp,
        # The largest image is 4x4; of the two that size the 32-bit one is deepest.
        "icon.ico": ico([ico_entry(icon_pattern(2, 2), 32),
                         ico_entry(solid(4, 4, (9, 9, 9, 255)), 24),
                         ico_entry(icon_pattern(4, 4), 32),
                         ico_entry(solid(3, 3, (7, 7, 7, 255)), 32)]),
        # Icons since Windows Vista keep their large image as a PNG.
        "png-icon.ico": ico([ico_entry(solid(2, 2, (9, 9, 9, 255)), 32),
                             (5, 3, 32, png(icon_pattern(5, 3)))]),
        "grey.jpg": jpeg_grey_block(JPEG_GREY),
        "palette.gif": gif(GIF_PALETTE, GIF_INDICES),
        "frame.gif": gif_small_frame(),
        "truncated.png": alpha_png[:len(alpha_png) // 2],
        "truncated.bmp": colour_bmp[:len(colour_bmp) - 12],
        "corrupt.png": png_corrupt(),
        # Colour type 5 does not exist; every checksum is right.
        "bad-header.png": (b"\x89PNG\r\n\x1a\n" + png_ihdr(3, 2, colour_type=5) +
                           alpha_png[33:]),
        # The one image's bytes would lie past the end of the file.
        "corrupt.ico": ico([ico_entry(solid(2, 2, (1, 1, 1, 255)), 32)])[:40],
        # The directory promises two images; the file ends inside the first one's entry.
        "short.ico": ico([ico_entry(solid(2, 2, (1, 1, 1, 255)), 32)] * 2)[:30],
        # An image over the caps is passed over for the usable one.
        "mixed.ico": ico([(0, 0, 32, info_header(20000, 40000, 32, 0) + b"\x80" * 64),
                          ico_entry(icon_pattern(2, 2), 32)]),
        "huge.png": png_claiming(100000, 100000),
        "huge.bmp": bmp_claiming(20000, 20000),
        "huge.ico": ico([(0, 0, 32, info_header(20000, 40000, 32, 0) + b"\x80" * 64)]),
        # A one-bit bitmap announcing 0xFE000000 palette entries (found by fuzzing: a
        # decoder sized its palette buffer by it, about 4 GiB).
        "huge-palette.bmp": bmp_announcing_palette(0xFE000000),
    }


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else "tests/pixmap/images"
    os.makedirs(folder, exist_ok=True)
    for name, data in files().items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
