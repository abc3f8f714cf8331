"""The right-click menu and Ctrl+C typed on the X display (xdotool), the measurements
before and after the labels change, the clipboard as a Linux program pasting reads it
(xclip), a clipboard that another program holds, the menu of a store without data."""

import math
import os
import re
import subprocess
import time
from fractions import Fraction

import numpy

from vexal_e2e import CYAN, DIRECT, GREEN, Simulator, count, read_bmp, run, text_file, wine_session

# Channel 1 a sine of 5 periods, channel 2 a square of 8, both +-64 counts.
SINE = [128 + round(64 * math.sin(2 * math.pi * 5 * i / 2048)) for i in range(2048)]
SQUARE = [192 if (8 * i / 2048) % 1 < 0.5 else 64 for i in range(2048)]
ROWS = ["", "Maximum", "Minimum", "Spitze-Spitze", "Mittelwert", "Effektivwert", "Periode",
        "Frequenz"]
UNITS = ["V"] * 5 + ["s", "Hz"]
PREFIXES = {"n": 1e-9, "\xb5": 1e-6, "m": 1e-3, "": 1, "k": 1e3, "M": 1e6}


def physics(ch1_volts, ch2_volts, seconds):
    """What the signals measure at these volts and seconds per division: 64 counts are
    2 divisions; 10 divisions hold 5 and 8 periods."""
    sine, square, span = 2 * ch1_volts, 2 * ch2_volts, 10 * seconds
    return {1: [sine, -sine, 2 * sine, 0, sine / math.sqrt(2), span / 5, 5 / span],
            2: [square, -square, 2 * square, 0, square, span / 8, 8 / span]}


def reading(text, unit):
    """A cell such as "1,41 V" as a number, if it has three significant digits (or is 0)."""
    match = re.fullmatch(rf"(-?\d+)(?:,(\d+))? ([n\xb5mkM]?){unit}", text)
    if match and len((match[1] + (match[2] or "")).strip("-").lstrip("0")) in (0, 3):
        return float(f"{match[1]}.{match[2] or 0}") * PREFIXES[match[3]]
    return None


def check_table(checks, controls, scale, want, what):
    """The dialog's scale line and its cells (control 4101 + 3 row + column); returns the rows."""
    cells = [[controls[4101 + 3 * r + k][1] for k in range(3)] for r in range(8)]
    checks.equal((controls[4100][1], [row[0] for row in cells]), (scale, ROWS), what)
    for channel in (1, 2):
        got = [reading(row[channel], unit) for row, unit in zip(cells[1:], UNITS)]
        checks.check(all(g is not None and abs(g - w) <= (0.005 * abs(w) or 1e-3)
                         for g, w in zip(got, want[channel])),
                     f"{what}, channel {channel}: {[row[channel] for row in cells[1:]]}")
    return cells


def test(driver, checks, args):
    saved = os.path.join(args.out, "sine-square.txt")
    open(saved, "wb").write(text_file(time.localtime(), {1: SINE, 2: SQUARE}))
    env = dict(os.environ, DISPLAY=wine_session()["DISPLAY"])

    def xdotool(*words):
        return subprocess.run(["xdotool", *words], env=env, capture_output=True, check=True).stdout

    def paste(target, begin=b""):
        """The clipboard in one format, once it begins with `begin` (b"" when absent)."""
        for _ in range(50):
            data = subprocess.run(["xclip", "-o", "-selection", "clipboard", "-t", target],
                                  env=env, capture_output=True, timeout=20).stdout
            if data.startswith(begin):
                return data
            time.sleep(0.1)
        return data

    def context_menu(name):
        """Whether each item of the open menu is enabled: black text, not grey."""
        driver.cmd("wait-dialog 5000")
        picture = driver.screenshot(name, "dialog")[3:-3, 3:-3].astype(int)
        return [(row.sum(axis=2) < 100).sum() > 20 for row in numpy.array_split(picture, 3)]

    # A decimal separator other than Wine's default one.
    international = ["bash", args.wine, "reg", "add", r"HKCU\Control Panel\International", "/v",
                     "sDecimal", "/f", "/d"]
    subprocess.run(international + [","], capture_output=True, check=True)
    try:
        driver.start(saved)
        window = xdotool("search", "--name", "^Vexal-Interface V1.0$").split()[0]
        xdotool("mousemove", "--window", window, "400", "300", "click", "3")
        checks.equal(context_menu("menu"), [True] * 3, "right click: the menu")
        xdotool("key", "Up", "Return")  # "Messungen..."
        driver.cmd("wait-dialog 5000 Messungen")
        driver.screenshot("measurements", "dialog")  # doc/measurements.png
        cells = check_table(checks, driver.dialog_controls(),
                            "Kanal 1: 1 V / DIV   Kanal 2: 1 V / DIV   TB: 100 ms / DIV",
                            physics(1, 1, 0.1), "1 V, 100 ms")
        driver.cmd("press 4125")  # "Kopieren"
        checks.equal(paste("UTF8_STRING", b"Kanal").decode().splitlines()[1:],
                     ["\t".join(row) for row in cells], "\"Kopieren\": the table, TAB-separated")
        xdotool("key", "Escape")
        driver.cmd("wait-gone 5000")

        driver.menu(6057)  # "1ms"
        driver.menu(6027)  # channel 1 "500mV"
        check_table(checks, driver.dialog(6072, "Messungen"),
                    "Kanal 1: 500 mV / DIV   Kanal 2: 1 V / DIV   TB: 1 ms / DIV",
                    physics(0.5, 1, 0.001), "500 mV, 1 ms")
        driver.press(1)

        driver.menu(6071)
        values = paste("UTF8_STRING", b"Zeit").decode().splitlines()
        rows = [[Fraction(n.replace(",", ".")) for n in line.split("\t")] for line in values[1:]]
        exact = [[i * Fraction(10, 2048) / 1000, Fraction(s1 - 128, 64), Fraction(s2 - 128, 32)]
                 for i, (s1, s2) in enumerate(zip(SINE, SQUARE))]
        checks.check(values[0] == "Zeit / s\tKanal 1 / V\tKanal 2 / V" and rows == exact
                     and "," in values[2] and "." not in "".join(values),
                     f"2048 rows of time and volts, exact, with a decimal comma: {values[:3]}")
        # The 1252 text says which code page it is in: German's.
        formats = driver.cmd("clipboard formats")
        checks.check({"format 13", "format 1", "format 16", "locale 0x0407"} <= set(formats),
                     f"CF_UNICODETEXT, CF_TEXT and CF_LOCALE German: {formats}")

        # Another program holds the clipboard: a box, and the values stay there.
        driver.cmd("clipboard hold")
        xdotool("key", "ctrl+c")
        checks.equal(driver.box("held-box"),
                     ("Fehler beim Kopieren in die Zwischenablage !", "error"), "a held clipboard")
        driver.cmd("clipboard release")
        checks.check(paste("UTF8_STRING").decode().splitlines() == values, "the values stay")

        xdotool("key", "ctrl+c")
        open(os.path.join(args.out, "copied.bmp"), "wb").write(paste("image/bmp", b"BM"))
        picture = read_bmp(os.path.join(args.out, "copied.bmp"))
        checks.check(picture.shape == (600, 800, 3) and count(picture, CYAN) > 2000
                     and count(picture, GREEN) > 2000, f"Ctrl+C: a picture of {picture.shape}")
        checks.check(paste("WCF_ENHMETAFILE")[40:44] == b" EMF", "Ctrl+C: and a metafile")

        # A read-out without data greys the values and the measurements.
        with Simulator(args, ["--no-data"]):
            driver.menu(DIRECT, sync=False)
            driver.box("no-data-box", timeout_ms=12000)
        xdotool("key", "shift+F10")
        checks.equal(context_menu("menu-no-data"), [True, False, False],
                     "Shift+F10 without data: only \"Bild kopieren\"")
        xdotool("key", "Escape")
        checks.equal(driver.close_and_wait(), 0, "exit code")
    finally:
        subprocess.run(international + ["."], capture_output=True)


if __name__ == "__main__":
    run(test)
