#!/usr/bin/env python3
"""Draws the program's icon (res/vexal.ico) and the About picture (res/info.bmp).

Both are small oscilloscope screens drawn pixel by pixel, so the output is the
same on every machine. The files are committed: a Windows build needs no Python.

    python3 tools/make_art.py [output-folder]     (default: res/ next to this folder)
"""

import math
import os
import struct
import sys

BLACK = (0, 0, 0)
GREY = (128, 128, 128)
LIGHT_GREY = (192, 192, 192)
DARK_GREY = (64, 64, 64)
DARK_BLUE = (0, 0, 160)
CYAN = (0, 255, 255)
GREEN = (0, 255, 0)
SCREEN = (12, 20, 28)


class Raster:
    """A 24-bit picture, row 0 at the top."""

    def __init__(self, width, height, colour):
        self.width = width
        self.height = height
        self.rows = [[colour] * width for _ in range(height)]

    def plot(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = colour

    def fill(self, left, top, right, bottom, colour):
        """Fills left <= x < right, top <= y < bottom."""
        for y in range(top, bottom):
            for x in range(left, right):
                self.plot(x, y, colour)

    def frame(self, left, top, right, bottom, colour):
        """A one-pixel outline just inside left..right-1, top..bottom-1."""
        for x in range(left, right):
            self.plot(x, top, colour)
            self.plot(x, bottom - 1, colour)
        for y in range(top, bottom):
            self.plot(left, y, colour)
            self.plot(right - 1, y, colour)

    def line(self, x0, y0, x1, y1, colour, thickness=1):
        """Bresenham line; a thick line is a square brush moved along it."""
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx = 1 if x0 < x1 else -1
        sy = 1 if y0 < y1 else -1
        err = dx + dy
        while True:
            for oy in range(thickness):
                for ox in range(thickness):
                    self.plot(x0 + ox, y0 + oy, colour)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def bgr_rows_bottom_up(self):
        """Pixel rows as Windows DIBs store them, each padded to four bytes."""
        padding = b"\0" * ((4 - self.width * 3 % 4) % 4)
        out = bytearray()
        for row in reversed(self.rows):
            for r, g, b in row:
                out += bytes((b, g, r))
            out += padding
        return bytes(out)


def bitmap_info_header(width, height, image_size, bits=24, colours=0):
    # biSize, biWidth, biHeight, biPlanes, biBitCount, biCompression (BI_RGB),
    # biSizeImage, biXPelsPerMeter, biYPelsPerMeter, biClrUsed, biClrImportant
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 2835, 2835,
                       colours, colours)


def graticule(r, left, top, right, bottom, colour, columns, rows, ticks):
    """Full lines at every division, short ticks on the two centre lines."""
    span_x, span_y = right - left, bottom - top
    xm, ym = left + span_x // 2, top + span_y // 2
    for i in range(columns * ticks + 1):
        x = left + span_x * i // (columns * ticks)
        if i % ticks == 0:
            r.line(x, top, x, bottom, colour)
        else:
            r.line(x, ym - 2, x, ym + 2, colour)
    for j in range(rows * ticks + 1):
        y = top + span_y * j // (rows * ticks)
        if j % ticks == 0:
            r.line(left, y, right, y, colour)
        else:
            r.line(xm - 2, y, xm + 2, y, colour)


def trace(r, left, top, right, bottom, function, colour, thickness):
    """The demonstration curve: slightly less than two periods over the width."""
    span_x, span_y = right - left, bottom - top
    previous = None
    for x in range(left, right + 1):
        angle = (x - left) / span_x * 2.0 * 6.28
        level = min((function(angle) + 1.0) * 128.0, 255.0)
        y = bottom - int(span_y * (level / 256.0))
        if previous:
            r.line(previous[0], previous[1], x, y, colour, thickness)
        previous = (x, y)


def draw_about_picture():
    """158 x 100: grey frame, black plot area, blue graticule, both traces."""
    r = Raster(158, 100, LIGHT_GREY)
    r.fill(3, 3, 155, 97, GREY)
    r.frame(3, 3, 155, 97, DARK_GREY)
    left, top, right, bottom = 9, 8, 149, 92  # 140 x 84: ten by eight divisions of 14 x 10.5
    r.fill(left, top, right + 1, bottom + 1, BLACK)
    graticule(r, left, top, right, bottom, DARK_BLUE, 10, 8, 5)
    trace(r, left, top + 4, right - 1, bottom - 4, math.sin, CYAN, 2)
    trace(r, left, top + 4, right - 1, bottom - 4, math.cos, GREEN, 2)
    return r


def draw_icon_picture():
    """32 x 32: a dark screen in a grey bezel with one green trace."""
    r = Raster(32, 32, DARK_GREY)
    r.frame(0, 0, 32, 32, LIGHT_GREY)
    r.fill(3, 3, 29, 29, SCREEN)
    graticule(r, 3, 3, 28, 28, (0, 0, 112), 4, 4, 1)
    trace(r, 4, 7, 27, 24, math.sin, GREEN, 2)
    return r


def bmp_file(r):
    """A 16-colour bitmap: the picture has a few flat colours, and a sixth of the bytes of a
    24-bit one keep the programs small; the screen shows the same pixels."""
    colours = sorted({bytes((b, g, r)) for row in r.rows for r, g, b in row})
    assert len(colours) <= 16, "the About picture needs a 16-colour palette"
    palette = b"".join(c + b"\0" for c in colours)
    row_bytes = ((r.width + 1) // 2 + 3) // 4 * 4
    pixels = bytearray()
    for row in reversed(r.rows):
        line = bytearray(row_bytes)
        for x, (red, green, blue) in enumerate(row):
            index = colours.index(bytes((blue, green, red)))
            line[x // 2] |= index << 4 if x % 2 == 0 else index
        pixels += line
    offset = 14 + 40 + len(palette)
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    header = bitmap_info_header(r.width, r.height, len(pixels), 4, len(colours))
    return file_header + header + palette + bytes(pixels)


def ico_file(r):
    colour = r.bgr_rows_bottom_up()
    mask_row = (r.width + 31) // 32 * 4
    mask = b"\0" * (mask_row * r.height)  # every pixel opaque
    # The icon's DIB header counts the colour image and the mask: twice the height.
    image = bitmap_info_header(r.width, r.height * 2, len(colour) + len(mask)) + colour + mask
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", r.width, r.height, 0, 0, 1, 24, len(image), 6 + 16)
    return directory + entry + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, os.pardir, "res")
    for name, data in (("vexal.ico", ico_file(draw_icon_picture())),
                       ("info.bmp", bmp_file(draw_about_picture()))):
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
