"""The window at any DPI: its minimum size, WM_DPICHANGED sent as a move to a 144-dpi monitor
sends it, and a Wine session of its own at 192 dpi (Wine reads LogPixels only when a session
starts): margins and pens twice as wide, the labels apart, and the metafile of the same size
and look in LibreOffice as at 96 dpi."""

import os
import subprocess
import time

from output_test import export, words
from vexal_e2e import CYAN, GREEN, Driver, count, run, text_file, wine_session

YELLOW, GREY, LIGHT_GREY, BLACK, DARK_BLUE = ((255, 255, 0), (128, 128, 128), (192, 192, 192),
                                              (0, 0, 0), (0, 0, 160))
FLAT = {1: [128] * 2048, 2: [128] * 2048}  # both traces on the centre line, clear of the labels
MANAGED = r"HKCU\Software\Wine\X11 Driver"
LOG_PIXELS = [r"HKCU\Control Panel\Desktop", "/v", "LogPixels", "/t", "REG_DWORD"]


def text_rows(picture, colours, left, right):
    """The rows and the columns between left and right where text of these colours lies."""
    mask = sum((picture[:, left:right] == c).all(axis=2) for c in colours)
    rows, columns = mask.nonzero()
    return set(rows), sorted(set(columns + left))


def apart(picture, inset, dpi):
    """The scale labels (bottom rows) and the read-out (top rows) keep apart: a gap of a
    character between CH1/CH2 and TB, and the read-out's lowest row above the labels' top."""
    height, width = picture.shape[:2]
    bottom = height - inset
    labels, columns = text_rows(picture[bottom - 2 * 16 * dpi // 96:bottom], (CYAN, GREEN),
                                inset + 1, width - inset - 1)
    gaps = [b - a for a, b in zip(columns, columns[1:])]
    readout, _ = text_rows(picture[inset + 1:bottom // 2], (YELLOW,), inset + 4, width - inset - 4)
    return bool(gaps) and max(gaps) > 8 * dpi // 96 and max(readout) + inset + 1 < bottom - 32 * dpi // 96


def insets(picture, plot):
    """Where the frame's outline and the plot area (its left grid line) begin, from the
    left, on a row just below the plot area's top (`plot` its inset)."""
    line = [tuple(p) for p in picture[plot + 3]]
    return line.index(BLACK), next(x for x in range(line.index(GREY), len(line)) if line[x] != GREY)


def reg(args, *words):
    # Not captured: a Wine process the command starts (a server, a service) would hold the pipe.
    subprocess.run(["bash", args.wine, "reg", *words], stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)


def set_dpi(args, dpi):
    """A new Wine session (a persistent server, as wine-session.sh starts it) at this DPI."""
    env = dict(os.environ, WINEPREFIX=wine_session()["WINEPREFIX"])
    reg(args, "add", *LOG_PIXELS, "/d", str(dpi), "/f")
    subprocess.run(["wineserver", "-k"], env=env)
    subprocess.run(["wineserver", "-w"], env=env)
    subprocess.run(["wineserver", "-p"], env=env, start_new_session=True, stdin=subprocess.DEVNULL,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def metafile_look(out, name):
    """The page size and the label words' left edges LibreOffice gives the metafile."""
    home = os.path.join(out, "lo-home")
    subprocess.run(["soffice", "--headless", "--convert-to", "pdf", "--outdir", out,
                    os.path.join(out, name + ".emf")], env=dict(os.environ, HOME=home),
                   timeout=120, capture_output=True)
    page, width = words(os.path.join(out, name + ".pdf"))
    return round(width), [(w, round(x1)) for w, x1, *_ in page if w in ("CH1:", "CH2:", "TB:")]


def test(driver, checks, args):
    out = args.out
    for old in os.listdir(out):
        if old.endswith((".emf", ".pdf")):
            os.remove(os.path.join(out, old))
    open(flat := os.path.join(out, "flat.txt"), "wb").write(text_file(time.localtime(), FLAT))

    # Windows that the window manager leaves alone, so that they can be made small.
    reg(args, "add", MANAGED, "/v", "Managed", "/d", "N", "/f")
    try:
        sizes(driver, checks, args, flat)
    finally:
        reg(args, "delete", MANAGED, "/v", "Managed", "/f")


def shown(driver, flat, name):
    """The window with flat traces and the cursors' read-out."""
    driver.hook("drop", flat)
    driver.menu(6073)
    return driver.screenshot(name)


def sizes(driver, checks, args, flat):
    out = args.out
    # 96 dpi: the smallest window the program allows is 320 x 240 inside, labels apart.
    driver.start()
    size = driver.hook("min-track-size")[0].split()[1:]
    client = driver.cmd(f"resize {size[0]} {size[1]}")[1].split()[1:]
    # At least 320 x 240: the menu bar wraps into more rows there, each about a pixel
    # off from the height the program reckons with.
    checks.check(client[0] == "320" and 240 <= int(client[1]) <= 243,
                 f"the smallest window {size}: its client area {client}")
    checks.check(apart(shown(driver, flat, "minimum"), 40, 96), "at the smallest size the labels apart")
    # A move to a 144-dpi monitor: the suggested rectangle, 30 and 60 pixels to frame and plot.
    driver.cmd("resize 900 700")
    driver.hook("dpi-changed", 144, 50, 40, 950, 690)
    geometry = driver.cmd("geometry")[0].split()[1:]
    checks.equal(geometry, ["50", "40", "950", "690"], "WM_DPICHANGED: the suggested rectangle")
    checks.equal(insets(driver.screenshot("dpi144"), 60), (30, 59), "at 144 dpi frame and plot")
    driver.hook("dpi-changed", 96, 50, 40, 950, 690)
    export(driver, 6061, os.path.join(out, "at96.emf"))
    driver.close_and_wait()

    # A session at 192 dpi: everything of the screen twice as large, the metafile as at 96.
    # Every Wine process ends with the session, the driver too: it gets one of its own there.
    driver.quit()
    try:
        set_dpi(args, 192)
        driver = Driver(args, "driver192")
        driver.start()
        picture = shown(driver, flat, "dpi192")
        column = 80 + (picture.shape[1] - 160) // 2  # the vertical centre line
        checks.equal((insets(picture, 80), count(picture, DARK_BLUE, (column - 4, 200, column + 4, 201))),
                     ((40, 79), 2), "at 192 dpi: frame, plot area, a grid line's width")
        checks.check(apart(picture, 80, 192), "at 192 dpi the labels apart")
        export(driver, 6061, os.path.join(out, "at192.emf"))
        driver.close_and_wait()
        driver.quit()
    finally:
        set_dpi(args, 96)
    frames = [open(os.path.join(out, f"at{dpi}.emf"), "rb").read()[24:40] for dpi in (96, 192)]
    checks.equal(frames[1], frames[0], "the metafile's frame at 192 dpi as at 96")
    # The labels' offsets are Wine's base units at 96 dpi (7 wide), Windows' at 192 (8).
    looks = [metafile_look(out, f"at{dpi}") for dpi in (96, 192)]
    checks.check(looks[0][0] == looks[1][0] and [w for w, _ in looks[0][1]] ==
                 [w for w, _ in looks[1][1]] and
                 all(abs(a[1] - b[1]) <= 2 for a, b in zip(looks[0][1], looks[1][1])),
                 f"LibreOffice: page and label words at 96 and 192 dpi within 2 pt: {looks}")


if __name__ == "__main__":
    run(test)
