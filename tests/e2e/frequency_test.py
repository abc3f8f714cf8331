"""The spectrum view: a sine on bin 20 (channel 1) and a square of period 256 (channel 2)
from a saved file, the menu "Ansicht" and its marks, the peaks where they belong at each
span, the metafile's and the printed page's texts, "Werte kopieren" read by a Linux program
pasting, "Messungen"; back in the time view, every output as before."""

import math
import os
import subprocess
import time

from output_test import export, print_to_pdf, words
from vexal_e2e import CYAN, Plot, count, run, text_file, wine_session

VIEW, SPECTRUM, HANN, FLATTOP, RECTANGLE, SPAN100, SPAN25, SPAN5 = (
    6080, 6081, 6083, 6084, 6085, 6091, 6092, 6093)
SINE = [128 + round(100 * math.sin(2 * math.pi * 20 * i / 2048)) for i in range(2048)]
SQUARE = [28 if (i // 128) % 2 else 228 for i in range(2048)]
# At 1 V / DIV a count is 31,25 mV: the sine's RMS 100 x 0,03125 / sqrt 2 V is 6,9 dBV, the
# square's fundamental (bin 8) 4 / pi times as large, 9,0 dBV.
READOUT = ["CH1: Spitze 20,0 Hz  6,9 dBV", "CH2: Spitze 8,00 Hz  9,0 dBV"]
LABELS = ["CH1: +10 dBV, 10 dB / DIV", "CH2: +10 dBV, 10 dB / DIV"]


def test(driver, checks, args):
    out = args.out
    for old in os.listdir(out):
        if old.endswith((".emf", ".pdf")):
            os.remove(os.path.join(out, old))
    saved = os.path.join(out, "sine-square.txt")
    open(saved, "wb").write(text_file(time.localtime(), {1: SINE, 2: SQUARE}))
    env = dict(os.environ, DISPLAY=wine_session()["DISPLAY"])
    driver.start(saved)

    def marks():
        return [line.split()[2] == "checked" for line in
                driver.hook("menu-state", VIEW, SPECTRUM, HANN, FLATTOP, RECTANGLE, SPAN100, SPAN25,
                            SPAN5)]

    checks.equal(marks(), [True, False, True, False, False, True, False, False],
                 "at start: Zeitverlauf, Hann, 100 %")
    time_view = driver.screenshot("time")
    export(driver, 6061, os.path.join(out, "time.emf"))

    driver.menu(SPECTRUM)
    checks.equal(marks(), [False, True, True, False, False, True, False, False], "Spektrum chosen")
    for span, bins in ((SPAN100, 1000), (SPAN25, 250), (SPAN5, 50)):
        driver.menu(span)
        picture = driver.screenshot(f"spectrum-{bins}")
        plot = Plot(picture)
        x = plot.left + int((plot.right - plot.left) * (20 / bins))
        top = plot.top + int((plot.bottom - plot.top) * (10 - 6.9) / 80)
        checks.check(count(picture, CYAN, (x - 2, top - 3, x + 3, top + 4)) > 0,
                     f"span of {bins} bins: channel 1's peak at x = {x}, y = {top}")
    driver.menu(SPAN100)

    # Every output shows the view: the metafile's and the page's texts.
    export(driver, 6061, os.path.join(out, "spectrum.emf"))
    emf = open(os.path.join(out, "spectrum.emf"), "rb").read()
    texts = READOUT + LABELS + ["f: 100 Hz / DIV"]
    checks.check(all(t.encode("utf-16-le") in emf for t in texts), f"the metafile's texts {texts}")
    if checks.check(print_to_pdf(driver, os.path.join(out, "spectrum.pdf")), "printed"):
        page = " ".join(w[0] for w in words(os.path.join(out, "spectrum.pdf"))[0])
        checks.check(all(" ".join(t.split()) in page for t in texts), "the printed page's texts")

    # "Werte kopieren": bins 0 to 1024, frequency and each channel's level.
    driver.menu(6071)
    rows = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=env,
                          capture_output=True, timeout=20).stdout.decode("cp1252").splitlines()
    checks.equal((len(rows), rows[0], rows[21].split("\t")[0], rows[-1].split("\t")[0]),
                 (1026, "Frequenz / Hz\tKanal 1 / dBV\tKanal 2 / dBV", "20", "1024"),
                 "copied values: heading, bins 0 to 1024")
    checks.check(rows[21].split("\t")[1].startswith("6.8") or rows[21].split("\t")[1].startswith("6,8"),
                 f"bin 20 of channel 1: {rows[21]}")

    controls = driver.dialog(6072, "Messungen")
    driver.press(1)
    cells = [text for _, text in sorted(controls.values()) if text]
    checks.check({"Fenster: Hann   Spanne: 100 %", "20,0 Hz", "8,00 Hz", "6,9 dBV", "9,0 dBV",
                  "1,00 Hz"} <= set(cells), f"Messungen: {cells}")

    # Back to the time view: the picture and the metafile as before.
    driver.menu(VIEW)
    checks.check((driver.screenshot("time-again") == time_view).all(), "the time view as before")
    export(driver, 6061, os.path.join(out, "time-again.emf"))
    checks.check(open(os.path.join(out, "time-again.emf"), "rb").read() ==
                 open(os.path.join(out, "time.emf"), "rb").read(), "the same metafile as before")


if __name__ == "__main__":
    run(test)
