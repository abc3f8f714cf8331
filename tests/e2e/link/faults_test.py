"""An interface that misbehaves: silence, foreign text, a reply that breaks
off, and a channel without data. Each case runs its own simulator."""

from link_e2e import (BROKEN_OFF, NO_ANSWER, TAKEN, Simulator, distinct_points, map_port,
                      parse_reply, start_readout, trace_shown, wait_message_box)
from vexal_e2e import CYAN, GREEN, Geometry, demo_sample, run

DEMO = [[demo_sample(channel, i) for i in range(2048)] for channel in (1, 2)]


def sample_run(data, start):
    return parse_reply(data[:8] + b"\n" + data[start:start + 4 * 2048] + b"Kanal 2: x\n")[0]


def test(driver, checks, args):
    map_port(args, 2)
    driver.start_vexal()
    before = driver.screenshot("before")
    g = Geometry(before.width, before.height)
    plot = (g.left + 2, g.top + 2, g.right - 1, g.bottom - 1)

    with Simulator(args, ["--silent"], name="silent"):
        box = wait_message_box(driver, args, "silent-box", started=start_readout(driver))
        checks.equal(box.text, "Interface antwortet nicht !", "silent interface")
        checks.equal(box.icon, "error", "its icon")
        checks.check(1.0 <= box.seconds <= 1.6, f"box after {box.seconds:.2f} s (about 1.14 s)")
        checks.check(driver.screenshot("after-silent").region(*plot) == before.region(*plot),
                     "picture unchanged")

    with Simulator(args, ["--garbage"], name="garbage") as sim:
        box = wait_message_box(driver, args, "garbage-box", started=start_readout(driver))
        checks.equal(box.text.strip(), sim.reply().decode("cp1252").strip(),
                     "a first block without \"Kanal 1:\" is shown as it came")
        checks.equal(box.icon, "error", "its icon")
        checks.check(driver.screenshot("after-garbage").region(*plot) == before.region(*plot),
                     "picture unchanged")

    # Cut inside channel 2's run: channel 1 is new, channel 2 keeps its trace.
    with Simulator(args, ["--cut-after", "12000"], name="cut") as sim:
        box = wait_message_box(driver, args, "cut-box", started=start_readout(driver))
        checks.equal(box.text, BROKEN_OFF, "reply cut inside channel 2")
        checks.equal(box.icon, "error", "its icon")
        checks.check(box.seconds <= 1.04 + 1.14 + 0.4,
                     f"box {box.seconds:.2f} s after the command (cut at 1.04 s)")
        new1 = sample_run(sim.reply(), 9)
        picture = driver.screenshot("after-cut")
        picture.save_png(picture.path[:-4] + ".png")
        points = distinct_points(new1, DEMO[0])
        checks.check(trace_shown(picture, new1, CYAN, points) >= 0.9, "channel 1 committed")
        checks.check(trace_shown(picture, DEMO[1], GREEN) >= 0.9, "channel 2 kept its old trace")

    with Simulator(args, ["--ch2-status"], name="status"):
        box = wait_message_box(driver, args, "status-box", started=start_readout(driver))
        checks.equal(box.text, f"Kanal 1: {TAKEN}\nKanal 2: Keine Daten vorhanden",
                     "channel 2 without data")
        checks.equal(box.icon, "information", "its icon")
        picture = driver.screenshot("after-status")
        picture.save_png(picture.path[:-4] + ".png")
        checks.equal(picture.count(GREEN, 0, 0, picture.width, picture.height), 0,
                     "channel 2 neither drawn nor labelled")
        checks.check(picture.count(CYAN, *plot) > 500, "channel 1 drawn")

    checks.equal(driver.close_and_wait(), 0, "exit code")


if __name__ == "__main__":
    run(test)
