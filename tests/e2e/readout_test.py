"""The read-out against the device simulator: every outcome a user can meet,
as a table, then a port left with a handshake, one that is no serial line, a
second program on the same port, and quitting during a read-out."""

import subprocess
import time

from vexal_e2e import (BOTH_TAKEN, BROKEN_OFF, CYAN, DIRECT, EEPROM, GREEN, NO_ANSWER,
                       OPEN_FAILED, SETTINGS, TAKEN, Driver, Plot, Simulator, apart, count, demo,
                       map_port, run)

SENT = None  # the box shows the bytes the interface sent
# Simulator options, the command, the box's text and icon, and what the picture
# shows afterwards: the new traces, only a new channel 1 (channel 2 keeping its
# trace, or without data), or the picture as it was.
CASES = [
    ([], DIRECT, BOTH_TAKEN, "information", "new"),
    (["--wave1", "square", "--cut-after", "12000"], DIRECT, BROKEN_OFF, "error", "ch1, ch2 kept"),
    (["--silent"], DIRECT, NO_ANSWER, "error", "unchanged"),
    # A port that cannot send the command (a driver waiting for a handshake).
    (["--blocked"], DIRECT, "Fehler beim Senden an das Interface !", "error", "unchanged"),
    (["--garbage"], DIRECT, SENT, "error", "unchanged"),
    # A USB-serial adapter that hands over the first 5 bytes on their own.
    (["--wave1", "ramp", "--wave2", "sine", "--pause-at", "5", "--pause-ms", "100"], DIRECT,
     BOTH_TAKEN, "information", "new"),
    (["--wave1", "triangle", "--ch2-status"], EEPROM,
     f"Kanal 1: {TAKEN}\nKanal 2: Keine Daten vorhanden", "information", "ch1, ch2 without data"),
]


def test(driver, checks, args):
    driver.start()
    traces = [demo(1), demo(2)]
    plot = Plot(driver.screenshot("start"))

    def shows(picture, samples, colour, old):
        return plot.shown(picture, samples, colour, apart(samples, old)) >= 0.9

    for n, (options, command, text, icon, effect) in enumerate(CASES):
        with Simulator(args, options, name=f"case{n}") as sim:
            before = driver.screenshot(f"case{n}-before")
            driver.menu(command, sync=False)
            got = driver.box(f"case{n}-box", timeout_ms=12000)
            after = driver.screenshot(f"case{n}-after")
            what = " ".join(options) or "a full reply"
            want = text or sim.reply()[:64].decode("cp1252").strip()
            checks.equal((got[0].strip(), got[1]), (want, icon), f"{what}: the box")
            new = sim.samples() if effect != "unchanged" else None
            if effect == "unchanged":
                checks.check((after == before).all(), f"{what}: the picture is unchanged")
            elif effect == "new":
                checks.check(shows(after, new[0], CYAN, traces[0])
                             and shows(after, new[1], GREEN, traces[1]), f"{what}: new traces")
                traces = new
            else:
                checks.check(shows(after, new[0], CYAN, traces[0]), f"{what}: new channel 1")
                kept = plot.shown(after, traces[1], GREEN) >= 0.9
                checks.check(kept if "kept" in effect else count(after, GREEN) == 0,
                             f"{what}: channel 2 {effect.split(', ')[1]}")
                traces[0] = new[0]

    # A terminal program left RTS/CTS and XON/XOFF handshake on the port: a read-out
    # that waited for them would get no answer. The read-out sets the line whole.
    with Simulator(args, name="flow") as sim:
        flow = ("crtscts", "ixon", "ixoff")

        def modes():
            return [m for m in subprocess.run(["stty", "-F", sim.device, "-a"], check=True,
                                              capture_output=True, text=True).stdout.split()
                    if m.lstrip("-") in flow]
        subprocess.run(["stty", "-F", sim.device, *flow], check=True)
        before = modes()
        driver.menu(DIRECT, sync=False)
        checks.equal((before, driver.box("flow-box", timeout_ms=12000)[0], modes()),
                     (list(flow), BOTH_TAKEN, ["-" + m for m in flow]),
                     "handshake on the port before, the read-out, none after")

    # A port that opens but is no serial line (the port dialog itself: e2e_ports).
    map_port(args, 4, "/dev/null")
    driver.dialog(SETTINGS, "Interface-Einstellungen")
    driver.cmd("press 4005")
    driver.press(1)
    driver.menu(DIRECT, sync=False)
    checks.equal(driver.box("com4-box")[0], "Fehler beim Setzen der DCB-Struktur !", "COM4")

    # A second program cannot read the port that the first one reads.
    with Simulator(args, name="shared"):
        second = Driver(args, "second")
        try:
            second.start()
            driver.dialog(SETTINGS, "Interface-Einstellungen")
            driver.cmd("press 4003")
            driver.press(1)
            driver.menu(DIRECT, sync=False)
            time.sleep(0.3)
            second.menu(DIRECT, sync=False)
            checks.equal(second.box("second-box")[0], OPEN_FAILED, "the second program's read-out")
            checks.equal(driver.box("first-box")[0], BOTH_TAKEN, "the first program's read-out")
            checks.equal(second.close_and_wait(), 0, "the second program's exit code")
        finally:
            second.quit()
    checks.equal(driver.close_and_wait(), 0, "exit code")

    # "Beenden" while a reply comes in, at another moment of it each time: the program ends
    # cleanly, and the next one, started at once, reads the port and gets the whole reply.
    codes, boxes = [], []
    with Simulator(args, name="quit"):
        driver.start()
        for n in range(10):
            driver.menu(DIRECT, sync=False)
            time.sleep(0.1 + 0.13 * n)
            driver.menu(6052, sync=False)
            codes.append(int(driver.value("wait-exit 10000", "exit-code")[0]))
            driver.start()
            driver.menu(DIRECT, sync=False)
            boxes.append(driver.box(f"after-quit{n}")[0])
        driver.close_and_wait()
    checks.equal(codes, [0] * 10, "exit codes of 10 programs ended during a read-out")
    checks.equal(boxes, [BOTH_TAKEN] * 10, "the next program's read-out after each")
    checks.equal(open(driver.stderr_path).read(), "", "nothing said about a crash")


if __name__ == "__main__":
    run(test)
