"""The right-click menu and Ctrl+C typed on the X display (xdotool), the measurements
before and after the labels change (also before the window repaints), the clipboard as a
Linux program pasting reads it (xclip), a clipboard that another program holds, the menu
of a store without data, and measurements that lie on exact halves."""

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
# Exact halves at 1 ms: channel 1 at 100 mV from -81 to +43 counts, rising twice 678 samples
# apart, over 50 and to 168 (81920 / 121 samples: 302,5 Hz); channel 2 at 200 mV from -125 to
# +39 (Spitze-Spitze 1025 mV). Both builds show the same cells.
HIGH = [102 <= i < 402 or 780 <= i < 1080 for i in range(2048)]
HALVES = {1: [{101: 50, 779: 168}.get(i, 171 if high else 47) for i, high in enumerate(HIGH)],
          2: [167 if high else 3 for high in HIGH]}
HALVES_CELLS = [["134 mV", "244 mV"], ["-253 mV", "-781 mV"], ["388 mV", "1,03 V"],
                ["-139 mV", "-481 mV"], ["225 mV", "670 mV"], ["3,31 ms", "3,31 ms"],
                ["303 Hz", "302 Hz"]]
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


def check_halves(driver, checks, args):
    """The program started with a saved export whose measurements lie on exact halves."""
    path = os.path.join(args.out, "halves.txt")
    open(path, "wb").write(text_file(time.localtime(), HALVES))
    driver.start(path)
    for command in (6057, 6029, 6042):  # "1ms", channel 1 "100mV", channel 2 "200mV"
        driver.menu(command)
    controls = driver.dialog(6072, "Messungen")
    checks.equal([[controls[4101 + 3 * r + k][1] for k in (1, 2)] for r in range(1, 8)],
                 HALVES_CELLS, "measurements on exact halves")
    driver.press(1)
    checks.equal(driver.close_and_wait(), 0, "exit code")


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
        return [(row.sum(axis=2) < 100).sum() > 20 for row in numpy.array_split(picture, 4)]

    # A decimal separator other than Wine's default one.
    international = ["bash", args.wine, "reg", "add", r"HKCU\Control Panel\International", "/v",
                     "sDecimal", "/f", "/d"]
    subprocess.run(international + [","], capture_output=True, check=True)
    try:
        driver.start(saved)
        window = xdotool("search", "--name", "^Vexal-Interface V1.0$").split()[0]
        xdotool("mousemove", "--window", window, "400", "300", "click", "3")
        checks.equal(context_menu("menu"), [True] * 4, "right click: the menu")
        xdotool("key", "Up", "Up", "Return")  # "Messungen..."
        driver.cmd("wait-dialog 5000 Messungen")
        driver.screenshot("measurements", "dialog")  # doc/measurements.png
        cells = check_table(checks, driver.dialog_controls(),
                            "Kanal 1: 1 V / DIV   Kanal 2: 1 V / DIV   TB: 100 ms / DIV",
                            physics(1, 1, 0.1), "1 V, 100 ms")
        driver.cmd("press 4099")  # "Kopieren"
        checks.equal(paste("UTF8_STRING", b"Kanal").decode().splitlines()[1:],
                     ["\t".join(row) for row in cells], "\"Kopieren\": the table, TAB-separated")
        xdotool("key", "Escape")
        driver.cmd("wait-gone 5000")

        # Commands that come before the repaint: a minimised window paints none.
        xdotool("windowminimize", "--sync", window)
        driver.menu(6057, sync=False)  # "1ms"
        driver.menu(6027, sync=False)  # channel 1 "500mV"
        check_table(checks, driver.dialog(6072, "Messungen"),
                    "Kanal 1: 500 mV / DIV   Kanal 2: 1 V / DIV   TB: 1 ms / DIV",
                    physics(0.5, 1, 0.001), "500 mV, 1 ms, before the repaint")
        driver.press(1)
        xdotool("windowactivate", "--sync", window)

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
        checks.equal(context_menu("menu-no-data"), [True, False, False, False],
                     "Shift+F10 without data: only \"Bild kopieren\"")
        xdotool("key", "Escape")
        driver.cmd("wait-gone 5000")
        # Its x and y of -1 as 64-bit Windows may send them: lParam 0x00000000FFFFFFFF.
        sender = os.path.join(os.path.dirname(args.out), "keyboard_context_menu.exe")
        subprocess.run(["bash", args.wine, sender, driver.hwnd], check=True)
        checks.equal(context_menu("menu-zero-extended"), [True, False, False, False],
                     "Shift+F10 in a zero-extended lParam: the menu")
        xdotool("key", "Escape")
        checks.equal(driver.close_and_wait(), 0, "exit code")
        check_halves(driver, checks, args)
    finally:
        subprocess.run(international + ["."], capture_output=True)


if __name__ == "__main__":
    run(test)
