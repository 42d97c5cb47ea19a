#!/usr/bin/env python3
"""Writes the picture files of this folder: damaged pictures as an attacker crafts them, and small sound ones
beside them. The tests and the picture fuzz target's seeds read the written files; run this again after changing
it (python3 make_pictures.py)."""

import struct
from pathlib import Path

HERE = Path(__file__).resolve().parent
RED = (0, 0, 0xFF, 0)  # blue, green, red, reserved
GREEN = (0, 0xFF, 0, 0)
BLUE = (0xFF, 0, 0, 0)


def bitmap(width, height, bit_count, colours, pixels, compression=0):
    """A bitmap file with an info header, its colour table (colours used = the table's length) and pixels."""
    table = b"".join(bytes(colour) for colour in colours)
    offset = 14 + 40 + len(table)
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bit_count, compression, len(pixels), 3780, 3780,
                         len(colours), 0)
    return b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + header + table + pixels


def icon_image(size, colour):
    """The image of an icon entry: a 32-bit bitmap twice its height (colours, then the mask), all opaque."""
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    return header + bytes(colour[:3]) + b"\xff" + (bytes(colour[:3]) + b"\xff") * (size * size - 1) + \
        bytes(size * ((size + 31) // 32) * 4)


def icon(images):
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, image in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + entries + b"".join(image for _, image in images)


def gif_pixels(indexes):
    """Minimum code size 2 and the pixels as LZW codes of 3 bits, a clear code before each so that the table never
    grows, then the end code; in one data sub-block."""
    codes = [code for index in indexes for code in (4, index)] + [5]
    value = sum(code << (3 * i) for i, code in enumerate(codes))
    data = value.to_bytes((3 * len(codes) + 7) // 8, "little")
    return b"\x02" + bytes([len(data)]) + data + b"\x00"


FILES = {
    # An 8-bit bitmap with one colour in its table whose pixels name all 256: the painter once looked the other
    # 255 up beyond the table.
    "palette-one-entry.bmp": bitmap(16, 4, 8, [GREEN], bytes((i * 37) % 256 if i % 5 else 0 for i in range(64))),
    # Run-length coded bitmaps of 8 by 8 pixels: three pixels of colour 1 at the bottom left, then a delta that
    # jumps out of the image, then the end. The decoder never writes the other 61 pixels.
    "rle8-delta-out.bmp": bitmap(8, 8, 8, [RED, BLUE], b"\x03\x01" + b"\x00\x02\xff\xff" + b"\x00\x01", 1),
    "rle4-delta-out.bmp": bitmap(8, 8, 4, [RED, BLUE], b"\x03\x11" + b"\x00\x02\xff\xff" + b"\x00\x01", 2),
    # 16000 by 16000 pixels claimed by a run-length coded bitmap that holds only its end code.
    "rle8-huge.bmp": bitmap(16000, 16000, 8, [RED, BLUE], b"\x00\x01", 1),
    # An icon whose directory claims 65535 entries in 38 bytes; none is 32 pixels wide, so the system looks at all.
    "icon-65535-entries.ico": struct.pack("<HHH", 0, 1, 65535) +
    struct.pack("<BBBBHHII", 16, 16, 0, 0, 1, 32, 16, 22) + bytes(16),
    # A GIF whose screen and only image claim 65535 by 65535 pixels.
    "gif-huge.gif": b"GIF89a" + struct.pack("<HHBBB", 65535, 65535, 0x80, 0, 0) + bytes(6) +
    b"," + struct.pack("<HHHHB", 0, 0, 65535, 65535, 0) + b"\x02\x02\x44\x01\x00;",
    # Sound pictures: a 24-bit bitmap, an icon of two sizes and a GIF of two frames.
    "sound-24bit.bmp": bitmap(3, 2, 24, [], bytes([0, 0, 0xFF] * 3 + [0] * 3 + [0, 0xFF, 0] * 3 + [0] * 3)),
    "sound-two-sizes.ico": icon([(16, icon_image(16, GREEN)), (32, icon_image(32, BLUE))]),
    "sound-two-frames.gif": b"GIF89a" + struct.pack("<HHBBB", 2, 2, 0x80, 0, 0) + b"\xff\x00\x00\x00\x00\xff" +
    b"!\xf9\x04\x00\x0a\x00\x00\x00" + b"," + struct.pack("<HHHHB", 0, 0, 2, 2, 0) + gif_pixels([0, 1, 1, 0]) +
    b"," + struct.pack("<HHHHB", 1, 1, 1, 1, 0) + gif_pixels([1]) + b";",
}

if __name__ == "__main__":
    for name, content in FILES.items():
        (HERE / name).write_bytes(content)
