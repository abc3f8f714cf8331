"""The 32-bit program under 32-bit Wine, for the older PCs beside the scope:
it starts, reads the interface, writes its text export through the save dialog,
prints through the print dialog (both dialogs take their records' sizes from
the 32-bit build), keeps no GDI object, and ends with exit code 0; its measurements
(x87 arithmetic) show the same texts as the 64-bit build's. The 32-bit driver drives
it, and its hook DLL counts the objects inside it."""

import os
import subprocess
import sys
import time

from measure_test import check_halves
from output_test import export, no_gdi_left, pdf_printer, print_page, text_file
from vexal_e2e import BOTH_TAKEN, DIRECT, Simulator, run


def test(driver, checks, args):
    pdf_printer(checks)
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
    checks.equal(driver.close_and_wait(), 0, "exit code")
    check_halves(driver, checks, args)


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
