"""The release as the README builds it: scripts/release.sh, run in a time zone far
from UTC, dates every zip entry with the last commit's time in UTC, writes
SHA256SUMS of its zips, and ships the same vexal.exe bytes as the test builds
made in other folders (the folder given and the checkout: see below), with LIESMICH.txt,
Windows-1252 with CR LF, at most about 120 lines, quoting exactly the error texts that the
program shows, and KISS FFT's licence, with CR LF.
    release_test.py <source dir> <out folder> <vexal.exe, 64-bit> [<vexal.exe, 32-bit>]"""

import codecs
import glob
import hashlib
import os
import re
import shutil
import subprocess
import sys
import time
import zipfile

root, out, *programs = sys.argv[1:]
failures = []

def release(folder, release_sh=f"{root}/scripts/release.sh", **env):
    return subprocess.run(["bash", release_sh, folder], stdout=subprocess.DEVNULL,
                          stderr=subprocess.PIPE, text=True, env=dict(os.environ, **env))


def contents(folder):
    """{name: bytes} of every file in a folder, and its subfolders by name."""
    return {name: open(path, "rb").read() if os.path.isfile(path) else "folder"
            for name in os.listdir(folder) for path in [os.path.join(folder, name)]}


# The folder given holds the user's own files: they stay, beside the three downloads.
dist = os.path.join(out, "dist")
shutil.rmtree(dist, ignore_errors=True)
os.makedirs(os.path.join(dist, "photos"))
open(os.path.join(dist, "notes.txt"), "w").write("mine\n")
mine = contents(dist)
done = release(dist, TZ="Pacific/Chatham")
if done.returncode:
    sys.exit(f"release.sh failed: {done.stderr}")
made = contents(dist)
if {name: made.get(name) for name in mine} != mine or len(made) != len(mine) + 3:
    failures.append(f"release.sh {dist} left {sorted(made)}, not notes.txt, photos/ and its files")

# A build that fails half-way through the zip leaves the folder exactly as it was.
fake = os.path.join(out, "failing-cpack")
os.makedirs(fake, exist_ok=True)
with open(os.path.join(fake, "cpack"), "w") as script:
    script.write('#!/bin/sh\nmkdir -p "$2" && printf PK >"$2/vexal-1.0-win64.zip"; exit 1\n')
os.chmod(os.path.join(fake, "cpack"), 0o755)
failed = release(dist, PATH=f"{fake}:{os.environ['PATH']}")
if failed.returncode == 0 or contents(dist) != made:
    failures.append(f"a failed build (exit {failed.returncode}) changed {dist}: {sorted(contents(dist))}")

# The checkout itself, or a folder around it, is refused before anything is built. A copy of
# the command in a checkout of its own stands in, so that a fault costs the copy only.
checkout = os.path.join(out, "around", "checkout")
os.makedirs(os.path.join(checkout, "scripts"), exist_ok=True)
shutil.copy(f"{root}/scripts/release.sh", os.path.join(checkout, "scripts"))
for folder in (checkout, os.path.dirname(checkout), checkout + "/scripts/.."):
    refused = release(folder, os.path.join(checkout, "scripts", "release.sh"))
    if refused.returncode != 2 or len(refused.stderr.splitlines()) != 1 or \
            not os.path.isfile(os.path.join(checkout, "scripts", "release.sh")):
        failures.append(f"release.sh {folder}: exit {refused.returncode}, said {refused.stderr!r}")
commit = int(subprocess.run(["git", "-C", root, "log", "-1", "--format=%ct"], capture_output=True,
                            text=True, check=True).stdout)
stamp = time.gmtime(commit - commit % 2)[:6]  # a zip's time has steps of 2 s
sums = dict(reversed(line.split()) for line in open(f"{dist}/SHA256SUMS"))
for bits, program in zip(("win64", "win32"), programs):
    name = f"vexal-1.0-{bits}.zip"
    if hashlib.sha256(open(f"{dist}/{name}", "rb").read()).hexdigest() != sums.get(name):
        failures.append(f"SHA256SUMS does not match {name}")
    with zipfile.ZipFile(f"{dist}/{name}") as archive:
        dated = {entry.filename: entry.date_time for entry in archive.infolist()}
        if archive.read("vexal-1.0/vexal.exe") != open(program, "rb").read():
            failures.append(f"vexal.exe in {name} differs from {program}")
        licence = "vexal-1.0/KISSFFT-LIZENZ.txt"
        licence = archive.read(licence) if licence in dated else b""
        if b"Mark Borgerding" not in licence or re.search(rb"(?<!\r)\n", licence):
            failures.append(f"{name}: KISS FFT's licence is not there with CR LF line ends")
    failures += [f"{name}: {entry} is dated {when}, not {stamp} (the commit, UTC)"
                 for entry, when in dated.items() if when != stamp]
    if sorted(dated) != ["vexal-1.0/", "vexal-1.0/KISSFFT-LIZENZ.txt", "vexal-1.0/LIESMICH.txt",
                         "vexal-1.0/vexal.exe"]:
        failures.append(f"{name} holds {sorted(dated)}")

text = open(f"{root}/res/LIESMICH.txt", "rb").read().decode("cp1252")
if re.search(r"\r(?!\n)|(?<!\r)\n", text) or not text.endswith("\r\n"):
    failures.append("LIESMICH.txt has line ends other than CR LF")
if text.count("\r\n") > 120:
    failures.append(f"LIESMICH.txt has {text.count(chr(10))} lines")
quoted = set(re.findall(r'"([^"]+ !)"', text))
# The program's own texts: its string literals that end in " !" (adjacent
# literals joined, escapes such as \xD6 decoded), outside comments.
shown, literal = set(), r'"((?:[^"\\\n]|\\.)*)"'
for path in glob.glob(f"{root}/src/**/*.cpp", recursive=True):
    source = re.sub(r"//[^\n]*|'(?:[^'\\]|\\.)'", "", open(path, encoding="utf-8").read())
    for run in re.finditer(rf"{literal}(?:\s*{literal})*", source):
        joined = "".join(re.findall(literal, run.group(0))).encode("latin-1")
        shown.add(codecs.decode(joined, "unicode_escape"))
shown = {t for t in shown if t.endswith(" !") and len(t) > 4}
failures += [f'LIESMICH.txt quotes "{t}", which the program never shows' for t in quoted - shown]
failures += [f'LIESMICH.txt does not explain "{t}"' for t in shown - quoted]

print("\n".join(failures) or f"{sorted(sums)} as SHA256SUMS says, dated {stamp}, the same programs"
      f" as the test builds; LIESMICH.txt explains all {len(shown)} error texts")
sys.exit(1 if failures else 0)
