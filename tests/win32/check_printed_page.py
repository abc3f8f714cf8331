#!/usr/bin/env python3
"""Checks a printed page, rasterised to PPM: the dated heading at the top, the
picture (frame, graticule, cyan and green traces) on the upper half, nothing
on the lower half.   check_printed_page.py page.ppm"""
import sys

import numpy


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b"P6":
        sys.exit(f"{path}: not a binary PPM")
    width, height = int(fields[1]), int(fields[2])
    pixels = numpy.frombuffer(data[pos + 1:pos + 1 + width * height * 3], dtype=numpy.uint8)
    return pixels.reshape(height, width, 3).astype(int)


page = read_ppm(sys.argv[1])
height, width, _ = page.shape
r, g, b = page[..., 0], page[..., 1], page[..., 2]
ink = (r + g + b) < 600  # anything not white
dark = (r < 90) & (g < 90) & (b < 90)
cyan = (r < 100) & (g > 180) & (b > 180)
green = (r < 100) & (g > 180) & (b < 100)

failures = []
rows = numpy.nonzero(ink.any(axis=1))[0]
if rows.size == 0:
    sys.exit("the page is blank")
top, bottom = rows[0], rows[-1]
print(f"page {width}x{height}: ink from row {top} to {bottom}")

# The heading: the first ink on the page, in the top tenth, centred.
heading_rows = [y for y in rows if y < top + height // 40]
cols = numpy.nonzero(ink[top:top + height // 40].any(axis=0))[0]
if top > height // 10:
    failures.append(f"the first ink is at row {top}, not at the top")
centre = (cols[0] + cols[-1]) / 2
if abs(centre - width / 2) > width * 0.08:
    failures.append(f"the heading is centred at x={centre:.0f}, not near {width / 2:.0f}")

# The picture ends above the middle of the page; the lower half stays empty.
if bottom > height * 0.52:
    failures.append(f"ink reaches row {bottom} of {height}: below the upper half")

# Frames and graticule: long dark horizontal lines across most of the width.
long_rows = numpy.nonzero(dark.sum(axis=1) > width * 0.7)[0]
if long_rows.size < 4:
    failures.append(f"only {long_rows.size} rows with a dark line across the page")
long_cols = numpy.nonzero(dark[: height // 2].sum(axis=0) > height * 0.3)[0]
if long_cols.size < 9:
    failures.append(f"only {long_cols.size} columns with a dark vertical line (grid)")

# The traces in colour, inside the upper half.
upper = slice(0, height // 2)
for name, mask in (("cyan", cyan), ("green", green)):
    count = int(mask[upper].sum())
    if count < width // 2:
        failures.append(f"only {count} {name} pixels in the upper half")
    if mask[height // 2:].any():
        failures.append(f"{name} pixels on the lower half")

if failures:
    sys.exit("\n".join(failures))
print("heading at the top, picture with frame, grid and cyan and green traces on the upper half")
