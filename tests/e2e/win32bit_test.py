"""The 32-bit program under 32-bit Wine, for the older PCs beside the scope:
it starts, reads the interface, writes its text export through the save dialog,
prints through the print dialog (both dialogs take their records' sizes from
the 32-bit build), keeps no GDI object, and ends with exit code 0; its measurements
(x87 arithmetic) round exact halves as the 64-bit build does. The 32-bit driver drives
it, and its hook DLL counts the objects inside it."""

import os
import subprocess
import sys
import time

from measure_test import table
from output_test import export, no_gdi_left, print_page, text_file
from vexal_e2e import BOTH_TAKEN, DIRECT, Simulator, run

# Exact halves at 1 ms: channel 1 at 100 mV from -81 to +43 counts, rising twice 678 samples
# apart, over 50 and to 168 (81920 / 121 samples: 302,5 Hz); channel 2 at 200 mV from -125 to
# +39 (Spitze-Spitze 1025 mV). The x87 registers must not move them.
HIGH = [102 <= i < 402 or 780 <= i < 1080 for i in range(2048)]
HALVES = {1: [{101: 50, 779: 168}.get(i, 171 if high else 47) for i, high in enumerate(HIGH)],
          2: [167 if high else 3 for high in HIGH]}
HALVES_CELLS = [["134 mV", "244 mV"], ["-253 mV", "-781 mV"], ["388 mV", "1,03 V"],
                ["-139 mV", "-481 mV"], ["225 mV", "670 mV"], ["3,31 ms", "3,31 ms"],
                ["303 Hz", "302 Hz"]]


def test(driver, checks, args):
    driver.start()
    driver.hook("gdi-objects")
    with Simulator(args) as sim:
        driver.menu(DIRECT, sync=False)
        checks.equal(driver.box("readout"), (BOTH_TAKEN, "information"), "a full read-out")
        samples = sim.samples()
    path = os.path.join(args.out, "messung.txt")
    if os.path.exists(path):
        os.remove(path)
    stamp = time.localtime()
    export(driver, 6001, path)
    columns = {1: samples[0], 2: samples[1]}
    checks.check(open(path, "rb").read() in (text_file(stamp, columns),
                                             text_file(time.localtime(), columns)),
                 "the text export, byte for byte")
    print_page(driver, checks, args.out)
    no_gdi_left(driver, checks, 4)  # at least the read-out's repaint: a brush and three pens

    halves = os.path.join(args.out, "halves.txt")
    open(halves, "wb").write(text_file(time.localtime(), HALVES))
    driver.hook("drop", halves)
    for command in (6057, 6029, 6042):  # "1ms", channel 1 "100mV", channel 2 "200mV"
        driver.menu(command)
    cells = [line.split("\t")[1:] for line in table(driver.dialog(6072, "Messungen"))[2:]]
    checks.equal(cells, HALVES_CELLS, "measurements on exact halves")
    driver.press(1)
    checks.equal(driver.close_and_wait(), 0, "exit code")


def cannot_run():
    """Why this machine cannot run the 32-bit program, or "" (scripts/wine-env.sh decides)."""
    scripts = os.path.dirname(os.path.abspath(sys.argv[sys.argv.index("--wine") + 1]))
    return subprocess.run(["bash", "-c", f"source {scripts}/wine-env.sh && vexal_no_32bit_wine"],
                          capture_output=True, text=True).stdout.strip()


if __name__ == "__main__":
    if reason := cannot_run():
        print(f"skipped: {reason}")
        sys.exit(77)
    run(test)
