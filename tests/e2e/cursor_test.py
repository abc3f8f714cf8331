"""The time cursors with real X input (xdotool): menu item, click, a press on a line, drag,
keys, the rows of "Messungen"; the active one solid; window, metafile and printed page with
them, the metafile as before once hidden."""

import glob
import os
import re
import subprocess
import time

import numpy

from output_test import export, print_to_pdf, words
from vexal_e2e import count, run, text_file, wine_session

YELLOW = (255, 255, 0)
# Channel 1 climbs a count every 8 samples, channel 2 counts 0 to 7 within: values tell samples.
RAMP = {1: [i // 8 for i in range(2048)], 2: [16 + 32 * (i % 8) for i in range(2048)]}


def number(text):
    """A reading such as "-1,97 V", "31,3 mV" or "< -4,00 V" (clipped) as a number."""
    whole, milli = re.fullmatch(r"[<>]? ?(-?[\d,]+) (m?)V", text).groups()
    return float(whole.replace(",", ".")) / (1000 if milli else 1)


def test(driver, checks, args):
    out = args.out
    for old in glob.glob(os.path.join(out, "*.emf")):
        os.remove(old)  # the save dialog would ask before replacing it
    open(saved := os.path.join(out, "ramp.txt"), "wb").write(text_file(time.localtime(), RAMP))
    env = dict(os.environ, DISPLAY=wine_session()["DISPLAY"])

    def xdotool(*words):
        subprocess.run(["xdotool", *map(str, words)], env=env, check=True)
        time.sleep(0.3)  # the program reads the display on its own time
        driver.cmd("sync")

    driver.start()
    driver.hook("gdi-objects")  # counted from here, after the first paint made the window's bitmap
    left, top = map(int, driver.value("client-origin", "client-origin"))
    width, height = driver.screenshot("start").shape[1::-1]

    def x_of(sample):  # as the traces are drawn
        return 40 + int((width - 80) * (sample / 2048))

    def sample_at(x):  # the first sample drawn at x
        return min(2047, -(-(x - 40) * 2048 // (width - 80)))

    def at(x, y, *then):
        xdotool("mousemove", left + x, top + y, *then)

    def toggle(name, shown):
        """Right click: "Cursor" enabled, checked while `shown` (the menu's pixels); chosen."""
        at(300, 200, "click", "3")
        driver.cmd("wait-dialog 5000")
        row = numpy.array_split(driver.screenshot(name, "dialog")[3:-3, 3:-3].sum(axis=2), 4)[3]
        checks.equal(((row[:, 15:] < 100).sum() > 20, (row[:, :13] < 100).sum() > 4),
                     (True, shown), f"\"Cursor\" enabled, checked: {shown}")
        xdotool("key", "Up", "Return")

    def cursors():
        """The cursors' rows of "Messungen": {row: cells}, and the samples they tell."""
        controls = driver.dialog(6072, "Messungen")
        driver.press(1)
        rows = {controls.get(4300 + 4 * r, ("", ""))[1]:
                [controls[4301 + 4 * r + k][1] for k in range(3)] for r in range(5)}
        samples = [8 * round(number(v1) * 32 + 128) + round(number(v2) + 3.5)
                   for v1, v2 in zip(rows["Kanal 1"][:2], rows["Kanal 2"][:2])]
        return rows, samples

    def lines(name):
        """The yellow pixels of A's line and of B's, as drawn at 512 and 1536."""
        picture = driver.screenshot(name)
        return [count(picture, YELLOW, (x_of(s), 40, x_of(s) + 1, height - 40)) for s in (512, 1536)]

    # Shown over the start-up traces at 512 and 1536: A, the one the keys move, solid; after
    # Tab B, A dotted.
    toggle("menu-off", False)
    plot = height - 80
    shown, tabbed = lines("cursors"), None  # doc/cursors.png
    xdotool("key", "Tab")
    tabbed = lines("cursors-tab")
    checks.check(shown[0] > 0.9 * plot > 0.6 * plot > shown[1] > plot / 3 and
                 tabbed[1] > 0.9 * plot > 0.6 * plot > tabbed[0] > plot / 3,
                 f"A solid, B dotted: {shown}; after Tab the other way: {tabbed} pixels")
    xdotool("key", "Tab")
    # A click moves the nearer cursor, A; a press beside the plot area does nothing.
    at(x_of(700), height // 2, "click", "1")
    at(20, 20, "click", "1")
    toggle("menu-on", True)

    # Hidden, a file opened: the metafile as ever; shown again where they were, its values.
    driver.hook("drop", saved)
    driver.cmd("sync")
    export(driver, 6061, os.path.join(out, "hidden.emf"))
    toggle("menu-off-file", False)
    rows, samples = cursors()
    checks.equal((list(rows), samples), (["Cursor", "Zeit", "Kanal 1", "Kanal 2", "1/|B-A|"],
                                         [sample_at(x_of(700)), 1536]), "A clicked, B at 1536")

    # A drag that starts nearer to B takes B past the right edge; the keys move the active one.
    at(x_of(1400), height // 2, "mousedown", "1")
    at(width + 80, height // 2, "mouseup", "1")
    checks.equal(cursors()[1], [sample_at(x_of(700)), 2047], "a drag of B past the right edge")
    xdotool("key", "Left", "shift+Left", "Tab", "Home", "Right")
    rows, samples = cursors()
    checks.equal(samples, [1, 1982], "Left, Shift+Left, Tab, Home, Right")
    # A press on each line takes hold of it where it is; the last one pressed is the active one.
    at(x_of(1), height // 2, "click", "1")
    at(x_of(1982), height // 2, "click", "1")
    checks.equal(cursors()[1], [1, 1982], "a press on each line: both where they were")
    xdotool("key", "Right")
    rows, samples = cursors()
    checks.equal(samples, [1, 1983], "Right moves B, pressed last")

    # Every picture carries them, with the read-out of the dialog.
    readout = [f"A: {rows['Zeit'][0]}   B: {rows['Zeit'][1]}   B-A: {rows['Zeit'][2]}   "
               f"1/|B-A|: {rows['1/|B-A|'][2]}"] + [
        f"CH{n}: A {v[0]}   B {v[1]}   B-A {v[2]}" for n, v in ((1, rows["Kanal 1"]),
                                                          (2, rows["Kanal 2"]))]
    export(driver, 6061, os.path.join(out, "shown.emf"))
    emf = open(os.path.join(out, "shown.emf"), "rb").read()
    checks.check(all(line.encode("utf-16-le") in emf for line in readout),
                 f"the metafile's texts: {readout}")
    if checks.check(print_to_pdf(driver, os.path.join(out, "shown.pdf")), "printed"):
        page = " ".join(w[0] for w in words(os.path.join(out, "shown.pdf"))[0])
        checks.check(all(" ".join(line.split()) in page for line in readout),
                     "the printed page's read-out")

    # Hidden again: the same metafile as before (the page's calls: the unit tests).
    toggle("menu-on-again", True)
    export(driver, 6061, os.path.join(out, "hidden-again.emf"))
    checks.check(open(os.path.join(out, "hidden-again.emf"), "rb").read() ==
                 open(os.path.join(out, "hidden.emf"), "rb").read(), "the same metafile")
    gdi = dict(line.partition(" ")[::2] for line in driver.hook("gdi-objects"))
    checks.equal((gdi["alive"], gdi["deleted-while-selected"]), ("0", "0"), "no GDI object left")


if __name__ == "__main__":
    run(test)
