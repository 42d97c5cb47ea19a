#!/usr/bin/env python3
"""Draws the program's icon from the Linux build's SVG and writes it as an .ico file with 16, 32, 48 and 256 px
images: 32-bit bitmaps with alpha for the small ones, PNG for the large one, as Windows Vista and later read them.

Usage: make_icon.py ICON.svg OUTPUT.ico. The SVG's few shapes (rect, line, polygon with flat colours) are drawn
here, with no dependency, so that every build draws the same pixels.
"""
import math
import struct
import sys
import xml.etree.ElementTree as ElementTree
import zlib

SIZES = (16, 32, 48, 256)
PNG_FROM = 256     # sizes from here on are stored as PNG
SVG = "{http://www.w3.org/2000/svg}"


def colour(text):
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


def rounded_rect_distance(x, y, left, top, width, height, radius):
    """Signed distance from a point to a rounded rectangle's edge: negative inside."""
    half_w, half_h = width / 2, height / 2
    dx = abs(x - (left + half_w)) - (half_w - radius)
    dy = abs(y - (top + half_h)) - (half_h - radius)
    outside = math.hypot(max(dx, 0.0), max(dy, 0.0))
    return outside + min(max(dx, dy), 0.0) - radius


def segment_distance(x, y, x1, y1, x2, y2):
    dx, dy = x2 - x1, y2 - y1
    t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy)))
    return math.hypot(x - (x1 + t * dx), y - (y1 + t * dy))


def inside_polygon(x, y, points):
    inside = False
    for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside


def painters(svg):
    """Each shape as (colour, test of a point in SVG units), in painting order."""
    shapes = []
    for element in svg:
        kind = element.tag.removeprefix(SVG)
        number = lambda name, default=0.0: float(element.get(name, default))  # noqa: E731
        if kind == "rect":
            box = (number("x"), number("y"), number("width"), number("height"), number("rx"))
            if element.get("fill", "none") != "none":
                shapes.append((colour(element.get("fill")), lambda x, y, b=box: rounded_rect_distance(x, y, *b) <= 0))
            if element.get("stroke", "none") != "none":
                half = number("stroke-width", 1) / 2
                shapes.append((colour(element.get("stroke")),
                               lambda x, y, b=box, h=half: abs(rounded_rect_distance(x, y, *b)) <= h))
        elif kind == "line":
            ends = (number("x1"), number("y1"), number("x2"), number("y2"))
            half = number("stroke-width", 1) / 2
            shapes.append((colour(element.get("stroke")),
                           lambda x, y, e=ends, h=half: segment_distance(x, y, *e) <= h))
        elif kind == "polygon":
            values = [float(v) for v in element.get("points").replace(",", " ").split()]
            points = list(zip(values[0::2], values[1::2]))
            shapes.append((colour(element.get("fill")), lambda x, y, p=points: inside_polygon(x, y, p)))
        else:
            raise SystemExit(f"make_icon.py: cannot draw <{kind}>")
    return shapes


def render(svg, size):
    """Rows of (r, g, b, a) pixels, top row first."""
    # Samples per pixel along each axis, for smooth edges: the small images need more.
    samples = 2 if size >= PNG_FROM else 4
    scale = float(svg.get("width")) / size
    shapes = painters(svg)
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            red = green = blue = alpha = 0.0
            for sy in range(samples):
                for sx in range(samples):
                    x = (px + (sx + 0.5) / samples) * scale
                    y = (py + (sy + 0.5) / samples) * scale
                    painted = None
                    for shape_colour, covers in shapes:
                        if covers(x, y):
                            painted = shape_colour
                    if painted is not None:
                        red, green, blue, alpha = red + painted[0], green + painted[1], blue + painted[2], alpha + 1
            if alpha == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((round(red / alpha), round(green / alpha), round(blue / alpha),
                            round(255 * alpha / samples ** 2)))
        rows.append(row)
    return rows


def bitmap_image(rows):
    """A 32-bit bitmap with its AND mask, bottom row first, as an icon holds it."""
    size = len(rows)
    colours = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    mask_stride = (size + 31) // 32 * 4
    mask = b""
    for row in reversed(rows):
        bits = 0
        for r, g, b, a in row:
            bits = bits << 1 | (a == 0)
        bits <<= mask_stride * 8 - size
        mask += bits.to_bytes(mask_stride, "big")
    # The image's height counts the colour and the mask rows together.
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colours) + len(mask), 0, 0, 0, 0)
    return header + colours + mask


def png_image(rows):
    size = len(rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    raw = b"".join(b"\0" + bytes(value for pixel in row for value in pixel) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def icon_bytes(svg):
    images = [png_image(render(svg, size)) if size >= PNG_FROM else bitmap_image(render(svg, size))
              for size in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    for size, image in zip(SIZES, images):
        # A width or height of 256 is written as 0.
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + b"".join(images)


if __name__ == "__main__":
    source = ElementTree.parse(sys.argv[1]).getroot()
    with open(sys.argv[2], "wb") as out:
        out.write(icon_bytes(source))
