"""Pixels of a window as `import` captures them (binary PPM), and the few measurements the tests make."""

import re

# Exactly one whitespace byte ends the header; the pixels may start with bytes that look like whitespace.
HEADER = re.compile(rb"P6\s+(\d+)\s+(\d+)\s+255\s")


class ScreenImage:
    def __init__(self, ppm):
        header = HEADER.match(ppm)
        if header is None:
            raise ValueError("not an 8-bit binary PPM")
        self.width = int(header.group(1))
        self.height = int(header.group(2))
        self._pixels = ppm[header.end():]
        if len(self._pixels) != self.width * self.height * 3:
            raise ValueError("truncated PPM")

    def __eq__(self, other):
        return (self.width, self.height, self._pixels) == (other.width, other.height, other._pixels)

    def pixel(self, x, y):
        start = (y * self.width + x) * 3
        return tuple(self._pixels[start:start + 3])

    def colours(self, left, top, width, height):
        """The distinct colours of a rectangle: one for a blank area, many where text is drawn."""
        return {self.pixel(x, y) for y in range(top, top + height) for x in range(left, left + width)}

    def changed_band(self, before, x, y):
        """Top and bottom (inclusive) of the run of pixels in column x, through (x, y), that differ from `before`;
        None when (x, y) itself has not changed."""

        def changed(row):
            return self.pixel(x, row) != before.pixel(x, row)

        if not changed(y):
            return None
        top = y
        while top > 0 and changed(top - 1):
            top -= 1
        bottom = y
        while bottom < self.height - 1 and changed(bottom + 1):
            bottom += 1
        return top, bottom
