#!/usr/bin/env python3
"""Draws the program's icon, one 32x32 image in 256 colours, and writes it as an .ico file."""
import struct
import sys

SIZE = 32
TOP = (0x2F, 0x80, 0xED)     # blue at the top of the tile
BOTTOM = (0x1B, 0x4F, 0x9C)  # darker blue at its bottom
WHITE = (0xFF, 0xFF, 0xFF)
ORANGE = (0xF2, 0x99, 0x1E)
SHADES = 16                  # steps of the tile's gradient


def inside_tile(x, y, radius=6, low=1, high=30):
    """Whether the pixel lies on the rounded square tile."""
    cx = min(max(x, low + radius), high - radius)
    cy = min(max(y, low + radius), high - radius)
    return low <= x <= high and low <= y <= high and (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def colour_at(x, y):
    """The colour of a pixel, or None where the icon is transparent."""
    if not inside_tile(x, y):
        return None
    if (x - 23) ** 2 + (y - 9) ** 2 <= 16:  # the hop: a ball above the list
        return ORANGE
    for top, length in ((14, 18), (19, 14), (24, 16)):  # three list entries
        if top <= y < top + 3 and 7 <= x < 7 + length:
            return WHITE
    step = y * (SHADES - 1) // (SIZE - 1)
    return tuple(t + (b - t) * step // (SHADES - 1) for t, b in zip(TOP, BOTTOM))


def icon_bytes():
    palette = [(0, 0, 0), WHITE, ORANGE]
    pixels = {}
    for y in range(SIZE):
        for x in range(SIZE):
            colour = colour_at(x, y)
            if colour is not None and colour not in palette:
                palette.append(colour)
            pixels[x, y] = colour
    palette += [(0, 0, 0)] * (256 - len(palette))

    colour_rows = b""
    mask_rows = b""
    for y in reversed(range(SIZE)):  # bottom-up, as bitmaps are stored
        colour_rows += bytes(0 if pixels[x, y] is None else palette.index(pixels[x, y]) for x in range(SIZE))
        bits = 0
        for x in range(SIZE):
            bits = bits << 1 | (pixels[x, y] is None)
        mask_rows += struct.pack(">I", bits)

    # The image's height counts the colour and the mask rows together.
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0, len(colour_rows) + len(mask_rows), 0, 0, 0, 0)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    image = header + colours + colour_rows + mask_rows
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 22)
    return directory + image


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as out:
        out.write(icon_bytes())
