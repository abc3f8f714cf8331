"""Under the ANSI code page UTF-8 (Windows' "Beta: Unicode UTF-8"; Wine: a language without
one) the boxes, dialogs, labels, metafile and printed page show the 1252 texts as ever."""

import glob
import os
import subprocess

from output_test import export, print_to_pdf, words
from vexal_e2e import DIRECT, OPEN_FAILED, Driver, map_port, run

SCALE = "Kanal 1: 1 V / DIV   Kanal 2: 1 V / DIV   TB: 5 \xb5s / DIV"


def test(driver, checks, args):
    out, pictures, metafiles = args.out, {}, {}
    for old in glob.glob(f"{out}/*.emf"):
        os.remove(old)
    subprocess.run(["localedef", "-i", "hi_IN", "-f", "UTF-8", f"{out}/hi_IN.UTF-8"], check=True)
    utf8 = Driver(args, "utf8", {"LOCPATH": out, "VEXAL_WINE_CTYPE": "hi_IN.UTF-8"})
    map_port(args, 2, None)  # the read-out cannot open the port
    try:
        for name, each in (("1252", driver), ("65001", utf8)):
            each.start()
            checks.equal(each.hook("code-page"), [f"acp {name}"], "the ANSI code page")
            each.menu(6022)  # "5µs"
            pictures[name] = each.screenshot(f"labels-{name}")
            export(each, 6061, f"{out}/bild-{name}.emf")
            metafiles[name] = open(f"{out}/bild-{name}.emf", "rb").read()
            each.menu(DIRECT, sync=False)
            checks.equal(each.box(f"box-{name}"), (OPEN_FAILED, "error"), f"{name}: the box")
            checks.equal(each.dialog(6072, "Messungen")[4100][1], SCALE, f"{name}: the scale line")
            each.press(1)
            checks.check(print_to_pdf(each, f"{out}/page-{name}.pdf") and "\xb5s" in [
                w[0] for w in words(f"{out}/page-{name}.pdf")[0]], f"{name}: printed µs")
            checks.equal(each.close_and_wait(), 0, f"{name}: exit code")
        checks.check((pictures["1252"] == pictures["65001"]).all(), "labels: the same pixels")
        checks.check(metafiles["1252"] == metafiles["65001"], "metafiles: the same bytes")
    finally:
        utf8.quit()


if __name__ == "__main__":
    run(test)
