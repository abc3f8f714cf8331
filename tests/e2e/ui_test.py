"""The window as a user first meets it: the start picture, a menu choice that
moves a check mark and relabels, the About dialog, and the close box."""

from vexal_e2e import CYAN, GREEN, TITLE, Plot, count, demo, run

GREY, LIGHT_GREY, BLACK, DARK_BLUE = (128, 128, 128), (192, 192, 192), (0, 0, 0), (0, 0, 160)


def test(driver, checks, args):
    driver.start()
    checks.equal(" ".join(driver.value("title", "title")), TITLE, "window title")
    start = driver.screenshot("start")
    plot = Plot(start)
    checks.equal(tuple(start[25, 25]), GREY, "outer frame")
    checks.equal(tuple(start[10, 10]), LIGHT_GREY, "window background outside the frame")
    height = plot.bottom - plot.top
    checks.check(count(start, BLACK, (plot.left, plot.top, plot.right, plot.bottom))
                 > (plot.right - plot.left) * height * 0.8, "black plot area")
    for k in (1, 5, 9):  # full vertical grid lines, crossed by the traces in a few places
        x = int(plot.left + (plot.right - plot.left) * (5 * k / 50))
        checks.check(count(start, DARK_BLUE, (x, plot.top, x + 1, plot.bottom)) > height * 0.8,
                     f"grid line {k} at x = {x}")
    for channel, colour in ((1, CYAN), (2, GREEN)):
        checks.check(plot.shown(start, demo(channel), colour) >= 0.9,
                     f"channel {channel} demonstration trace")
    left_labels = (plot.left, plot.bottom - 60, plot.left + 200, plot.bottom)
    right_label = (plot.right - 200, plot.bottom - 60, plot.right, plot.bottom)
    checks.check(count(start, CYAN, left_labels) > 20 and count(start, GREEN, left_labels) > 20
                 and count(start, CYAN, right_label) > 20, "the three scale labels")

    # Channel 1's "10:1 Tastkopf" takes the mark from "1:1" and relabels channel 1 only.
    driver.menu(6035)
    states = [line.split()[2] for line in driver.hook("menu-state", 6034, 6035, 6036, 6047)]
    checks.equal(states, ["unchecked", "checked", "unchecked", "checked"],
                 "probe marks 1:1, 10:1, 100:1 of channel 1, then channel 2's 1:1")
    probe10 = driver.screenshot("probe10")
    changed = [(probe10 != start)[b[1]:b[3], b[0]:b[2]].any() for b in (left_labels, right_label)]
    checks.equal(changed, [True, False], "channel labels redrawn, the timebase label not")
    driver.menu(6034)
    checks.check((driver.screenshot("probe1") == start).all(), "1:1 again: the start picture")

    controls = driver.dialog(6062, "Info")
    checks.equal(controls.get(4001), ("static", "Programm zum Auslesen des TK740-Interface"),
                 "About dialog")
    driver.press(1)
    checks.equal(driver.close_and_wait(), 0, "exit code after the close box")


if __name__ == "__main__":
    run(test)
