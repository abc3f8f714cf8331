"""The release: vexal.exe built again in another folder, at another time, has
the same bytes; LIESMICH.txt is Windows-1252 with CR LF, at most about 80 lines,
and quotes exactly the error texts that the program shows.
    release_test.py <source dir> <toolchain file> <vexal.exe of the build>"""

import codecs
import glob
import re
import subprocess
import sys
import tempfile

root, toolchain, exe = sys.argv[1:4]
program = open(exe, "rb").read()
failures = []

with tempfile.TemporaryDirectory(prefix="vexal-again-") as again:
    for step in (["-S", root, "-B", again, "--toolchain", toolchain, "-DCMAKE_BUILD_TYPE=Release",
                  "-DVEXAL_BUILD_TESTS=OFF"], ["--build", again, "-j2", "--target", "vexal"]):
        subprocess.run(["cmake", *step], check=True, stdout=subprocess.DEVNULL)
    if open(f"{again}/src/vexal.exe", "rb").read() != program:
        failures.append(f"vexal.exe built in {again} differs from {exe}")

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

print("\n".join(failures) or f"same bytes again; LIESMICH.txt explains all {len(shown)} error texts")
sys.exit(1 if failures else 0)
