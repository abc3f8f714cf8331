"""The port dialog's list of the ports present: the simulator behind COM14 and
COM200 only (COM2 leads nowhere), picked from the list by the driver and by the
keyboard and read; a radio button's port; "Abbrechen"; no port present; the
chosen COM14 unplugged.

Wine enters the ports it maps into SERIALCOMM only when its session starts: the test
enters COM14 and COM200 there itself, as an adapter's driver does at plug-in."""

import os
import re
import subprocess

from vexal_e2e import (BOTH_TAKEN, DIRECT, OPEN_FAILED, SETTINGS, Simulator, map_port, reg, run,
                       wine_session)

SERIALCOMM = r"HKLM\HARDWARE\DEVICEMAP\SERIALCOMM"
TITLE, LABEL, LIST = "Interface-Einstellungen", 4010, 4011


def test(driver, checks, args):
    def present():
        """{value name: port} of SERIALCOMM."""
        listed = reg(args, "query", SERIALCOMM)
        return dict(re.findall(r"^\s+(\S.*?)\s+REG_SZ\s+(.*?)\s*$", listed, re.M))

    def restore():
        for name, port in own.items():
            reg(args, "add", SERIALCOMM, "/v", name, "/d", port, "/f")

    def shown():
        """The marked radio button's port (None: none) and the list: enabled, selection, items."""
        marks = [int(driver.value(f"control {4001 + n}", "checked")[0]) for n in range(1, 9)]
        state = driver.cmd(f"control {LIST}")
        items = [line[5:] for line in state if line.startswith("item ")]
        selected = int(next(line.split()[1] for line in state if line.startswith("selected")))
        return (marks.index(1) + 1 if 1 in marks else None, state[0] == "enabled 1",
                items[selected] if selected >= 0 else None, items)

    def reopen():
        driver.dialog(SETTINGS, TITLE)
        return shown()

    def choose(port, button, items):
        """Picks COM<port> from the list and leaves with OK (1) or "Abbrechen" (2)."""
        driver.cmd(f"select {LIST} {[i.split()[0] for i in items].index(f'COM{port}')}")
        marked, _, selected, _ = shown()
        checks.equal((marked, selected.split()[0]), (None, f"COM{port}"), f"COM{port} picked")
        driver.press(button)

    def read(name):
        """The read-out's box text, and which simulator answered."""
        for sim in sims.values():
            if os.path.exists(sim.reply_path):
                os.remove(sim.reply_path)
        driver.menu(DIRECT, sync=False)
        text = driver.box(name)[0]
        return text, [port for port, sim in sims.items() if os.path.exists(sim.reply_path)]

    map_port(args, 2, None)
    sims = {port: Simulator(args, port=port, name=f"com{port}") for port in (14, 200)}
    own = present()  # what Wine entered at its start, put back in the end
    try:
        driver.start()
        # No port present: the list is empty and greyed, the radio buttons work as ever.
        for name in own:
            reg(args, "delete", SERIALCOMM, "/v", name, "/f")
        driver.dialog(SETTINGS, TITLE)
        driver.cmd("press 4006")
        checks.equal(shown(), (5, False, None, []), "no port present: COM5 marked")
        driver.press(2)
        restore()
        for port in sims:  # plugged in while the program runs
            reg(args, "add", SERIALCOMM, "/v", rf"\Device\Serial{port - 1}", "/d", f"COM{port}",
                "/f")
        ports = sorted({int(p[3:]) for p in present().values() if re.fullmatch(r"COM[1-9]\d*", p)})
        controls = driver.dialog(SETTINGS, TITLE)
        checks.equal(controls.get(LABEL), ("static", "Vorhandene Anschl\xfcsse:"), "the label")
        driver.screenshot("dialog", "dialog")
        marked, enabled, selected, items = shown()
        checks.equal([re.fullmatch(r"COM(\d+)( - .+)?", i)[1] for i in items],
                     [str(p) for p in ports], "the items: the ports present in order")
        want = next((i for i in items if i.split()[0] == "COM2"), None)
        checks.equal((marked, enabled, selected), (2, True, want), "at first COM2")

        choose(14, 1, items)
        checks.equal(read("com14-box"), (BOTH_TAKEN, [14]), "COM14 from the list")
        checks.equal(reopen()[::2], (None, "COM14"), "reopened: COM14")
        choose(200, 2, items)
        checks.equal(reopen()[::2], (None, "COM14"), "COM200 and Abbrechen: still COM14")
        choose(200, 1, items)
        checks.equal(read("com200-box"), (BOTH_TAKEN, [200]), "COM200 from the list")

        reopen()
        driver.cmd("press 4003")
        checks.equal(shown()[::2], (2, want), "COM2 marked: its item, if present, selected")
        driver.press(1)
        checks.equal(read("com2-box"), (OPEN_FAILED, []), "COM2, which leads nowhere")

        # By keyboard: Tab from the radio buttons to the list, Home and the arrow keys
        # to COM14, Enter for OK.
        reopen()
        keys = ["Tab", "Home"] + ["Down"] * [i.split()[0] for i in items].index("COM14")
        env = dict(os.environ, DISPLAY=wine_session()["DISPLAY"])
        subprocess.run(["xdotool", "key", "--delay", "50", *keys, "Return"], env=env, check=True)
        driver.cmd("wait-gone 5000")
        checks.equal(read("keyboard-box"), (BOTH_TAKEN, [14]), "COM14 by keyboard")
        # COM14 unplugged since, and no other port present: the list shows COM14, selected and
        # enabled; OK keeps it (and it still leads to its simulator).
        for name in present():
            reg(args, "delete", SERIALCOMM, "/v", name, "/f")
        gone = "COM14 (nicht vorhanden)"
        checks.equal(reopen(), (None, True, gone, [gone]), "COM14 unplugged, no port present")
        driver.press(1)
        checks.equal(read("unplugged-box"), (BOTH_TAKEN, [14]), "OK keeps COM14")
        checks.equal(driver.close_and_wait(), 0, "exit code")
    finally:
        restore()
        for sim in sims.values():
            sim.stop()


if __name__ == "__main__":
    run(test)
