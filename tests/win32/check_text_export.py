#!/usr/bin/env python3
"""An independent reader of the text export: numpy must load the 2048 sample
pairs that the program held.  check_text_export.py <artifact-dir>"""
import pathlib
import sys

import numpy

folder = pathlib.Path(sys.argv[1])
raw = (folder / "samples.bin").read_bytes()
expected = numpy.frombuffer(raw, dtype=numpy.uint8).reshape(2, 2048).T
values = numpy.loadtxt(folder / "export.txt", skiprows=5)
if values.shape != (2048, 2):
    sys.exit(f"numpy read {values.shape} values, not 2048 x 2")
if not numpy.array_equal(values, expected):
    bad = numpy.argwhere(values != expected)[0]
    sys.exit(f"value differs at line {bad[0]}, column {bad[1]}")
print("numpy.loadtxt read 2048 x 2 samples equal to the store")
