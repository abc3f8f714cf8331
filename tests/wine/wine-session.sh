#!/bin/bash
# Starts and stops the Wine session that the Windows tests, the run command and
# the benchmarks share: one Xvfb on a free display, the Wine prefix inside the
# build folder, and one persistent wineserver, so that each Wine process starts
# in tens of milliseconds instead of over a second.
#
#   wine-session.sh start <build-dir>   Xvfb + prefix (created once) + wineserver -p
#   wine-session.sh stop  <build-dir>   wineserver -k, Xvfb stopped
#   wine-session.sh prefix <build-dir>  only make sure the prefix exists (uses $DISPLAY)
#
# The state goes to <build-dir>/wine-session.env (WINEPREFIX, DISPLAY, Xvfb pid);
# tests/wine/run-in-wine.sh reads it. Everything started here is detached
# (setsid, stdio to log files), so CTest does not wait for it.
set -euo pipefail

usage() { echo "usage: $0 start|stop|prefix <build-dir>" >&2; exit 2; }
(($# == 2)) || usage
action="$1"
mkdir -p "$2"
build="$(cd "$2" && pwd)"
state="$build/wine-session.env"
logs="$build/wine-logs"
mkdir -p "$logs"

export WINEPREFIX="$build/wineprefix"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEDEBUG=-all
ready_mark="$WINEPREFIX/.vexal-prefix-ready"

log() { echo "wine-session: $*" >&2; }

stop_xvfb() {
  local pid="$1"
  [[ -n "$pid" ]] || return 0
  if [[ "$(cat "/proc/$pid/comm" 2>/dev/null)" == Xvfb ]]; then
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || return 0; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null || true
  fi
}

stop_session() {
  if [[ -f "$state" ]]; then
    # shellcheck disable=SC1090
    local VEXAL_XVFB_PID=""
    source "$state"
    wineserver -k >/dev/null 2>&1 || true
    stop_xvfb "$VEXAL_XVFB_PID"
    rm -f "$state"
  else
    wineserver -k >/dev/null 2>&1 || true
  fi
}

# Starts Xvfb on the first free display from :100 up (low numbers are left to
# people and their own experiments). Sets DISPLAY and xvfb_pid.
start_xvfb() {
  local n
  for n in $(seq 100 199); do
    [[ -e "/tmp/.X$n-lock" || -e "/tmp/.X11-unix/X$n" ]] && continue
    setsid Xvfb ":$n" -screen 0 1920x1200x24 -nolisten tcp -noreset \
      </dev/null >"$logs/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
      if ! kill -0 "$xvfb_pid" 2>/dev/null; then break; fi  # lost a race for :n
      if [[ -S "/tmp/.X11-unix/X$n" ]] && xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null || true
  done
  log "could not start Xvfb (see $logs/xvfb.log)"
  return 1
}

# Creates the prefix once; later calls find the mark and return at once.
ensure_prefix() {
  [[ -f "$ready_mark" && -f "$WINEPREFIX/system.reg" ]] && return 0
  log "creating the Wine prefix $WINEPREFIX (once per build folder)"
  wineserver -k >/dev/null 2>&1 || true
  rm -rf "$WINEPREFIX"
  setsid wineboot -i </dev/null >"$logs/wineboot.log" 2>&1
  # Let the server write the registry to disk before the prefix counts as ready.
  wineserver -w
  if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
    log "wineboot did not create the prefix (see $logs/wineboot.log)"
    return 1
  fi
  touch "$ready_mark"
}

# On Xvfb there is no window manager, and Wine waits two seconds for one each
# time a managed window is hidden or destroyed; unmanaged windows skip that.
# With a real display (the run command) the window manager gets them back.
x11_key='HKCU\Software\Wine\X11 Driver'
unmanaged() { grep -q '^"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; }
set_unmanaged() {
  unmanaged || wine reg add "$x11_key" /v Managed /d N /f </dev/null >/dev/null 2>&1
}
set_managed() {
  if unmanaged; then
    wine reg delete "$x11_key" /v Managed /f </dev/null >/dev/null 2>&1 || true
  fi
}

case "$action" in
  start)
    stop_session  # a previous run that was cut short may have left one behind
    start_xvfb
    ensure_prefix
    setsid wineserver -p </dev/null >"$logs/wineserver.log" 2>&1
    # Start Wine's own background processes (services, the desktop window) now,
    # detached: a test program that started them would pass them its output
    # pipe, and CTest would wait for that pipe as long as the session lives.
    setsid wine wineboot </dev/null >>"$logs/wineboot.log" 2>&1
    set_unmanaged
    {
      echo "WINEPREFIX='$WINEPREFIX'"
      echo "DISPLAY='$DISPLAY'"
      echo "VEXAL_XVFB_PID='$xvfb_pid'"
    } >"$state"
    log "Xvfb on $DISPLAY (pid $xvfb_pid), prefix $WINEPREFIX, wineserver running"
    ;;
  stop)
    stop_session
    log "stopped"
    ;;
  prefix)
    ensure_prefix
    set_managed
    ;;
  *) usage ;;
esac
