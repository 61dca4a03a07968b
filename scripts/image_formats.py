"""The containers our image scripts write: PNG chunks, and icon files holding 32-bit
bitmaps or whole PNGs. Imported by make-icon.py, make-gallery-images.py and
make-test-images.py (run from any folder: Python puts the script's own folder first on
its path)."""
import struct
import zlib


def png_chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def icon_bitmap_32(width, height, pixels):
    """One icon image: BITMAPINFOHEADER (double height), the BGRA pixels bottom row first,
    and an all-zero AND mask (the alpha channel decides)."""
    mask = bytes(((width + 31) // 32) * 4 * height)
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0,
                         len(pixels) + len(mask), 0, 0, 0, 0)
    return header + pixels + mask


def ico(images):
    """images: (width, height, bits, data) in directory order."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for width, height, bits, data in images:
        out += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, bits, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, _, _, data in images)
