# How this project calls Wine, in one place; sourced by every script that runs it
# (the run, test and release commands, the Wine session, the benchmarks, the tests).
#
#  - Every Wine program is started by the 64-bit loader, named in WINELOADER.
#    /usr/bin/wine takes the 32-bit loader as soon as wine32 is installed, and on
#    a kernel that cannot run i386 programs that loader fails at once ("Exec
#    format error"). A 64-bit program that starts a 32-bit one still gets the
#    32-bit loader: Wine finds it beside WINELOADER.
#  - vexal_runs_i386 tells whether this machine runs i386 programs at all: some
#    amd64 kernels have no IA32 emulation (some virtual machines, WSL 1). Only
#    where they run is wine32 installed and the 32-bit program tested.
#    VEXAL_NO_I386=1 makes a machine that can count as one that cannot, to try
#    that path.

export WINELOADER=/usr/lib/wine/wine64
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all

# As the command `wine`, through the 64-bit loader. `setsid` and `exec` take "$WINELOADER".
wine() { "$WINELOADER" "$@"; }

# A static i386 program of 96 bytes that only exits with code 42. It runs from the
# checkout's build folder, where the programs of the build run, and else from
# $TMPDIR: a folder mounted noexec refuses every program, which says nothing
# about i386. Only the kernel's "Exec format error" means no i386 here; a probe
# that cannot run anywhere for another reason is said so, and counts as running.
vexal_runs_i386() {
  [[ "${VEXAL_NO_I386:-}" != 1 ]] || return 1
  local dir probe said status build
  build="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build"
  for dir in "$build" "${TMPDIR:-/tmp}"; do
    mkdir -p "$dir" 2>/dev/null && probe="$(mktemp "$dir/.vexal-i386.XXXXXX" 2>/dev/null)" ||
      continue
    printf '%b' '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00' \
      '\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00' \
      '\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80' \
      '\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00' \
      '\xbb\x2a\x00\x00\x00\xb8\x01\x00\x00\x00\xcd\x80' >"$probe"
    chmod +x "$probe"
    status=0
    # The shell's own words for a failed start, untranslated.
    said="$(export LC_ALL=C && "$probe" 2>&1)" || status=$?
    rm -f "$probe"
    ((status == 42)) && return 0
    [[ "$said" == *"Exec format error"* ]] && return 1
  done
  echo "wine-env: the i386 probe did not run (${said:-no folder to put it in}); counting" \
    "this machine as one that runs i386 programs" >&2
  return 0
}

# Why 32-bit Windows programs cannot run here, or nothing when they can.
vexal_no_32bit_wine() {
  if [[ "${VEXAL_NO_I386:-}" == 1 ]]; then
    echo "VEXAL_NO_I386=1 makes it count as a machine that cannot run i386 programs"
  elif ! vexal_runs_i386; then
    echo "this machine's kernel does not run i386 programs, so neither does 32-bit Wine"
  elif [[ ! -x /usr/lib/wine/wine ]]; then
    echo "wine32 is not installed (scripts/setup-deps.sh --for-tests installs it)"
  fi
}
