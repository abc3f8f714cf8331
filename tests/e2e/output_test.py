"""What the program writes, read back in the programs people use (numpy, LibreOffice,
CUPS and poppler); files that cannot be written; saved text exports shown again (in Cyrillic,
beyond 260 characters, named unquoted)."""

import glob
import html
import os
import pwd
import re
import shutil
import subprocess
import tempfile
import time

import numpy

from vexal_e2e import CYAN, GREEN, Plot, Simulator, count, demo, run, text_file, wine_session

SAVE_AS, FILE_NAME_BOX = "Save As", 1148  # Wine's save dialog in the tests' locale


def export(driver, command, path, overwrite=False, hold_ms=0):
    """Exports to `path`; with `hold_ms`, another program holds the old file for
    that long, without sharing its deletion, from the moment the user confirms."""
    driver.dialog(command, SAVE_AS)
    driver.cmd(f"set-text {FILE_NAME_BOX} Z:{path.replace('/', chr(92))}")
    if overwrite:  # "... already exists. Do you want to replace it?"
        driver.cmd("press 1")
        driver.cmd("wait-dialog 5000")
    if hold_ms:
        driver.cmd(f"hold-file {path} {hold_ms} rw")
    driver.press(6 if overwrite else 1)  # the export has run once the dialog is gone


def words(pdf):
    """(text, xMin, yMin, xMax, yMax) of every word of a PDF's first page, and its width."""
    page = subprocess.run(["pdftotext", "-l", "1", "-bbox", pdf, "-"], capture_output=True,
                          text=True, check=True).stdout
    width = float(re.search(r'<page width="([\d.]+)"', page).group(1))
    found = re.findall(r'xMin="([-\d.]+)" yMin="([-\d.]+)" xMax="([-\d.]+)" yMax="([-\d.]+)">'
                       r'([^<]*)<', page)
    return [(html.unescape(w), *map(float, box)) for *box, w in found], width


def as_root(*command):
    """Runs a command as root: directly, through sudo when it asks no password, or not
    at all (False)."""
    prefix = [] if os.geteuid() == 0 else ["sudo", "-n"]
    if prefix and subprocess.run(["sudo", "-n", "true"], capture_output=True).returncode:
        return False
    return subprocess.run(prefix + list(command)).returncode == 0


def print_to_pdf(driver, path, copies=1):
    """Prints through the print dialog to the CUPS PDF printer; whether it wrote a
    PDF, copied to `path`."""
    folders = (f"{pwd.getpwuid(os.getuid()).pw_dir}/PDF", "/var/spool/cups-pdf/ANONYMOUS")
    before = {p for f in folders for p in glob.glob(f"{f}/*Druck*.pdf")}
    driver.dialog(6050, "Print")
    driver.cmd(f"set-text 1154 {copies}")  # "Number of copies"
    driver.press(1)
    for _ in range(300):  # a new job's file
        new = sorted({p for f in folders for p in glob.glob(f"{f}/*Druck*.pdf")} - before,
                     key=os.path.getmtime)
        if new:
            time.sleep(0.5)  # cups-pdf may still be closing it
            return shutil.copy(new[-1], path) is not None
        time.sleep(0.1)
    return False


def print_page(driver, checks, out):
    """Prints 3 copies and reads the pages back: 3 pages (not 3 x 3, the driver's
    copies times the program's); on the first, the heading whole, in a readable size,
    everything on the page; the picture on the upper half."""
    pdf = os.path.join(out, "page.pdf")
    queue = os.environ["PRINTER"]  # made by scripts/setup-deps.sh --for-tests
    if checks.check(print_to_pdf(driver, pdf, 3), f"the printer {queue} wrote a PDF"):
        info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
        checks.equal(re.search(r"Pages: *(\d+)", info)[1], "3", "3 copies asked for: pages")
        page, width = words(pdf)
        heading = [w for w in page if w[2] < 30]
        checks.check(re.fullmatch(r"VEXAL-Interface V1\.0 - Ausgabe vom \d\d\.\d\d\.\d{4}, \d\d:\d\d",
                                  " ".join(w[0] for w in heading)), "the whole heading")
        checks.check(all(0 <= w[1] and w[3] <= width and 5 <= w[4] - w[2] <= 18 for w in heading),
                     "heading words inside the page, 5 to 18 pt high")
        checks.check({"CH1:", "CH2:", "TB:"} <= {w[0] for w in page if 0 <= w[1] and w[3] <= width},
                     "labels inside the page")
        subprocess.run(["pdftoppm", "-r", "40", "-singlefile", pdf, pdf[:-4]], check=True)
        r, g, b = read_ppm(os.path.join(out, "page.ppm")).astype(int).transpose(2, 0, 1)
        half = r.shape[0] // 2
        cyan, green = (r < 100) & (g > 180) & (b > 180), (r < 100) & (g > 180) & (b < 100)
        checks.check(cyan[:half].sum() > 100 and green[:half].sum() > 100
                     and (r + g + b)[half:].min() > 600, "coloured traces on the upper half only")


def no_gdi_left(driver, checks, least):
    """The GDI objects since the count started (the first "hook gdi-objects"). A leak stays:
    the count is read again for a moment, as a command that waits inside a clipboard call
    lets the driver's sync through before it has freed what it made."""
    for _ in range(20):
        gdi = dict(line.partition(" ")[::2] for line in driver.hook("gdi-objects"))
        if gdi["alive"] == "0":
            break
        time.sleep(0.1)
    checks.equal((gdi["alive"], gdi["deleted-while-selected"], gdi["printers"],
                  int(gdi["made"]) >= least, gdi["uncounted"]), ("0", "0", "1", True, ""),
                 f"GDI objects held, deleted while selected, printer contexts of {gdi['made']} "
                 "made; calls not counted")


def test(driver, checks, args):
    out, cyrillic = args.out, os.path.join(args.out, "Измерения")  # outside code page 1252
    os.makedirs(cyrillic, exist_ok=True)
    for old in sum((glob.glob(f"{where}/*.{kind}") for where in (out, cyrillic)
                    for kind in ("txt", "emf", "tmp")), []):
        os.chmod(old, 0o644) or os.remove(old)
    driver.start()
    # A refused job, before the count starts: the program finds the print dialog now, and
    # the count must still see the printer context of the print after.
    spool = os.path.join(wine_session()["WINEPREFIX"], "drive_c/windows/system32/spool")
    spool = os.path.join(spool, next(n for n in os.listdir(spool) if n.lower() == "printers"))
    os.rename(spool, spool + "-parked")  # the spooler cannot take the job
    try:
        driver.dialog(6050, "Print")
        driver.press(1)
        checks.equal(driver.box("print-box"), ("Fehler beim Drucken !", "error"), "a refused job")
    finally:
        os.rename(spool + "-parked", spool)
    driver.hook("gdi-objects")  # the program's GDI objects are counted from here on

    # The text export, byte for byte, and as numpy reads it.
    before = time.localtime()
    export(driver, 6001, os.path.join(cyrillic, "messung"))
    data = open(os.path.join(cyrillic, "messung.txt"), "rb").read()
    expected = {1: demo(1), 2: demo(2)}
    checks.check(data in (text_file(before, expected), text_file(time.localtime(), expected)),
                 f"text export byte for byte ({len(data)} bytes)")
    values = numpy.loadtxt(os.path.join(cyrillic, "messung.txt"), skiprows=5)
    checks.check((values == numpy.array([demo(1), demo(2)]).T).all(), "numpy reads the samples")
    # Browsing to a folder in the save dialog does not make it the program's current
    # folder, which Windows would keep open (a USB stick could not be removed).
    browsed = os.path.join(out, "ordner")
    shutil.rmtree(browsed, ignore_errors=True)
    os.makedirs(browsed)
    driver.dialog(6001, SAVE_AS)
    driver.cmd(f"set-text {FILE_NAME_BOX} Z:{browsed}".replace("/", "\\"))
    driver.cmd("press 1")  # opens the folder in the dialog
    for _ in range(100):
        if driver.dialog_controls()[1137][1] == "ordner":  # "Save in:"
            break
        time.sleep(0.05)
    driver.cmd(f"set-text {FILE_NAME_BOX} x")
    driver.press(1)
    folder = "Z:" + os.path.dirname(args.vexal).replace("/", "\\")  # where the driver starts it
    checks.equal((os.listdir(browsed), driver.hook("current-folder")),
                 (["x.txt"], [f"folder {folder}"]), "an export: the program's current folder after it")
    # Wine's save dialog takes 259 characters at most (a longer name overflows its own buffers
    # and ends the program): the temporary file beside such a file has a longer name.
    edge = os.path.join(out, "k" * (259 - len(f"Z:{out}//x.txt")))
    shutil.rmtree(edge, ignore_errors=True)
    os.makedirs(edge)
    export(driver, 6001, os.path.join(edge, "x.txt"))
    checks.equal(os.listdir(edge), ["x.txt"], "an export to a path of 259 characters")

    # The metafile: every label with real character advances, whole words in LibreOffice.
    emf = os.path.join(out, "bild.emf")
    export(driver, 6061, emf)
    home = os.path.join(out, "lo-home")
    subprocess.run(["soffice", "--headless", "--convert-to", "pdf", "--outdir", out, emf],
                   env=dict(os.environ, HOME=home), timeout=120, capture_output=True)
    labels, _ = words(os.path.join(out, "bild.pdf"))
    wide = {w: x2 - x1 for w, x1, _, x2, _ in labels if w in ("CH1:", "CH2:", "TB:")}
    checks.check(sorted(wide) == ["CH1:", "CH2:", "TB:"] and min(wide.values()) > 8,
                 f"LibreOffice shows the label words {wide}")
    starts = [round(x1) for _, x1, *_ in labels]
    checks.check(len(set(starts)) > len(starts) * 0.6, "no glyphs piled on one spot")

    print_page(driver, checks, out)

    # Files that cannot be written get a box, the old file as it was and no temporary file
    # left: a read-only one, and one that another program (a virus scanner) holds without
    # sharing its deletion; for a moment only, the export waits for it.
    failed = ("Fehler beim Anlegen der Datei !", "error")
    for name, mode, hold_ms, box in (("fest", 0o444, 0, failed), ("gehalten", 0o644, 200, None),
                                     ("gehalten", 0o644, 2000, failed)):
        path = os.path.join(out, f"{name}.txt")
        open(path, "w").write("old")
        os.chmod(path, mode)
        export(driver, 6001, path, overwrite=True, hold_ms=hold_ms)
        got = driver.box(f"{name}-{hold_ms}-box") if box else None
        checks.equal((got, open(path, "rb").read(6), glob.glob(os.path.join(out, "*.tmp"))),
                     (box, b"old" if box else b"\nVEXAL", []), f"{name}.txt, held for {hold_ms} ms")
    # A folder that does not exist: the save dialog says so and stays open.
    driver.dialog(6001, SAVE_AS)
    driver.cmd(f"set-text {FILE_NAME_BOX} Z:{out}/fehlt/x.txt".replace("/", "\\"))
    driver.cmd("press 1")
    driver.cmd("wait-dialog 5000")
    said = [text for cls, text in driver.dialog_controls().values() if cls == "static" and text]
    driver.press(1)
    if checks.check(said and "Fehler" not in said[0], f"a missing folder: the dialog's box {said}"):
        driver.cmd(f"wait-dialog 5000 {SAVE_AS}")
        driver.press(2)
    full = tempfile.mkdtemp()  # a 16 KB file system: the 20 KB text file does not fit
    if not as_root("mount", "-t", "tmpfs", "-o", f"size=16k,uid={os.getuid()}", "tmpfs", full):
        print("  skipped  a full disk: mounting a small file system needs root or sudo")
    else:
        try:
            open(f"{full}/voll.txt", "w").write("old")
            export(driver, 6001, f"{full}/voll.txt", overwrite=True)
            checks.equal((driver.box("full-box"), open(f"{full}/voll.txt").read(), os.listdir(full)),
                         (("Fehler beim Schreiben der Datei !", "error"), "old", ["voll.txt"]),
                         "a full disk: the box, the old file, nothing left over")
        finally:
            as_root("umount", full)
    os.rmdir(full)
    # All that, 50 repaints, both dialogs and the copy commands leave no GDI object behind.
    for n in range(50):
        driver.menu(6012 if n % 2 else 6013)
    for command, title, button in ((6060, "Interface-Einstellungen", 2), (6062, "Info", 1)):
        driver.dialog(command, title)
        driver.press(button)
    for command in (6070, 6071):  # "Bild kopieren", "Werte kopieren"
        driver.menu(command)
    # Each repaint makes a brush and three pens: the count saw them come and go.
    no_gdi_left(driver, checks, 50 * 4)

    # A saved export shown again, in folders with blanks, beyond 260 characters: named at start,
    # in quotes ("Öffnen mit") and without (a shortcut may), then dropped on the window.
    saved = {1: [(i // 8) % 256 for i in range(2048)], 2: [200 if i % 512 < 256 else 40
                                                           for i in range(2048)]}
    deep = os.path.join(cyrillic, *[f"Ordner {n} mit Leerzeichen" for n in range(12)])
    os.makedirs(deep, exist_ok=True)
    named = os.path.join(deep, "named.txt")
    open(named, "wb").write(text_file(time.localtime(), saved, crlf=True))
    for how, name in (("start-unquoted", named), ("start", f'"{named}"')):
        checks.equal(driver.close_and_wait(), 0, "exit code")  # the program before
        driver.start(name, how=how)
        picture = driver.screenshot(how)
        plot = Plot(picture)
        checks.check(plot.shown(picture, saved[1], CYAN) >= 0.9 and plot.shown(
            picture, saved[2], GREEN) >= 0.9, f"{how}, {len(named) + 2} characters: the file")
    dropped = os.path.join(deep, "dropped.txt")
    open(dropped, "wb").write(text_file(time.localtime(), {2: saved[1]}))
    driver.cmd(f'hold-file "{dropped}" 3000 r')  # open for writing in another program
    driver.hook("drop", dropped)
    picture = driver.screenshot("dropped")
    checks.check(plot.shown(picture, saved[1], GREEN) >= 0.9 and count(picture, CYAN, (
        40, 40, picture.shape[1] // 2, picture.shape[0] - 100)) == 0,
        "a dropped one-column file: channel 2 only")
    bad = os.path.join(out, "bad.txt")
    open(bad, "wb").write(text_file(time.localtime(), saved)[:-3])  # cut short
    driver.hook("drop", bad)
    checks.equal(driver.box("bad-box"), ("Datei ist keine Vexal-Ausgabe !", "error"), "a bad file")
    checks.check((driver.screenshot("bad") == picture).all(), "the traces stay")

    # Only a file is read: not a missing one, nor a serial port that never answers, named at
    # start (the box comes over the demonstration traces at once), nor a folder or port dropped.
    unread = ("Fehler beim Lesen der Datei !", "error")
    with Simulator(args, ["--silent"], name="silent"):
        for name in (os.path.join(out, "missing.txt"), "COM2"):
            driver.close_and_wait()  # the program before
            idle_ms = driver.start(name)
            checks.equal((driver.box("start-box"), idle_ms < 3000), (unread, True),
                         f"vexal.exe {name}: the box, within {idle_ms:.0f} ms of the start")
            checks.check(plot.shown(driver.screenshot("start"), demo(1), CYAN) >= 0.9,
                         "the demonstration traces behind it")
        for name in (out, "COM2"):
            driver.hook("drop", name)
            checks.equal(driver.box("drop-box"), unread, f"{name} dropped")
        checks.equal(driver.close_and_wait(), 0, "exit code")


def read_ppm(path):
    data = open(path, "rb").read()
    magic, width, height, depth, pixels = data.split(maxsplit=4)
    return numpy.frombuffer(pixels, numpy.uint8).reshape(int(height), int(width), 3)


if __name__ == "__main__":
    run(test)
