"""File export through the real program and its real save dialog: the text
file byte for byte against the demonstration samples computed here, the
metafile record by record, the name offered again, and cancelling."""

import os
import struct
import time

from vexal_e2e import demo_sample, run

SAVE_DIALOG = "Save As"   # Wine's save dialog in the prefix's (English) locale
FILE_NAME_BOX = 1148      # cmb13: the file-name box of the save dialog


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def export(driver, command, path=None, button=1):
    """Opens an export, types `path` (when given), presses the button; returns
    the file name that the dialog proposed."""
    driver.cmd(f"menu {command}")
    driver.cmd(f"wait-dialog 10000 {SAVE_DIALOG}")
    proposed = ""
    for reply in driver.cmd("dialog-text"):
        words = reply.split(" ", 3)
        if words[1] == str(FILE_NAME_BOX) and words[2] == "Edit":
            proposed = words[3] if len(words) > 3 else ""
    if path is not None:
        driver.cmd(f"set-text {FILE_NAME_BOX} {windows_path(path)}")
    driver.cmd(f"press {button}")
    driver.cmd("wait-gone 10000")
    driver.cmd("sync")  # the export has run once the window thread is idle again
    return proposed


def expected_text(stamp):
    lines = ["", "VEXAL-Interface V1.0 - Ausgabe vom "
             + time.strftime("%d.%m.%Y, %H:%M", stamp), "=" * 52, "", "Kanal 1\t\tKanal2", ""]
    lines += [f"{demo_sample(1, i):03d}\t\t\t{demo_sample(2, i):03d}" for i in range(2048)]
    return ("\n".join(lines) + "\n\n\n").encode("ascii")


def check(checks, what, condition, detail=""):
    checks.check(condition, what if condition or not detail else f"{what}: {detail}")


def emf_records(data):
    """(type, body) of each record of an enhanced metafile."""
    records, pos = [], 0
    while pos + 8 <= len(data):
        kind, size = struct.unpack_from("<II", data, pos)
        if size < 8:
            break
        records.append((kind, data[pos + 8:pos + size]))
        pos += size
    return records


def test(driver, checks, args):
    driver.start_vexal()
    text_path = os.path.join(args.out, "messung.txt")
    emf_path = os.path.join(args.out, "bild.emf")
    for path in (text_path, emf_path):
        if os.path.exists(path):
            os.remove(path)

    # Cancelling writes nothing.
    before_cancel = set(os.listdir(args.out))
    export(driver, 6001, text_path, button=2)
    check(checks, "cancelling writes nothing", set(os.listdir(args.out)) == before_cancel)

    before = time.localtime()
    export(driver, 6001, text_path)
    after = time.localtime()
    data = open(text_path, "rb").read() if os.path.exists(text_path) else b""
    check(checks, "text export has 54 + 54 + 17 + 20480 + 2 bytes",
                 len(data) == 20607, f"{len(data)} bytes")
    check(checks, "text export equals the demonstration samples byte for byte",
                 data in (expected_text(before), expected_text(after)), data[:120])

    # The metafile export proposes the name chosen in the text export.
    proposed = export(driver, 6061, emf_path)
    check(checks, "the metafile export proposes the text export's name",
                 proposed in ("messung.txt", windows_path(text_path)), proposed)

    data = open(emf_path, "rb").read() if os.path.exists(emf_path) else b""
    records = emf_records(data)
    check(checks, "the metafile was written", len(records) > 100, f"{len(data)} bytes")
    if not records:
        return
    n_description, off_description = struct.unpack_from("<II", data, 60)  # ENHMETAHEADER
    description = data[off_description:off_description + 2 * n_description].decode("utf-16-le")
    check(checks, "metafile description", description.startswith(
        "Vexal Interface V1.0\0Ausgabe\0"), repr(description))

    rects = [struct.unpack("<4i", body[:16]) for kind, body in records if kind == 43]
    check(checks, "frame and plot area (boxes kept inclusive)",
                 rects == [(20, 20, 779, 579), (40, 40, 759, 559)], rects)

    points = [(kind, struct.unpack("<2i", body[:8])) for kind, body in records
              if kind in (27, 54)]  # EMR_MOVETOEX, EMR_LINETO
    grid = [p for _, p in points[:2 * (51 + 41)]]
    full_x = [p[0] for p in grid[0:102:2] if p[1] == 560]
    check(checks, "full vertical grid lines", full_x ==
                 [40, 112, 184, 256, 328, 400, 472, 544, 616, 688, 760], full_x)
    full_y = [p[1] for p in grid[102::2] if p[0] == 40]
    check(checks, "full horizontal grid lines", full_y ==
                 [40, 105, 170, 235, 300, 365, 430, 495, 560], full_y)

    def tx(i):
        return 40 + (720 * i) // 2048

    def ty(s):
        return 560 - -(-520 * s // 256)

    for channel in (1, 2):
        start = 2 * (51 + 41) + (channel - 1) * 2048
        trace = [p for _, p in points[start:start + 2048]]
        wanted = [(40, ty(demo_sample(channel, 0)))] + [
            (tx(i), ty(demo_sample(channel, i))) for i in range(1, 2048)]
        check(checks, f"channel {channel} trace points", trace == wanted,
                     next((f"point {i}: {a} != {b}" for i, (a, b) in enumerate(zip(trace, wanted))
                           if a != b), f"{len(trace)} points"))

    texts = []
    for kind, body in records:
        if kind == 84:  # EMR_EXTTEXTOUTW: rclBounds, mode, scales, then EMRTEXT
            count, offset = struct.unpack_from("<II", body, 36)
            texts.append(body[offset - 8:offset - 8 + 2 * count].decode("utf-16-le"))
    check(checks, "label texts", texts == ["CH1:   1 V / DIV", "CH2:   1 V / DIV",
                                          "TB: 100 ms / DIV"], texts)
    check(checks, "exit code 0", driver.close_and_wait() == 0)


run(test)
