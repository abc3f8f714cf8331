"""Shared parts of the end-to-end tests: the driver, screenshots, message boxes,
the device simulator on a pty behind a COM port, and the checks.

CTest starts each test script with --vexal <exe> --drive <vexal_drive.exe>
--wine <run-in-wine.sh> --out <folder>, inside the Wine session of the fixture
"wine" (VEXAL_WINE_BUILD_DIR), with VEXAL_SIM set to the host-built simulator.
"""

import argparse
import math
import os
import shlex
import subprocess
import sys
import time
import traceback

import numpy

TITLE = "Vexal-Interface V1.0"
TAKEN = "Daten \xfcbernommen."
BOTH_TAKEN = f"Kanal 1: {TAKEN}\nKanal 2: {TAKEN}"
OPEN_FAILED = "Fehler beim \xd6ffnen des COM-Ports !"
NO_ANSWER = "Interface antwortet nicht !"
BROKEN_OFF = "\xdcbertragung abgebrochen !"
CYAN, GREEN = (0, 255, 255), (0, 255, 0)
DIRECT, EEPROM, SETTINGS = 6058, 6059, 6060  # the "Interface" menu


class Driver:
    """One vexal_drive.exe, fed one command per line (see its header)."""

    def __init__(self, args, name="driver", env=None):
        self.args = args
        self.log = open(os.path.join(args.out, name + ".log"), "a", encoding="utf-8")
        # What Wine says about the driven program (a crash, say) goes here.
        self.stderr_path = os.path.join(args.out, name + ".stderr")
        self.proc = subprocess.Popen(["bash", args.wine, args.drive], stdin=subprocess.PIPE,
                                     stdout=subprocess.PIPE, stderr=open(self.stderr_path, "w"),
                                     encoding="utf-8", errors="replace",
                                     cwd=os.path.dirname(args.drive), bufsize=1,
                                     env=dict(os.environ, **(env or {})))

    def cmd(self, line):
        """Runs one command; returns its answer lines."""
        self.log.write("> " + line + "\n")
        self.proc.stdin.write(line + "\n")
        self.proc.stdin.flush()
        answer = []
        while (raw := self.proc.stdout.readline()) and (reply := raw.rstrip("\r\n")) != "ok":
            self.log.write(reply + "\n")
            if reply.startswith("error "):
                raise RuntimeError(reply)
            answer.append(reply)
        if not raw:
            raise RuntimeError(f"the driver ended during: {line}")
        return answer

    def value(self, line, key):
        return next(r.split(" ")[1:] for r in self.cmd(line) if r.split(" ")[0] == key)

    def start(self, *arguments, exe=None, how="start"):
        """Starts the program (how: "start-unquoted" too); returns the ms to its first idle."""
        answer = dict(line.split(" ", 1) for line in
                      self.cmd(" ".join([how, exe or self.args.vexal, *arguments])))
        self.hwnd = answer["hwnd"]
        return float(answer["idle-ms"])

    def hook(self, *request):
        """Inside the program: menu-state, drop or gdi-objects (see the driver's header)."""
        return self.cmd(" ".join(["hook", *(f'"{word}"' for word in request)]))

    def menu(self, identifier, sync=True):
        self.cmd(f"menu {identifier}")
        if sync:
            self.cmd("sync")

    def screenshot(self, name, window="main"):
        path = os.path.join(self.args.out, name + ".bmp")
        self.cmd(f"screenshot {window} {path}")
        return read_bmp(path)

    def dialog(self, command, title):
        """Chooses a menu command that opens a modal dialog; returns its controls."""
        self.menu(command, sync=False)
        self.cmd(f"wait-dialog 10000 {title}")
        return self.dialog_controls()

    def press(self, button):
        self.cmd(f"press {button}")
        self.cmd("wait-gone 10000")
        self.cmd("sync")

    def box(self, name, timeout_ms=8000):
        """Waits for a message box captioned "Vexal" and presses OK; returns its text and
        icon, told from its pixels: a red disc or a blue one."""
        self.cmd(f"wait-dialog {timeout_ms} Vexal")
        text = "\n".join(t for i, (cls, t) in self.dialog_controls().items() if cls == "static" and t)
        left = self.screenshot(name, "dialog")[:, :80].astype(int)
        r, g, b = left[..., 0], left[..., 1], left[..., 2]
        red = ((r >= 160) & (g <= 90) & (b <= 90)).sum()
        blue = ((b >= 160) & (r <= 100) & (g <= 160)).sum()
        self.press(1)
        return text, "error" if red > 40 and red > blue else "information" if blue > 40 else "none"

    def dialog_controls(self):
        """{id: (class, text)} of the dialog's controls."""
        controls, current = {}, None
        for line in self.cmd("dialog-text"):
            if line.startswith("control "):
                _, ident, cls, *text = line.split(" ", 3) + [""]
                current = int(ident)
                controls[current] = (cls.lower(), text[0])
            elif current is not None:  # a text with line breaks goes on over several lines
                controls[current] = (controls[current][0], controls[current][1] + "\n" + line)
        return controls

    def close_and_wait(self):
        self.cmd("close")
        return int(self.value("wait-exit 10000", "exit-code")[0])

    def quit(self):
        """Ends the driver; a program it started that still runs is ended too."""
        try:
            self.proc.stdin.close()
            self.proc.wait(timeout=20)
        except (OSError, subprocess.TimeoutExpired):
            self.proc.kill()
        self.log.close()


def read_bmp(path):
    """A bottom-up 24-bit BMP as an array of rows of (red, green, blue)."""
    data = open(path, "rb").read()
    offset, width, height = (int.from_bytes(data[i:i + 4], "little") for i in (10, 18, 22))
    stride = (width * 3 + 3) // 4 * 4
    rows = numpy.frombuffer(data, numpy.uint8, stride * height, offset).reshape(height, stride)
    return rows[::-1, :width * 3].reshape(height, width, 3)[..., ::-1]


def count(picture, colour, box=None):
    left, top, right, bottom = box or (0, 0, picture.shape[1], picture.shape[0])
    return int((picture[top:bottom, left:right] == colour).all(axis=2).sum())


class Plot:
    """Where the main window draws its plot area and the traces in it."""

    def __init__(self, picture):
        self.left, self.top = 40, 40
        self.right, self.bottom = picture.shape[1] - 40, picture.shape[0] - 40

    def tx(self, i):
        return int(self.left + (self.right - self.left) * (i / 2048))

    def ty(self, sample):
        return int(self.bottom - (self.bottom - self.top) * (sample / 256))

    def shown(self, picture, samples, colour, indices=range(8, 2048, 53)):
        """The share of trace points of `samples` drawn in `colour` (within a pixel)."""
        hits = sum(count(picture, colour, (self.tx(i) - 1, self.ty(samples[i]) - 1,
                                           self.tx(i) + 2, self.ty(samples[i]) + 2)) > 0
                   for i in indices)
        return hits / len(indices)


def demo(channel):
    """The start-up traces: a sine on channel 1, a cosine on channel 2."""
    wave = math.sin if channel == 1 else math.cos
    return [int(min((wave(i / 1024.0 * 6.28) + 1.0) * 128.0, 255.0)) for i in range(2048)]


def apart(samples, other, minimum=12):
    """Indices where two traces lie far apart."""
    return [i for i in range(8, 2048, 17) if abs(samples[i] - other[i]) >= minimum][:60]


def text_file(stamp, columns, crlf=False):
    """A text export as the program writes it, of these columns (channel: samples)."""
    heading = "Kanal 1\t\tKanal2" if len(columns) == 2 else f"Kanal {next(iter(columns))}"
    lines = ["", "VEXAL-Interface V1.0 - Ausgabe vom " + time.strftime("%d.%m.%Y, %H:%M", stamp),
             "=" * 52, "", heading, ""]
    lines += ["\t\t\t".join(f"{samples[i]:03d}" for samples in columns.values())
              for i in range(2048)]
    text = "\n".join(lines) + "\n\n\n"
    return (text.replace("\n", "\r\n") if crlf else text).encode("ascii")


def reg(args, *words):
    """Wine's reg command; returns what it printed."""
    return subprocess.run(["bash", args.wine, "reg", *words], stdin=subprocess.DEVNULL,
                          capture_output=True, text=True).stdout


def wine_session():
    with open(os.path.join(os.environ["VEXAL_WINE_BUILD_DIR"], "wine-session.env")) as f:
        return dict((k, shlex.split(v)[0]) for k, _, v in
                    (line.strip().partition("=") for line in f) if v)


MAPPED = {}


def map_port(args, port, target):
    """COM<port> of the prefix leads to `target`, or nowhere when that is None: to a
    folder, which no program opens as a port. A link to nothing is not enough, since
    Wine then opens the device its mount manager made for a port mapped when it started."""
    if MAPPED.get(port, "") == target:
        return
    MAPPED[port] = target
    nowhere = os.path.join(args.out, "no-interface")
    os.makedirs(nowhere, exist_ok=True)
    verb = ["add", "/d", target] if target else ["delete"]
    reg(args, verb[0], r"HKLM\Software\Wine\Ports", "/v", f"COM{port}", *verb[1:], "/f")
    device = os.path.join(wine_session()["WINEPREFIX"], "dosdevices", f"com{port}")
    if os.path.lexists(device):
        os.remove(device)
    os.symlink(target or nowhere, device)


class Simulator:
    """One vexal_sim on a pty, behind COM<port>; `reply()` is what it sent last."""

    def __init__(self, args, options=(), port=2, name="sim"):
        links = os.path.join(args.out, "links")
        os.makedirs(links, exist_ok=True)
        self.reply_path = os.path.join(args.out, f"{name}-reply.bin")
        self.log = open(os.path.join(args.out, f"{name}.log"), "w")
        link = os.path.join(links, f"com{port}")
        self.proc = subprocess.Popen([os.environ["VEXAL_SIM"], "--link", link, "--log-reply",
                                      self.reply_path, *options],
                                     stdout=subprocess.PIPE, stderr=self.log, text=True)
        ready = self.proc.stdout.readline().split()
        if ready[:1] != ["ready"]:
            raise RuntimeError(f"vexal_sim {options} did not start")
        self.device = ready[1]  # the pty behind the link, for stty
        map_port(args, port, link)

    def reply(self):
        return open(self.reply_path, "rb").read()

    def samples(self):
        """The samples of each channel of the last reply: None for a status line or a cut run."""
        channels = [None, None]
        for n, section in enumerate(self.reply().split(b"Kanal ")[1:3]):
            lines = section.split(b"\n")  # the marker's rest, 2048 samples and what follows
            if len(lines) == 2050:
                channels[n] = [int(sample) for sample in lines[1:2049]]
        return channels

    def stop(self):
        self.proc.terminate()
        self.proc.wait(timeout=5)
        self.log.close()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()


class Checks:
    """Collects named checks; a test fails when one of them fails."""

    def __init__(self):
        self.failed = []

    def check(self, condition, what):
        print(f"  {'ok    ' if condition else 'FAILED'}  {what}")
        self.failed += [] if condition else [what]
        return condition

    def equal(self, actual, expected, what):
        return self.check(actual == expected, f"{what}: got {actual!r}, want {expected!r}")


def run(test):
    """Parses the arguments, runs test(driver, checks, args) and reports."""
    parser = argparse.ArgumentParser()
    for name in ("vexal", "drive", "wine", "out"):
        parser.add_argument(f"--{name}", required=True)
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    checks, driver, crashed = Checks(), Driver(args), False
    started = time.monotonic()
    try:
        test(driver, checks, args)
    except Exception:  # a failed driver command ends the test
        traceback.print_exc()
        crashed = True
    finally:
        driver.quit()
    print(f"{len(checks.failed)} checks failed" + (", the test stopped early" if crashed else "")
          + f" in {time.monotonic() - started:.1f} s; screenshots and logs in {args.out}")
    sys.exit(1 if crashed or checks.failed else 0)
