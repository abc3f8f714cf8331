"""The port dialog decides which port the next read-out opens: "Abbrechen"
commits nothing, OK commits; a port nobody answers on cannot be opened."""

from link_e2e import (BOTH_TAKEN, OPEN_FAILED, SETTINGS, Simulator, map_port, start_readout,
                      unplug_port, wait_message_box)
from vexal_e2e import run

TITLE = "Interface-Einstellungen"


def choose_port(driver, port, button):
    driver.cmd(f"menu {SETTINGS}")  # modal: no sync until it is closed
    driver.cmd(f"wait-dialog 5000 {TITLE}")
    driver.cmd(f"press {4001 + port}")
    driver.cmd(f"press {button}")
    driver.cmd("wait-gone 5000")
    driver.cmd("sync")


def test(driver, checks, args):
    map_port(args, 2)
    map_port(args, 7)
    unplug_port(args, 3)
    driver.start_vexal()

    # COM3 leads nowhere.
    choose_port(driver, 3, "OK")
    box = wait_message_box(driver, args, "unmapped-box", started=start_readout(driver))
    checks.equal(box.text, OPEN_FAILED, "port without an interface")
    checks.equal(box.icon, "error", "its icon")
    choose_port(driver, 2, "OK")

    # COM2 answers normally, COM7 with foreign text: the box tells which was read.
    with Simulator(args, port=2, name="com2"), \
            Simulator(args, ["--garbage"], port=7, name="com7") as com7:
        choose_port(driver, 5, "Abbrechen")
        box = wait_message_box(driver, args, "cancel-box", started=start_readout(driver))
        checks.equal(box.text, BOTH_TAKEN, "after COM5 + Abbrechen the read-out uses COM2")

        choose_port(driver, 7, "OK")
        box = wait_message_box(driver, args, "com7-box", started=start_readout(driver))
        checks.equal(box.text.strip(), com7.reply().decode("cp1252").strip(),
                     "after COM7 + OK the read-out uses COM7")

        # The dialog opens on the committed port; OK without a click keeps it.
        driver.cmd(f"menu {SETTINGS}")
        driver.cmd(f"wait-dialog 5000 {TITLE}")
        driver.cmd("press OK")
        driver.cmd("wait-gone 5000")
        driver.cmd("sync")
        box = wait_message_box(driver, args, "com7-again-box", started=start_readout(driver))
        checks.equal(box.text.strip(), com7.reply().decode("cp1252").strip(),
                     "OK without a click keeps COM7")

    checks.equal(driver.close_and_wait(), 0, "exit code")


if __name__ == "__main__":
    run(test)
