"""The set-up step and the i386 probe on machines unlike the developers' own: a German
session, where lpstat speaks German, must not start a second cupsd; a $TMPDIR mounted
noexec must not make the machine count as one that cannot run i386 programs.
    scripts_test.py <source dir> <out folder>"""

import os
import subprocess
import sys

root, out = sys.argv[1:]
failures = []
os.makedirs(out, exist_ok=True)

# Stand-ins that only note their call: the set-up may ask for nothing while CUPS runs.
fake, called = os.path.join(out, "fake-bin"), os.path.join(out, "called")
os.makedirs(fake, exist_ok=True)
for name in ("cupsd", "sudo", "lpadmin"):
    with open(os.path.join(fake, name), "w") as script:
        script.write(f'#!/bin/sh\necho "{name} $*" >>"{called}"\n')
    os.chmod(os.path.join(fake, name), 0o755)
if os.path.exists(called):
    os.remove(called)
german = dict(os.environ, LANG="de_DE.UTF-8", LANGUAGE="de", LC_ALL="de_DE.UTF-8",
              PATH=f"{fake}:{os.environ['PATH']}")
said = subprocess.run(["lpstat", "-r"], env=german, capture_output=True, text=True).stdout.strip()
setup = subprocess.run(["bash", f"{root}/scripts/setup-deps.sh", "--for-tests"], env=german,
                       capture_output=True, text=True)
asked = open(called).read().strip() if os.path.exists(called) else ""
if setup.returncode or asked:
    failures.append(f"set-up in German (lpstat: {said!r}): exit {setup.returncode}, called {asked!r}")


def runs_i386(**env):
    probe = f"source {root}/scripts/wine-env.sh && vexal_runs_i386"
    return subprocess.run(["bash", "-c", probe], env=dict(os.environ, **env),
                          capture_output=True).returncode == 0


# A noexec $TMPDIR needs a mount, and so root or sudo without a password.
noexec = os.path.join(out, "noexec")
os.makedirs(noexec, exist_ok=True)
prefix = [] if os.geteuid() == 0 else ["sudo", "-n"]
mount = ["mount", "-t", "tmpfs", "-o", f"noexec,size=64k,uid={os.getuid()}", "tmpfs", noexec]
if subprocess.run(prefix + mount, capture_output=True).returncode:
    print("skipped: the noexec $TMPDIR needs root or sudo without a password")
else:
    try:
        if runs_i386(TMPDIR=noexec) != runs_i386():
            failures.append("a noexec $TMPDIR changes whether this machine runs i386 programs")
    finally:
        subprocess.run(prefix + ["umount", noexec])

print("\n".join(failures) or "set-up quiet in German; the i386 probe ignores a noexec $TMPDIR")
sys.exit(1 if failures else 0)
