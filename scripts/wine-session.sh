#!/bin/bash
# The Wine session that the Windows tests, the run command and the benchmarks
# share: Xvfb with a window manager on a free display, the Wine prefix inside
# the build folder, and one persistent wineserver, so that each Wine process
# starts in tens of milliseconds instead of over a second.
#
#   wine-session.sh start <build-dir>   ends what an earlier session of this
#                                       folder left running, then starts one
#   wine-session.sh stop  <build-dir>
#   wine-session.sh prefix <build-dir>  only make sure the prefix exists and starts
#
# The state goes to <build-dir>/wine-session.env (WINEPREFIX, DISPLAY, pids) as
# soon as there is something to stop; scripts/run-in-wine.sh reads it.
# Everything started here is detached (setsid, stdio to log files), so CTest
# does not wait for it.
set -euo pipefail

(($# == 2)) || { echo "usage: $0 start|stop|prefix <build-dir>" >&2; exit 2; }
action="$1"
mkdir -p "$2"
build="$(cd "$2" && pwd)"
state="$build/wine-session.env"
logs="$build/wine-logs"
mkdir -p "$logs"

# shellcheck source=wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
export WINEPREFIX="$build/wineprefix"
ready_mark="$WINEPREFIX/.vexal-prefix-ready"

fail() { echo "wine-session: $*" >&2; exit 1; }

stop_session() {
  wineserver -k >/dev/null 2>&1 || true
  [[ -f "$state" ]] || return 0
  local pid
  for pid in $(sed -n 's/^VEXAL_.*_PID=.\([0-9]*\).$/\1/p' "$state"); do
    if [[ "$(cat "/proc/$pid/comm" 2>/dev/null)" =~ ^(Xvfb|matchbox) ]]; then
      kill "$pid" 2>/dev/null || true
      for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    fi
  done
  rm -f "$state"
}

# Xvfb on the first free display from :100 up, and a window manager on it:
# without one, Wine waits two seconds for every closed window to be withdrawn.
start_display() {
  local n pid
  for n in $(seq 100 199); do
    [[ -e "/tmp/.X$n-lock" || -e "/tmp/.X11-unix/X$n" ]] && continue
    setsid Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset \
      </dev/null >"$logs/xvfb.log" 2>&1 &
    pid=$!
    echo "VEXAL_XVFB_PID='$pid'" >"$state"
    for _ in $(seq 100); do
      kill -0 "$pid" 2>/dev/null || break  # lost a race for :n
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=":$n"
        setsid matchbox-window-manager -use_titlebar no </dev/null >"$logs/wm.log" 2>&1 &
        echo "VEXAL_WM_PID='$!'" >>"$state"
        return 0
      fi
      sleep 0.1
    done
    kill "$pid" 2>/dev/null || true
  done
  fail "could not start Xvfb (see $logs/xvfb.log): is the xvfb package installed?"
}

# A prefix that no longer starts (say, wine32 was installed after it was made:
# "could not load kernel32.dll") is renewed, or else made afresh: it holds
# nothing of the user's. When Wine itself cannot run, the prefix is not to blame
# and stays.
# Where 32-bit Wine can run, the prefix's 32-bit side must start too: a prefix made
# before wine32 was installed has none, and no update gives it one.
starts() {
  local reg
  for reg in reg $([[ -n "$(vexal_no_32bit_wine)" ]] || echo 'C:\windows\syswow64\reg.exe'); do
    wine "$reg" query 'HKLM\Software\Wine' </dev/null >/dev/null 2>&1 || return 1
  done
}
wine_runs() {
  local said
  [[ -x "$WINELOADER" ]] || fail "no 64-bit Wine at $WINELOADER: install wine64 (scripts/setup-deps.sh)"
  said="$("$WINELOADER" --version 2>&1 </dev/null)" ||
    fail "Wine itself cannot run on this machine ($WINELOADER --version: $said);" \
      "the prefix $WINEPREFIX is left as it is"
}
ensure_prefix() {
  wine_runs
  # Earlier test sessions made Wine's windows unmanaged; a window manager runs now.
  if grep -q '^"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    wine reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f </dev/null >/dev/null 2>&1 || true
  fi
  if [[ -f "$ready_mark" ]] && starts; then return 0; fi
  if [[ -f "$ready_mark" ]]; then
    echo "wine-session: the Wine prefix $WINEPREFIX does not start; renewing it" >&2
    wine wineboot -u </dev/null >"$logs/wineboot.log" 2>&1 || true
    wineserver -w
    starts && return 0
  fi
  echo "wine-session: creating the Wine prefix $WINEPREFIX (once per build folder)" >&2
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
  setsid "$WINELOADER" wineboot -i </dev/null >"$logs/wineboot.log" 2>&1 || true
  wineserver -w  # the registry is on disk before the prefix counts as ready
  starts || fail "Wine cannot start a program in the new prefix $WINEPREFIX (see" \
    "$logs/wineboot.log)"
  touch "$ready_mark"
}

case "$action" in
  start)
    stop_session
    start_display
    ensure_prefix
    wineserver -k >/dev/null 2>&1 || true  # the check's server; the session's own is persistent
    wineserver -w
    setsid wineserver -p </dev/null >"$logs/wineserver.log" 2>&1
    # Wine's own background processes (services, the desktop window), detached:
    # a test program that started them would hand them its output pipe, and
    # CTest would wait for that pipe as long as the session lives.
    setsid "$WINELOADER" wineboot </dev/null >>"$logs/wineboot.log" 2>&1
    echo "WINEPREFIX='$WINEPREFIX'" >>"$state"
    echo "DISPLAY='$DISPLAY'" >>"$state"
    echo "wine-session: $DISPLAY, prefix $WINEPREFIX, wineserver running" >&2
    ;;
  stop) stop_session ;;
  prefix) ensure_prefix ;;
  *) fail "unknown action $action" ;;
esac
