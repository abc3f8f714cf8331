#!/usr/bin/env python3
"""Soak: a long session of vexal.exe under Wine must not grow. 200 read-outs
(status-only replies, every tenth a full one, a few faults), 50 text and 50
metafile exports and 200 repaints; the GDI objects the program holds (counted
inside it by the driver's hook: Wine 8 counts no GDI or USER objects, handles or
private bytes of another process), its memory and its Unix process's file
descriptors before and after. Prints a table; takes a few minutes.

  bench/readout/soak_bench.py [--win-build build/win]
"""

import os

from readout_bench import bench_driver, e2e, parse_args

STATUS = "Kanal 1: Keine Daten vorhanden\nKanal 2: Keine Daten vorhanden"
FAULTS = {3: (["--silent"], e2e.NO_ANSWER), 6: (["--cut-after", "9000"], e2e.BROKEN_OFF),
          9: (["--garbage"], None)}  # in every fiftieth read-out, at these places


def counters(driver):
    """The GDI objects the program holds, its commit charge and working set, then its
    Unix process's file descriptors and resident memory."""
    exe = driver.args.vexal.replace("/", "\\").encode()  # not another build's vexal.exe
    unix = next(p for p in os.listdir("/proc") if p.isdigit() and exe in open(
        f"/proc/{p}/cmdline", "rb").read())
    rss = next(int(line.split()[1]) for line in open(f"/proc/{unix}/status")
               if line.startswith("VmRSS"))
    gdi = int(next(line.split()[1] for line in driver.hook("gdi-objects") if "alive" in line))
    return [gdi] + [int(v) for v in driver.value("counters", "counters")] + [
        len(os.listdir(f"/proc/{unix}/fd")), rss]


def readout(driver, args, n):
    sim_options, text = FAULTS.get(n % 50) or (
        (["--no-data"], STATUS) if n % 10 else ([], e2e.BOTH_TAKEN))
    with e2e.Simulator(args, sim_options, name="soak") as sim:
        driver.menu(e2e.DIRECT, sync=False)
        got, _ = driver.box("soak-box", timeout_ms=12000)
        if got.strip() != (text or sim.reply().decode("cp1252").strip()):
            raise RuntimeError(f"read-out {n}: {got!r}")


def exports(driver, args):
    for command, name in ((6001, "soak.txt"), (6061, "soak.emf")):
        path = os.path.join(args.out, name)
        if os.path.exists(path):
            os.remove(path)
        driver.dialog(command, "Save As")
        driver.cmd(f"set-text 1148 Z:{path.replace('/', chr(92))}")
        driver.press(1)


def main():
    options = parse_args()
    with bench_driver(os.path.abspath(options.win_build), "bench-soak") as (driver, args):
        driver.hook("gdi-objects")  # counted from here on
        # Once of everything first: what the system loads on first use stays.
        for n in (0, 1):
            readout(driver, args, n)
        exports(driver, args)
        rows = [("before", counters(driver))]
        for n in range(200):
            readout(driver, args, n)
            if n % 100 == 99:
                rows.append((f"after {n + 1} read-outs", counters(driver)))
        for n in range(50):
            exports(driver, args)
        rows.append(("after 50 + 50 exports", counters(driver)))
        for n in range(200):
            driver.menu(6012 if n % 2 else 6013)  # timebase 100 ms / 50 ms: relabel, repaint
        rows.append(("after 200 repaints", counters(driver)))

    print("| | GDI objects | commit KB | working set KB | Unix fds | Unix resident KB |\n"
          "|---|---|---|---|---|---|")
    for name, values in rows:
        print(f"| {name} | " + " | ".join(map(str, values)) + " |")


if __name__ == "__main__":
    main()
