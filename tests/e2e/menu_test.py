"""Menu commands on the real program: the check marks move as the user chooses
items, and the scale labels of the picture follow.

The labels are compared as pictures, not read: two settings that must give the
same label text (say "500mV" with the 10:1 probe and "5V" with the 1:1 probe,
both 5 V per division) must give identical pixels, and settings with another
text must give other pixels."""

from vexal_e2e import Geometry, label_boxes, run

DEFAULT_MARKS = {6026, 6040, 6034, 6047, 6012}
CH1_PROBES = (6034, 6035, 6036)
CH2_PROBES = (6047, 6048, 6049)


class Labels:
    def __init__(self, driver, boxes):
        self.driver, self.boxes, self.count = driver, boxes, 0

    def read(self, name):
        """Screenshots the window and cuts out the three label boxes."""
        self.count += 1
        picture = self.driver.screenshot(f"{self.count:02d}-{name}")
        return {key: picture.region(*box) for key, box in self.boxes.items()}


def checked_items(driver):
    return {item["id"] for item in driver.menu_items() if item["checked"]}


def test(driver, checks, args):
    driver.start_vexal()
    geometry = Geometry(*driver.client_size())
    # The traces do not change, so where they cross a label box they add the
    # same pixels to every picture of it.
    boxes = label_boxes(geometry, *driver.base_units())
    labels = Labels(driver, boxes)

    items = driver.menu_items()
    checks.equal({i["id"] for i in items if i["checked"]}, DEFAULT_MARKS,
                 "check marks at start: exactly the five defaults")
    checks.equal([i["text"] for i in items if i["kind"] == "radio"], [],
                 "check marks are plain check marks, not radio bullets")
    start = labels.read("start")
    checks.check(start["ch1"] != start["ch2"], "the two channel labels differ (CH1 / CH2)")

    # A probe change on channel 1 moves its mark and leaves channel 2's alone.
    driver.menu(6035)
    states = driver.menu_states(CH1_PROBES + CH2_PROBES)
    checks.equal([states[i] for i in CH1_PROBES], ["unchecked", "checked", "unchecked"],
                 "channel 1 probe marks after 10:1")
    checks.equal([states[i] for i in CH2_PROBES], ["checked", "unchecked", "unchecked"],
                 "channel 2 probe marks after channel 1's 10:1")
    checks.equal(checked_items(driver), {6026, 6040, 6035, 6047, 6012},
                 "all marks after channel 1's 10:1")
    ten_volts = labels.read("1V-probe10")
    checks.check(ten_volts["ch1"] != start["ch1"], "channel 1 relabelled after the probe change")
    checks.check(ten_volts["ch2"] == start["ch2"], "channel 2 label unchanged")
    checks.check(ten_volts["tb"] == start["tb"], "timebase label unchanged")

    driver.menu(6023)  # "10V"
    driver.menu(6034)  # "1:1 Tastkopf"
    checks.equal(labels.read("10V-probe1")["ch1"] == ten_volts["ch1"], True,
                 "10V with 1:1 is labelled as 1V with 10:1 (10 V / DIV)")

    # Channel 1's "2V" is 6032 (6025 is channel 2's): 2V with 10:1 is 20 V.
    driver.menu(6032)
    checks.equal(driver.menu_states([6032, 6025, 6023]),
                 {6032: "checked", 6025: "unchecked", 6023: "unchecked"},
                 "channel 1 \"2V\" marks 6032 only")
    driver.menu(6035)
    twenty_a = labels.read("2V-probe10")
    driver.menu(6002)  # "20V"
    driver.menu(6034)
    twenty_b = labels.read("20V-probe1")
    checks.check(twenty_a["ch1"] == twenty_b["ch1"],
                 "2V with 10:1 is labelled as 20V with 1:1 (20 V / DIV)")
    checks.check(twenty_a["ch1"] != ten_volts["ch1"], "20 V / DIV differs from 10 V / DIV")

    # 20V with 100:1 is 2 kV; with the x5 gain 400 V: both new texts.
    driver.menu(6036)
    kilovolts = labels.read("20V-probe100")
    driver.menu(6037)
    gained = labels.read("20V-probe100-gain")
    checks.check(len({str(kilovolts["ch1"]), str(gained["ch1"]), str(twenty_b["ch1"])}) == 3,
                 "2 kV, 400 V and 20 V / DIV are three different labels")

    # The gain toggled twice ends unchecked, and the label is back.
    checks.equal(driver.menu_states([6037])[6037], "checked", "gain checked after one toggle")
    driver.menu(6037)
    checks.equal(driver.menu_states([6037])[6037], "unchecked", "gain unchecked after two toggles")
    checks.check(labels.read("20V-probe100-again")["ch1"] == kilovolts["ch1"],
                 "label back to 2 kV / DIV after the second toggle")

    # 1V with the gain is 200 mV, as the "200mV" item.
    driver.menu(6026)
    driver.menu(6034)
    checks.check(labels.read("1V")["ch1"] == start["ch1"], "back at 1 V / DIV")
    driver.menu(6037)
    two_hundred_a = labels.read("1V-gain")
    driver.menu(6037)
    driver.menu(6028)  # "200mV"
    two_hundred_b = labels.read("200mV")
    checks.check(two_hundred_a["ch1"] == two_hundred_b["ch1"],
                 "1V with the x5 gain is labelled as 200mV (200 mV / DIV)")

    # Choosing the checked item again keeps it checked.
    driver.menu(6028)
    checks.equal(driver.menu_states([6028])[6028], "checked", "re-chosen 200mV stays checked")
    checks.check(labels.read("200mV-again")["ch1"] == two_hundred_b["ch1"],
                 "re-chosen 200mV keeps its label")

    # Channel 2 has its own identifiers: 500mV with 10:1 is 5 V, as 5V with 1:1.
    driver.menu(6041)
    driver.menu(6048)
    five_a = labels.read("ch2-500mV-probe10")
    driver.menu(6039)
    driver.menu(6047)
    five_b = labels.read("ch2-5V-probe1")
    checks.check(five_a["ch2"] == five_b["ch2"] and five_a["ch2"] != start["ch2"],
                 "channel 2: 500mV with 10:1 is labelled as 5V with 1:1")
    checks.check(five_b["ch1"] == two_hundred_b["ch1"], "channel 1 label untouched by channel 2")
    checks.equal(checked_items(driver), {6028, 6039, 6034, 6047, 6012},
                 "marks after the channel 2 commands")

    # Timebase "500µs" (6017) relabels; "100ms" brings the old label back.
    driver.menu(6017)
    checks.equal(driver.menu_states([6017, 6016, 6012]),
                 {6017: "checked", 6016: "unchecked", 6012: "unchecked"},
                 "timebase 500us marks 6017 only")
    checks.check(labels.read("tb-500us")["tb"] != start["tb"], "timebase relabelled")
    driver.menu(6012)
    checks.check(labels.read("tb-100ms")["tb"] == start["tb"], "timebase label back at 100 ms")

    # Identifiers outside the menu's range change nothing.
    marks = checked_items(driver)
    driver.menu(6000)
    driver.menu(6063)
    checks.equal(checked_items(driver), marks, "commands 6000 and 6063 change no mark")

    checks.equal(driver.close_and_wait(), 0, "exit code after the close box")


if __name__ == "__main__":
    run(test)
