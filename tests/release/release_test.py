"""The release as the README builds it: scripts/release.sh, run in a time zone far
from UTC, dates every zip entry with the last commit's time in UTC, writes
SHA256SUMS of its zips, and ships the same vexal.exe bytes as the test builds
made in other folders. LIESMICH.txt is Windows-1252 with CR LF, at most about
80 lines, and quotes exactly the error texts that the program shows.
    release_test.py <source dir> <out folder> <vexal.exe, 64-bit> [<vexal.exe, 32-bit>]"""

import codecs
import glob
import hashlib
import os
import re
import subprocess
import sys
import time
import zipfile

root, out, *programs = sys.argv[1:]
failures = []

dist = os.path.join(out, "dist")
subprocess.run(["bash", f"{root}/scripts/release.sh", dist], check=True, stdout=subprocess.DEVNULL,
               env=dict(os.environ, TZ="Pacific/Chatham"))
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
    failures += [f"{name}: {entry} is dated {when}, not {stamp} (the commit, UTC)"
                 for entry, when in dated.items() if when != stamp]
    if sorted(dated) != ["vexal-1.0/", "vexal-1.0/LIESMICH.txt", "vexal-1.0/vexal.exe"]:
        failures.append(f"{name} holds {sorted(dated)}")

guide = open(f"{root}/res/LIESMICH.txt", "rb").read()
text = guide.decode("cp1252")
if re.search(r"\r(?!\n)|(?<!\r)\n", text) or not text.endswith("\r\n"):
    failures.append("LIESMICH.txt has line ends other than CR LF")
if text.count("\r\n") > 80:
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
