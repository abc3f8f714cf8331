#!/usr/bin/env python3
"""Read-out benchmark: vexal.exe under Wine against the device simulator at
true 115200-baud pace, timed from the menu command to the box, and the native
parser's throughput. Prints a table.

  bench/readout/readout_bench.py [--win-build build/win] [--runs 5]

Needs a Windows build (vexal.exe, the e2e driver and the host-built
simulator, as scripts/test.sh leaves them in build/win). Uses that build's Wine
session, starting and stopping one if none runs.
"""

import argparse
import contextlib
import os
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
import vexal_e2e as e2e  # noqa: E402

LINE_TIME = 16402 * 10 / 115200  # a full reply on the line: 1.424 s
GOAL = 1.05


def parse_args(runs=5):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--win-build", default=os.path.join(ROOT, "build", "win"))
    parser.add_argument("--runs", type=int, default=runs)
    return parser.parse_args()


@contextlib.contextmanager
def bench_driver(build, name):
    """A driver for vexal.exe of `build`, in that build's Wine session (started
    and stopped here when none runs), with the simulator's environment set."""
    paths = {"vexal": f"{build}/src/vexal.exe", "drive": f"{build}/tools/vexal_drive/vexal_drive.exe",
             "sim": f"{build}/host/vexal_sim/vexal_sim"}
    for what, path in paths.items():
        if not os.path.exists(path):
            sys.exit(f"no {what} at {path}: build {build} first (scripts/test.sh)")
    os.environ.update(VEXAL_WINE_BUILD_DIR=build, VEXAL_SIM=paths["sim"])
    session = os.path.join(ROOT, "scripts", "wine-session.sh")
    own = not os.path.exists(os.path.join(build, "wine-session.env"))
    if own:
        subprocess.run(["bash", session, "start", build], check=True, stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    args = argparse.Namespace(vexal=paths["vexal"], drive=paths["drive"], out=f"{build}/{name}",
                              wine=os.path.join(ROOT, "scripts", "run-in-wine.sh"))
    os.makedirs(args.out, exist_ok=True)
    driver = e2e.Driver(args)
    try:
        driver.start()
        yield driver, args
        driver.close_and_wait()
    finally:
        driver.quit()
        if own:
            subprocess.run(["bash", session, "stop", build], stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def time_box(driver, args, options, runs, expect):
    """Median and spread of the time from the command to the box."""
    times = []
    with e2e.Simulator(args, options, name="bench"):
        for run in range(runs):
            started = time.monotonic()
            driver.menu(e2e.DIRECT, sync=False)
            driver.cmd("wait-dialog 10000 Vexal")
            times.append(time.monotonic() - started)
            text = "\n".join(t for cls, t in driver.dialog_controls().values() if cls == "static")
            driver.press(1)
            if text.strip() != expect:
                raise RuntimeError(f"unexpected box {text!r}")
    return statistics.median(times), min(times), max(times)


def parser_throughput():
    """Builds the native parser benchmark optimised, without sanitizers, and runs it."""
    with tempfile.TemporaryDirectory() as scratch:
        binary = os.path.join(scratch, "parser_bench")
        subprocess.run(["c++", "-std=c++20", "-O2", "-I" + os.path.join(ROOT, "src"),
                        os.path.join(ROOT, "bench", "readout", "parser_throughput.cpp"),
                        os.path.join(ROOT, "src", "link", "reply_parser.cpp"), "-o", binary],
                       check=True)
        return subprocess.run([binary], check=True, capture_output=True, text=True).stdout


def main():
    options = parse_args()
    with bench_driver(os.path.abspath(options.win_build), "bench-readout") as (driver, args):
        full = time_box(driver, args, [], options.runs, e2e.BOTH_TAKEN)
        status = time_box(driver, args, ["--no-data"], options.runs,
                          "Kanal 1: Keine Daten vorhanden\nKanal 2: Keine Daten vorhanden")
        silent = time_box(driver, args, ["--silent"], options.runs, e2e.NO_ANSWER)

    print(f"Read-out through Wine against vexal_sim at 115200 baud, {options.runs} runs each,")
    print("command to box (median, min-max; the driver polls every 20 ms):\n")
    print("| Case | Time to box | Reference | Ratio |")
    print("|---|---|---|---|")
    print(f"| full two-channel reply (16 402 bytes) | {full[0]:.3f} s ({full[1]:.3f}-{full[2]:.3f})"
          f" | line time {LINE_TIME:.3f} s | {full[0] / LINE_TIME:.3f} (goal <= {GOAL}) |")
    print(f"| status-only reply (62 bytes) | {status[0]:.3f} s ({status[1]:.3f}-{status[2]:.3f})"
          f" | line time {62 * 10 / 115200:.3f} s | |")
    print(f"| silent interface | {silent[0]:.3f} s ({silent[1]:.3f}-{silent[2]:.3f})"
          f" | read time-out 1.140 s | {silent[0] / 1.14:.3f} |")
    print("\nNative reply parser (g++ -O2), a full 16 402-byte reply from memory:\n")
    print(parser_throughput(), end="")


if __name__ == "__main__":
    main()
