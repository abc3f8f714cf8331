"""Compare and combine: a reference copied from the traces and one loaded through the open
dialog, drawn darker under the live traces; the math trace of a known file with its column
in "Messungen"; X-Y of the start-up sine and cosine; the metafile and the printed page with
them; a channel lost while X-Y and M are on; back to plain, every output as before."""

import math
import os
import time

from output_test import export, no_gdi_left, print_to_pdf, words
from vexal_e2e import CYAN, GREEN, Plot, count, demo, run, text_file

VIEW, XY, SUM, DIFFERENCE, LOAD, TAKE, REMOVE = 6080, 6082, 6086, 6087, 6088, 6089, 6090
DARK_CYAN, MAGENTA = (0, 140, 140), (255, 0, 255)
# Channel 1 twice channel 2, in phase: at 1 V / DIV the difference has an amplitude of 1 V.
WAVE = {1: [128 + round(64 * math.sin(2 * math.pi * 4 * i / 2048)) for i in range(2048)],
        2: [128 + round(32 * math.sin(2 * math.pi * 4 * i / 2048)) for i in range(2048)]}
FLAT = {1: [128] * 2048}


def test(driver, checks, args):
    out = args.out
    for old in os.listdir(out):
        if old.endswith((".emf", ".pdf")):
            os.remove(os.path.join(out, old))
    files = {}
    for name, columns in (("welle", WAVE), ("flach", FLAT)):
        files[name] = os.path.join(out, name + ".txt")
        open(files[name], "wb").write(text_file(time.localtime(), columns))
    driver.start()
    driver.hook("gdi-objects")  # counted from here: what the views draw, on paper too
    plain = driver.screenshot("plain")
    export(driver, 6061, os.path.join(out, "plain.emf"))

    def marks():
        return [line.split()[2] for line in driver.hook("menu-state", VIEW, XY, SUM, DIFFERENCE)]

    # X-Y of the start-up sine and cosine: an ellipse around the centre, nothing at it.
    driver.menu(XY)
    picture = driver.screenshot("xy")
    plot = Plot(picture)
    cx, cy = (plot.left + plot.right) // 2, (plot.top + plot.bottom) // 2
    rx, ry = (plot.right - plot.left) * 128 // 320, (plot.bottom - plot.top) // 2
    on = sum(count(picture, GREEN, (cx + int(rx * math.cos(a)) - 2, cy - int(ry * math.sin(a)) - 2,
                                    cx + int(rx * math.cos(a)) + 3, cy - int(ry * math.sin(a)) + 3))
             > 0 for a in [k * math.pi / 8 for k in range(16)])
    checks.check(on >= 14 and count(picture, GREEN, (cx - 20, cy - 20, cx + 20, cy + 20)) == 0,
                 f"X-Y: the ellipse ({on} of 16 points), nothing at the centre")
    export(driver, 6061, os.path.join(out, "xy.emf"))
    emf = open(os.path.join(out, "xy.emf"), "rb").read()
    checks.check(all(t.encode("utf-16-le") in emf for t in ("X: CH1 1 V / DIV", "Y: CH2 1 V / DIV")),
                 "the metafile's X-Y labels")
    driver.menu(VIEW)

    # The traces now as the reference; then the file: darker under the live traces.
    driver.menu(TAKE)
    driver.hook("drop", files["welle"])
    driver.cmd("sync")
    picture = driver.screenshot("reference")
    shown = Plot(picture).shown(picture, demo(1), DARK_CYAN)
    checks.check(shown >= 0.8, f"the copied reference in dark cyan: {shown:.0%} of its points")
    export(driver, 6061, os.path.join(out, "reference.emf"))
    emf = open(os.path.join(out, "reference.emf"), "rb").read()
    checks.check("Ref: Kurven von ".encode("utf-16-le") in emf, "the metafile names the reference")

    # The math trace: magenta, and its column in "Messungen" next to the reference's.
    driver.menu(DIFFERENCE)
    picture = driver.screenshot("math")
    checks.check(count(picture, MAGENTA) > 500, "the math trace in magenta")
    controls = driver.dialog(6072, "Messungen")
    driver.press(1)
    cells = {text for _, text in controls.values()}
    checks.check({"Ref CH1", "Ref CH2", "M", "1,00 V", "-1,00 V"} <= cells,
                 f"Messungen: the Ref and M columns, M from -1 to 1 V: {sorted(cells)}")
    export(driver, 6061, os.path.join(out, "math.emf"))
    emf = open(os.path.join(out, "math.emf"), "rb").read()
    checks.check("M: CH1-CH2   1 V / DIV".encode("utf-16-le") in emf, "the metafile's M label")
    if checks.check(print_to_pdf(driver, os.path.join(out, "math.pdf")), "printed"):
        page = " ".join(w[0] for w in words(os.path.join(out, "math.pdf"))[0])
        checks.check("M: CH1-CH2 1 V / DIV" in page and "Ref: Kurven von" in page,
                     "the printed page's M label and reference")

    # A reference loaded through the open dialog replaces the copied one.
    driver.dialog(LOAD, "Open")
    driver.cmd(f"set-text 1148 Z:{files['welle']}".replace("/", "\\"))
    driver.press(1)
    export(driver, 6061, os.path.join(out, "loaded.emf"))
    emf = open(os.path.join(out, "loaded.emf"), "rb").read()
    checks.check("Ref: welle.txt (aktuelle Skalen)".encode("utf-16-le") in emf,
                 "the loaded reference's label")

    # A file with one channel while X-Y and M are on: back to the time view without M.
    driver.menu(XY)
    driver.hook("drop", files["flach"])
    driver.cmd("sync")
    checks.equal(marks(), ["checked", "unchecked", "unchecked", "unchecked"],
                 "one channel left: Zeitverlauf, no math trace")

    # Back to plain: the start-up traces' picture and metafile as at first.
    driver.menu(REMOVE)
    no_gdi_left(driver, checks, 50)
    driver.close_and_wait()
    driver.start()
    checks.check((driver.screenshot("plain-again") == plain).all(), "plain again: the picture")
    export(driver, 6061, os.path.join(out, "plain-again.emf"))
    checks.check(open(os.path.join(out, "plain-again.emf"), "rb").read() ==
                 open(os.path.join(out, "plain.emf"), "rb").read(), "plain again: the metafile")


if __name__ == "__main__":
    run(test)
