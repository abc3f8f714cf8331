"""The About dialog opens from "Info über..." and closes with OK, with Esc and
with its close box; "Beenden" ends the program with exit code 0."""

from vexal_e2e import run

DESCRIPTION = "Programm zum Auslesen des TK740-Interface"


def open_about(driver):
    driver.cmd("menu 6062")
    driver.cmd("wait-dialog 5000 Info")
    controls = {}
    for reply in driver.cmd("dialog-text"):
        words = reply.split(" ", 3)
        if words[0] == "control":
            controls[int(words[1])] = (words[2], words[3] if len(words) > 3 else "")
    return controls


def closes(driver):
    try:
        driver.cmd("wait-gone 5000")
        return True
    except Exception:
        return False


def test(driver, checks, args):
    driver.start_vexal()

    controls = open_about(driver)
    checks.equal(sorted(controls), [1, 4001, 4010, 4011], "About dialog control ids")
    checks.equal(controls.get(1), ("Button", "OK"), "OK button")
    checks.equal(controls.get(4001), ("Static", DESCRIPTION), "description line")
    checks.check(controls.get(4010, ("", ""))[1] != "", "second line has a text")
    picture = driver.screenshot("about", window="dialog")
    picture.save_png(picture.path[:-4] + ".png")
    driver.cmd("press OK")
    checks.check(closes(driver), "OK closes the About dialog")

    open_about(driver)
    driver.cmd("key dialog escape")
    checks.check(closes(driver), "Esc closes the About dialog")

    open_about(driver)
    driver.cmd("close dialog")
    checks.check(closes(driver), "the close box closes the About dialog")

    # The main window still answers after the dialogs.
    checks.equal(driver.title(), "Vexal-Interface V1.0", "main window still there")
    driver.cmd("menu 6052")
    checks.equal(driver.exit_code(), 0, "exit code after \"Beenden\"")


if __name__ == "__main__":
    run(test)
