"""Shared parts of the end-to-end tests: the driver session, screenshots, the
picture geometry of the main window and the checks.

Every test script is started by CTest (tests/e2e/CMakeLists.txt) with
  --vexal <vexal.exe> --drive <vexal_drive.exe> --wine <run-in-wine.sh> --out <folder>
and runs inside the Wine session of the fixture "wine". Standard library only.
"""

import argparse
import math
import os
import struct
import subprocess
import sys
import traceback

TITLE = "Vexal-Interface V1.0"

# Colours as (red, green, blue).
GREY = (128, 128, 128)
LIGHT_GREY = (192, 192, 192)
BLACK = (0, 0, 0)
DARK_BLUE = (0, 0, 160)
CYAN = (0, 255, 255)
GREEN = (0, 255, 0)


class DriverError(Exception):
    pass


class Driver:
    """One vexal_drive.exe process, fed one command per line (see its header)."""

    def __init__(self, args):
        self.args = args
        self.log = open(os.path.join(args.out, "driver.log"), "a", encoding="cp1252")
        self.proc = subprocess.Popen(
            ["bash", args.wine, args.drive],
            stdin=subprocess.PIPE,
            stdout=subprocess.PIPE,
            cwd=os.path.dirname(args.drive),
            encoding="cp1252",
            errors="replace",
            bufsize=1,
        )

    def cmd(self, line):
        """Runs one command; returns its "key value" lines as a list of word lists."""
        self.log.write("> " + line + "\n")
        self.proc.stdin.write(line + "\n")
        self.proc.stdin.flush()
        answer = []
        while True:
            reply = self.proc.stdout.readline()
            if not reply:
                raise DriverError(f"the driver ended during: {line}")
            reply = reply.rstrip("\r\n")
            self.log.write(reply + "\n")
            if reply == "ok":
                return answer
            if reply.startswith("error "):
                raise DriverError(reply[6:])
            answer.append(reply)

    def value(self, line, key):
        """Runs a command and returns the words after `key` in its answer."""
        for reply in self.cmd(line):
            words = reply.split(" ")
            if words[0] == key:
                return words[1:]
        raise DriverError(f"no {key} in the answer to {line}")

    def start_vexal(self):
        self.value(f"start {self.args.vexal}", "pid")
        return self.title()

    def title(self):
        return " ".join(self.value("title", "title"))

    def client_size(self, window="main"):
        width, height = self.value(f"client-size {window}", "size")
        return int(width), int(height)

    def screenshot(self, name, window="main"):
        path = os.path.join(self.args.out, name + ".bmp")
        self.cmd(f"screenshot {window} {path}")
        return Picture(path)

    def menu(self, identifier):
        """A click on a menu item, then wait until it is handled and painted."""
        self.cmd(f"menu {identifier}")
        self.cmd("sync")

    def menu_states(self, identifiers):
        """{identifier: "checked" | "unchecked" | "missing"}"""
        states = {}
        for reply in self.cmd("menu-state " + " ".join(str(i) for i in identifiers)):
            words = reply.split(" ")
            if words[0] == "state":
                states[int(words[1])] = words[2]
        return states

    def menu_items(self):
        """Every item of the menu bar: dicts with depth, id, kind, state, text."""
        items = []
        for reply in self.cmd("menu-dump"):
            fields = reply.split("\t")
            if fields[0] == "item":
                items.append(
                    {
                        "depth": int(fields[1]),
                        "id": int(fields[2]),
                        "kind": fields[3],
                        "checked": fields[4] == "checked",
                        "enabled": fields[5] == "enabled",
                        "text": fields[6] if len(fields) > 6 else "",
                    }
                )
        return items

    def base_units(self):
        """The dialog base units, which the program uses as its text offsets."""
        width, height = self.value("base-units", "base-units")
        return int(width), int(height)

    def close_and_wait(self, timeout_ms=10000):
        self.cmd("close")
        return self.exit_code(timeout_ms)

    def exit_code(self, timeout_ms=10000):
        return int(self.value(f"wait-exit {timeout_ms}", "exit-code")[0])

    def quit(self):
        """Ends the driver; a program it started and that still runs is killed."""
        if self.proc.poll() is None:
            try:
                self.proc.stdin.close()
                self.proc.wait(timeout=20)
            except (OSError, subprocess.TimeoutExpired):
                self.proc.kill()
        self.log.close()


class Picture:
    """A 24-bit bottom-up BMP as written by the driver."""

    def __init__(self, path):
        self.path = path
        with open(path, "rb") as f:
            data = f.read()
        if data[:2] != b"BM":
            raise ValueError(f"{path} is no BMP")
        offset = struct.unpack_from("<I", data, 10)[0]
        width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
        if bits != 24 or height <= 0:
            raise ValueError(f"{path}: expected a bottom-up 24-bit BMP")
        self.width, self.height = width, height
        self.stride = (width * 3 + 3) // 4 * 4
        self.data = data
        self.offset = offset

    def pixel(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise IndexError(f"({x}, {y}) lies outside the {self.width} x {self.height} picture")
        i = self.offset + (self.height - 1 - y) * self.stride + 3 * x
        blue, green, red = self.data[i : i + 3]
        return (red, green, blue)

    def count(self, colour, left, top, right, bottom):
        """How many pixels of exactly this colour lie in [left, right) x [top, bottom)."""
        return sum(
            1
            for y in range(max(top, 0), min(bottom, self.height))
            for x in range(max(left, 0), min(right, self.width))
            if self.pixel(x, y) == colour
        )

    def region(self, left, top, right, bottom):
        """The raw pixels of a rectangle, for before/after comparisons."""
        return [
            self.pixel(x, y)
            for y in range(max(top, 0), min(bottom, self.height))
            for x in range(max(left, 0), min(right, self.width))
        ]

    def save_png(self, path):
        """Writes the picture as a PNG (for people looking at a failure)."""
        import zlib

        rows = bytearray()
        for y in range(self.height):
            rows.append(0)
            for x in range(self.width):
                rows.extend(self.pixel(x, y))

        def chunk(kind, body):
            return (
                struct.pack(">I", len(body))
                + kind
                + body
                + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)
            )

        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
            f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)))
            f.write(chunk(b"IDAT", zlib.compress(bytes(rows), 6)))
            f.write(chunk(b"IEND", b""))


class Geometry:
    """Where the main window draws, for a client area of width x height:
    positions with a fraction are computed quotient first, then product, then
    sum, in double precision, truncated toward zero."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.left, self.top = 40, 40
        self.right, self.bottom = width - 40, height - 40
        self.xm = self.left + int((self.right - self.left) / 2)
        self.ym = self.top + int((self.bottom - self.top) / 2)

    def gx(self, i):
        return int(self.left + (self.right - self.left) * (i / 50))

    def gy(self, j):
        return int(self.top + (self.bottom - self.top) * (j / 40))

    def tx(self, i):
        return int(self.left + (self.right - self.left) * (i / 2048))

    def ty(self, sample):
        return int(self.bottom - (self.bottom - self.top) * (sample / 256))


def label_boxes(geometry, char_width, char_height):
    """The rectangles (left, top, right, bottom) of the three scale labels when
    both channels show: channel 1 above channel 2 at the bottom left, the
    timebase at the bottom right, all on the bottom text rows of the plot."""
    g, cw, ch = geometry, char_width, char_height
    return {
        "ch1": (g.left + 1, g.bottom - 2 * ch, g.left + cw + 22 * cw, g.bottom - ch),
        "ch2": (g.left + 1, g.bottom - ch, g.left + cw + 22 * cw, g.bottom),
        "tb": (g.right - cw - 24 * cw, g.bottom - ch, g.right - 1, g.bottom),
    }


def demo_sample(channel, i):
    """The start-up demonstration traces: a sine on channel 1, a cosine on 2."""
    x = (i / 1024.0) * 6.28
    v = math.sin(x) if channel == 1 else math.cos(x)
    w = (v + 1.0) * 128.0
    return int(min(w, 255.0))


class Checks:
    """Collects named checks; a test fails when one of them fails."""

    def __init__(self):
        self.passed = 0
        self.failed = []

    def check(self, condition, what):
        if condition:
            self.passed += 1
            print(f"  ok      {what}")
        else:
            self.failed.append(what)
            print(f"  FAILED  {what}")
        return condition

    def equal(self, actual, expected, what):
        return self.check(actual == expected, f"{what}: got {actual!r}, want {expected!r}")


def near(picture, x, y, colour, radius=1):
    """True when the colour appears within `radius` pixels of (x, y): a 2-pixel
    pen puts its pixels on one side or the other of the ideal line."""
    return any(
        picture.pixel(x + dx, y + dy) == colour
        for dy in range(-radius, radius + 1)
        for dx in range(-radius, radius + 1)
        if 0 <= x + dx < picture.width and 0 <= y + dy < picture.height
    )


def run(test):
    """Parses the arguments, runs test(driver, checks, args) and reports."""
    parser = argparse.ArgumentParser()
    for name in ("vexal", "drive", "wine", "out"):
        parser.add_argument(f"--{name}", required=True)
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    checks = Checks()
    driver = Driver(args)
    crashed = False
    try:
        test(driver, checks, args)
    except Exception:  # a failed driver command or check ends the test
        traceback.print_exc()
        crashed = True
    finally:
        driver.quit()
    print(f"{checks.passed} checks passed, {len(checks.failed)} failed"
          + (", the test stopped early" if crashed else ""))
    print(f"(screenshots and driver.log in {args.out})")
    sys.exit(1 if crashed or checks.failed else 0)
