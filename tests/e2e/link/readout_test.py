"""A full read-out against the simulator: the summary box with the information
icon, the new traces on screen, "EEPROM auslesen", and a second read-out
started while the first one runs."""

import time

from link_e2e import (BOTH_TAKEN, EEPROM, OPEN_FAILED, Simulator, distinct_points, map_port,
                      parse_reply, start_readout, trace_shown, wait_message_box)
from vexal_e2e import CYAN, GREEN, demo_sample, run

DEMO = [[demo_sample(channel, i) for i in range(2048)] for channel in (1, 2)]


def check_traces(checks, picture, samples, old, what):
    for channel, colour in ((0, CYAN), (1, GREEN)):
        points = distinct_points(samples[channel], old[channel])
        checks.check(len(points) >= 20, f"{what}: channel {channel + 1} trace differs from before")
        checks.check(trace_shown(picture, samples[channel], colour, points) >= 0.9,
                     f"{what}: new channel {channel + 1} trace on screen")
        checks.check(trace_shown(picture, old[channel], colour, points) <= 0.3,
                     f"{what}: old channel {channel + 1} trace gone")


def test(driver, checks, args):
    map_port(args, 2)
    with Simulator(args) as sim:
        driver.start_vexal()

        box = wait_message_box(driver, args, "direct-box", started=start_readout(driver))
        checks.equal(box.text, BOTH_TAKEN, "summary of a full reply")
        checks.equal(box.icon, "information", "summary icon")
        checks.check(box.seconds < 3.0, f"summary after {box.seconds:.2f} s (line time 1.42 s)")
        live = parse_reply(sim.reply())
        picture = driver.screenshot("after-direct")
        picture.save_png(picture.path[:-4] + ".png")
        check_traces(checks, picture, live, DEMO, "'d'")

        box = wait_message_box(driver, args, "eeprom-box", started=start_readout(driver, EEPROM))
        checks.equal(box.text, BOTH_TAKEN, "summary of 'r'")
        stored = parse_reply(sim.reply())
        check_traces(checks, driver.screenshot("after-eeprom"), stored, live, "'r'")

        # A second read-out while the first holds the port.
        start_readout(driver)
        time.sleep(0.3)
        box = wait_message_box(driver, args, "second-box", started=start_readout(driver))
        checks.equal(box.text, OPEN_FAILED, "second read-out during the first")
        checks.equal(box.icon, "error", "its icon")
        box = wait_message_box(driver, args, "first-box")
        checks.equal(box.text, BOTH_TAKEN, "the first read-out completes")
        check_traces(checks, driver.screenshot("after-both"), parse_reply(sim.reply()), stored,
                     "first of two")

        checks.equal(driver.close_and_wait(), 0, "exit code")


if __name__ == "__main__":
    run(test)
