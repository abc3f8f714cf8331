"""Shared parts of the read-out tests: the device simulator on a pty, the COM
port mapping of the Wine prefix, message boxes and trace checks.

CTest passes the simulator and the link folder in the environment:
VEXAL_SIM (the host-built tools/vexal_sim), VEXAL_SIM_LINKS (the folder of the
stable pty links that COM2 and COM7 point to), VEXAL_WINE_BUILD_DIR.
"""

import os
import shlex
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, ".."))
MAP_PORT = os.path.join(HERE, "..", "..", "wine", "map-com-port.sh")

from vexal_e2e import CYAN, GREEN, Geometry, near  # noqa: E402

DIRECT = 6058  # "Direkt auslesen"
EEPROM = 6059  # "EEPROM auslesen"
SETTINGS = 6060  # "Einstellungen ..."
TAKEN = "Daten \xfcbernommen."
BOTH_TAKEN = f"Kanal 1: {TAKEN}\nKanal 2: {TAKEN}"
OPEN_FAILED = "Fehler beim \xd6ffnen des COM-Ports !"
NO_ANSWER = "Interface antwortet nicht !"
BROKEN_OFF = "\xdcbertragung abgebrochen !"


def link_path(port):
    return os.path.join(os.environ["VEXAL_SIM_LINKS"], f"com{port}")


def wine_session():
    """WINEPREFIX and DISPLAY of the fixture's session."""
    values = {}
    with open(os.path.join(os.environ["VEXAL_WINE_BUILD_DIR"], "wine-session.env")) as f:
        for line in f:
            key, _, value = line.strip().partition("=")
            values[key] = shlex.split(value)[0] if value else ""
    return values


def map_port(args, port):
    """Points COMn of the prefix at the simulator's stable link path."""
    path = link_path(port)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    subprocess.run(["bash", MAP_PORT, os.environ["VEXAL_WINE_BUILD_DIR"], f"COM{port}", path],
                   check=True, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL)


def unplug_port(args, port):
    """Makes COMn a port with nothing behind it: no mapping in the registry and
    a device link to a path that does not exist. (A port that Wine's mount
    manager registered at start-up still opens when its target is gone; only
    its configuration fails then.)"""
    subprocess.run([args.wine, "reg", "delete", r"HKLM\Software\Wine\Ports", "/v",
                    f"COM{port}", "/f"], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)
    device = os.path.join(wine_session()["WINEPREFIX"], "dosdevices", f"com{port}")
    if os.path.lexists(device):
        os.remove(device)
    os.symlink(os.path.join(os.environ["VEXAL_SIM_LINKS"], "nothing-here"), device)


class Simulator:
    """One vexal_sim on its own pty, reached through COM<port>."""

    def __init__(self, args, options=(), port=2, name="sim"):
        self.port = port
        self.reply_path = os.path.join(args.out, f"{name}-reply.bin")
        if os.path.exists(self.reply_path):
            os.remove(self.reply_path)
        self.log = open(os.path.join(args.out, f"{name}.log"), "w")
        command = [os.environ["VEXAL_SIM"], "--link", link_path(port), "--log-reply",
                   self.reply_path, *options]
        self.log.write(" ".join(command) + "\n")
        self.log.flush()
        self.proc = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=self.log, text=True)
        ready = self.proc.stdout.readline()
        if not ready.startswith("ready"):
            raise RuntimeError(f"vexal_sim did not start: {ready!r}")

    def reply(self):
        """The bytes of the last reply sent."""
        with open(self.reply_path, "rb") as f:
            return f.read()

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
        self.log.close()

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()


def parse_reply(data):
    """The samples of each channel (None for a status line) as the program
    reads them: fixed positions from the reply's start."""

    def digit(byte):
        return byte - 48 if 49 <= byte <= 57 else 0

    def run(start):
        return [(100 * digit(data[p]) + 10 * digit(data[p + 1]) + digit(data[p + 2])) % 256
                for p in range(start, start + 4 * 2048, 4)]

    channels = []
    position = 8
    for _ in range(2):
        if data[position] == 10:
            channels.append(run(position + 1))
            position += 1 + 4 * 2048 + 8
        else:
            channels.append(None)
            position = data.index(b"\n", position + 1) + 1 + 8
    return channels


class MessageBox:
    def __init__(self, text, icon, seconds):
        self.text, self.icon, self.seconds = text, icon, seconds


def wait_message_box(driver, args, name, timeout_ms=8000, started=None):
    """Waits for a box captioned "Vexal", reads its text and icon, presses OK.

    The icon is told from the box's pixels: the error icon is a red disc, the
    information icon a blue one."""
    driver.cmd(f"wait-dialog {timeout_ms} Vexal")
    seconds = time.monotonic() - started if started is not None else None
    lines = driver.cmd("dialog-text")
    texts, current = [], None
    for line in lines:
        if line.startswith("control "):
            words = line.split(" ", 3)
            current = len(texts)
            texts.append([words[2], words[3] if len(words) > 3 else ""])
        elif current is not None:  # a text with line breaks goes on over several lines
            texts[current][1] += "\n" + line
    text = "\n".join(t for cls, t in texts if cls.lower() == "static" and t)
    picture = driver.screenshot(name, "dialog")
    picture.save_png(picture.path[:-4] + ".png")
    red = blue = 0
    for y in range(picture.height):
        for x in range(min(picture.width, 80)):
            r, g, b = picture.pixel(x, y)
            if r >= 160 and g <= 90 and b <= 90:
                red += 1
            elif b >= 160 and r <= 100 and g <= 160:
                blue += 1
    icon = "error" if red > 40 and red > blue else "information" if blue > 40 else "none"
    driver.cmd("press 1")
    driver.cmd("wait-gone 5000")
    driver.cmd("sync")
    return MessageBox(text, icon, seconds)


def start_readout(driver, command=DIRECT):
    """Posts the read-out command; returns the time it was posted."""
    started = time.monotonic()
    driver.cmd(f"menu {command}")
    return started


def trace_shown(picture, samples, colour, indices=range(8, 2048, 53)):
    """The share of trace points of `samples` drawn in `colour`."""
    g = Geometry(picture.width, picture.height)
    hits = sum(1 for i in indices if near(picture, g.tx(i), g.ty(samples[i]), colour))
    return hits / len(indices)


def distinct_points(samples, other, minimum=12):
    """Indices where two traces lie far apart (in samples)."""
    return [i for i in range(8, 2048, 17) if abs(samples[i] - other[i]) >= minimum][:60]


__all__ = ["CYAN", "GREEN", "Geometry"]
