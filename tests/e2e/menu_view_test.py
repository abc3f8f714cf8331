"""The check marks as the user sees them: the menus are opened with real
keystrokes (xdotool: F10, arrow keys) and the open popup menu is read from a
screenshot. Each item row of the popup shows a check mark exactly where the
program's menu (read through the driver's hook) has one, and a mark moves on
screen after a menu command."""

import os
import subprocess
from collections import Counter

from vexal_e2e import TITLE, run

MENU_BAR = ["Datei", "Kanal 1", "Kanal 2", "Zeitbasis", "Interface", "Info"]


def session_display():
    with open(os.path.join(os.environ["VEXAL_WINE_BUILD_DIR"], "wine-session.env")) as f:
        for line in f:
            key, _, value = line.strip().partition("=")
            if key == "DISPLAY":
                return value.strip("'")
    raise RuntimeError("no DISPLAY in wine-session.env")


def xdotool(*arguments):
    env = dict(os.environ, DISPLAY=session_display())
    return subprocess.run(["xdotool", *arguments], env=env, check=True, capture_output=True,
                          text=True, timeout=20).stdout


def submenus(driver):
    """{menu bar text: [items of its popup, in order]} from the program's menu."""
    menus, current = {}, None
    for item in driver.menu_items():
        if item["depth"] == 0:
            current = menus.setdefault(item["text"], [])
        else:
            current.append(item)
    return menus


def read_popup(picture, check_width):
    """The item rows of a popup menu picture, top to bottom, as a list of
    booleans: does the row show a check mark? Separators are left out."""
    background = Counter(
        picture.pixel(x, y) for y in range(picture.height) for x in range(picture.width)
    ).most_common(1)[0][0]
    left, right = 2, picture.width - 5
    text_left = check_width + 3

    def filled(y):  # a separator line, or a row of the highlighted item
        differing = sum(1 for x in range(left + 2, right) if picture.pixel(x, y) != background)
        return differing > (right - left) // 2

    def inked(y):
        return any(picture.pixel(x, y) != background for x in range(text_left, right))

    # Runs of rows: short filled runs are separators, long ones the highlighted
    # item; other runs of inked rows are the texts of the other items.
    rows = []
    y = 2
    while y < picture.height - 2:
        if filled(y):
            end = y
            while end + 1 < picture.height - 2 and filled(end + 1):
                end += 1
            if end - y >= 3:
                rows.append((y, end))
            y = end + 1
        elif inked(y):
            end = y
            while end + 1 < picture.height - 2 and inked(end + 1) and not filled(end + 1):
                end += 1
            rows.append((y, end))
            y = end + 1
        else:
            y += 1

    marks = []
    for top, bottom in rows:
        marked = False
        for y in range(top - 2, bottom + 3):
            row_background = picture.pixel(right - 3, y)
            if any(picture.pixel(x, y) != row_background for x in range(left + 1, check_width)):
                marked = True
        marks.append(marked)
    return marks


def test(driver, checks, args):
    driver.start_vexal()
    check_width = int(driver.value("menu-check-size", "menu-check-size")[0])
    window = xdotool("search", "--name", f"^{TITLE}$").split()[0]

    shots = 0

    def popup_marks(name):
        """Opens the menu with the keyboard, as a user without a mouse does."""
        nonlocal shots
        shots += 1
        xdotool("windowfocus", "--sync", window)
        keys = ["F10"] + ["Right"] * MENU_BAR.index(name) + ["Down"]
        xdotool("key", "--delay", "100", *keys)
        picture = driver.screenshot(f"{shots:02d}-{name.replace(' ', '')}", window="menu")
        xdotool("key", "--delay", "100", "Escape", "Escape")
        driver.cmd("sync")
        return read_popup(picture, check_width)

    def compare(name, what):
        expected = [item["checked"] for item in submenus(driver)[name]
                    if item["kind"] != "separator"]
        seen = popup_marks(name)
        checks.equal(seen, expected, f"{name}: marks on screen {what}")

    for name in ("Kanal 1", "Kanal 2", "Zeitbasis"):
        compare(name, "at start")
    checks.equal(sum(popup_marks("Kanal 1")), 2, "Kanal 1 shows two marks at start")

    driver.menu(6024)  # "5V"
    driver.menu(6036)  # "100:1 Tastkopf"
    driver.menu(6037)  # "Verstärkung 5fach"
    compare("Kanal 1", "after 5V, 100:1 and the gain")
    compare("Kanal 2", "after channel 1's commands")
    driver.menu(6019)  # "50µs"
    compare("Zeitbasis", "after 50us")

    checks.equal(driver.close_and_wait(), 0, "exit code after the close box")


if __name__ == "__main__":
    run(test)
