"""The right-click menu and Ctrl+C typed on the X display (xdotool), the measurements
before and after the labels change (also before the window repaints), the clipboard as a
Linux program pasting reads it (xclip), a clipboard that another program holds, and the menu
of a store without data."""

import math
import os
import subprocess
import time

import numpy

from vexal_e2e import (CYAN, DIRECT, GREEN, Simulator, count, read_bmp, reg, run, text_file,
                       wine_session)

# Channel 1 a sine of 5 periods, channel 2 a square of 8, both +-64 counts.
SINE = [128 + round(64 * math.sin(2 * math.pi * 5 * i / 2048)) for i in range(2048)]
SQUARE = [192 if (8 * i / 2048) % 1 < 0.5 else 64 for i in range(2048)]
# "Messungen" at 1 V and 100 ms, line by line as "Kopieren" copies it: 64 counts are 2 divisions,
# the sine's RMS its peak / sqrt(2); 10 divisions hold 5 and 8 periods.
AT_1V = ["Kanal 1: 1 V / DIV   Kanal 2: 1 V / DIV   TB: 100 ms / DIV", "\tKanal 1\tKanal 2",
         "Maximum\t2,00 V\t2,00 V", "Minimum\t-2,00 V\t-2,00 V", "Spitze-Spitze\t4,00 V\t4,00 V",
         "Mittelwert\t0 V\t0 V", "Effektivwert\t1,41 V\t2,00 V", "Periode\t200 ms\t125 ms",
         "Frequenz\t5,00 Hz\t8,00 Hz"]


def table(controls):
    """The lines of the dialog: its scale line (control 4100), then its rows of cells
    (control 4101 + 3 row + column), TAB-separated."""
    return [controls[4100][1]] + ["\t".join(controls[4101 + 3 * r + k][1] for k in range(3))
                                  for r in range(8)]


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
    international = ["add", r"HKCU\Control Panel\International", "/v", "sDecimal", "/f", "/d"]
    reg(args, *international, ",")
    try:
        driver.start(saved)
        window = xdotool("search", "--name", "^Vexal-Interface V1.0$").split()[0]
        xdotool("mousemove", "--window", window, "400", "300", "click", "3")
        checks.equal(context_menu("menu"), [True] * 4, "right click: the menu")
        xdotool("key", "Up", "Up", "Return")  # "Messungen..."
        driver.cmd("wait-dialog 5000 Messungen")
        driver.screenshot("measurements", "dialog")  # doc/measurements.png
        checks.equal(table(driver.dialog_controls()), AT_1V, "1 V, 100 ms")
        driver.cmd("press 4099")  # "Kopieren"
        checks.equal(paste("UTF8_STRING", b"Kanal").decode().splitlines(), AT_1V, "\"Kopieren\"")
        xdotool("key", "Escape")
        driver.cmd("wait-gone 5000")

        # Commands that come before the repaint: a minimised window paints none.
        xdotool("windowminimize", "--sync", window)
        driver.menu(6057, sync=False)  # "1ms"
        driver.menu(6027, sync=False)  # channel 1 "500mV"
        # The scale line and the cells are one table of these labels and timebase.
        checks.equal(table(driver.dialog(6072, "Messungen"))[0],
                     "Kanal 1: 500 mV / DIV   Kanal 2: 1 V / DIV   TB: 1 ms / DIV",
                     "500 mV, 1 ms, before the repaint")
        driver.press(1)
        xdotool("windowactivate", "--sync", window)

        driver.menu(6071)
        values = paste("UTF8_STRING", b"Zeit").decode().splitlines()
        # 10 divisions of 1 ms in 2048 samples; 32 counts a division, at 500 mV and 1 V.
        checks.equal((values[:3], len(values), "." in "".join(values)),
                     (["Zeit / s\tKanal 1 / V\tKanal 2 / V", "0\t0\t2",
                       "0,0000048828125\t0,015625\t2"], 2049, False),
                     "2048 rows of time and volts with a decimal comma")
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
    finally:
        reg(args, *international, ".")


if __name__ == "__main__":
    run(test)
