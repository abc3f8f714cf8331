"""Start-up: the real vexal.exe opens its window with the demonstration picture
and ends with exit code 0 when the window is closed."""

from vexal_e2e import (BLACK, CYAN, DARK_BLUE, GREEN, GREY, LIGHT_GREY, TITLE, Geometry,
                       demo_sample, near, run)


def trace_y(geometry, channel, i):
    return geometry.ty(demo_sample(channel, i))


def clear_of_traces(geometry, x, y, margin=6):
    """No trace point of either channel lies within `margin` pixels of (x, y)."""
    for i in range(2048):
        if abs(geometry.tx(i) - x) <= margin:
            for channel in (1, 2):
                if abs(trace_y(geometry, channel, i) - y) <= margin:
                    return False
    return True


def grid_probe(geometry, k):
    """A point on the full vertical grid line k (0..10), clear of the traces,
    the horizontal grid lines and the labels."""
    x = geometry.gx(5 * k)
    for j in range(1, 32):  # rows above the label band at the bottom
        y = (geometry.gy(j) + geometry.gy(j + 1)) // 2
        if j % 5 and clear_of_traces(geometry, x, y):
            return x, y
    return None


def black_probe(geometry):
    """A point of the plot area clear of grid lines, ticks, traces and labels."""
    for k in range(1, 9):
        for j in (3, 13, 27):
            x = (geometry.gx(5 * k) + geometry.gx(5 * k + 5)) // 2
            y = (geometry.gy(j) + geometry.gy(j + 1)) // 2
            if abs(x - geometry.xm) > 10 and clear_of_traces(geometry, x, y, margin=8):
                return x, y
    return None


def test(driver, checks, args):
    checks.equal(driver.start_vexal(), TITLE, "window title")
    width, height = driver.client_size()
    checks.check(width > 400 and height > 300, f"client area {width} x {height} is usable")
    picture = driver.screenshot("startup")
    picture.save_png(picture.path[:-4] + ".png")
    checks.equal((picture.width, picture.height), (width, height), "screenshot size")
    g = Geometry(width, height)

    checks.equal(picture.pixel(25, 25), GREY, "outer frame at (25, 25)")
    checks.equal(picture.pixel(width - 25, height // 2), GREY, "outer frame on the right")
    checks.equal(picture.pixel(10, 10), LIGHT_GREY, "window background outside the frame")

    probe = black_probe(g)
    checks.check(probe is not None, "found a clear point of the plot area")
    if probe:
        checks.equal(picture.pixel(*probe), BLACK, f"plot area at {probe}")

    for k in (1, 3, 7, 9):
        probe = grid_probe(g, k)
        if checks.check(probe is not None, f"found a clear point on grid line {k}"):
            checks.equal(picture.pixel(*probe), DARK_BLUE, f"grid line {k} at {probe}")

    # Where the sine and cosine are far apart (about 3/8 and 7/8 of a period).
    for i in (384, 896, 1408):
        for channel, colour, name in ((1, CYAN, "channel 1"), (2, GREEN, "channel 2")):
            point = (g.tx(i), trace_y(g, channel, i))
            checks.check(near(picture, *point, colour), f"{name} trace point {i} at {point}")

    # The labels sit on the bottom text rows of the plot area.
    band_top = g.bottom - 60
    checks.check(picture.count(CYAN, g.left, band_top, g.left + 200, g.bottom) > 20,
                 "channel 1 label drawn in cyan at the bottom left")
    checks.check(picture.count(GREEN, g.left, band_top, g.left + 200, g.bottom) > 20,
                 "channel 2 label drawn in green at the bottom left")
    checks.check(picture.count(CYAN, g.right - 200, band_top, g.right, g.bottom) > 20,
                 "timebase label drawn in cyan at the bottom right")

    checks.equal(driver.close_and_wait(), 0, "exit code after the close box")


if __name__ == "__main__":
    run(test)
