#!/bin/bash
# Puts an interface behind COM2 of a Windows build's Wine prefix, for the run
# command: the device simulator on a pseudo-terminal, or a real interface on a
# serial device of this machine.
#
#   connect-interface.sh start <win-build-dir> [device [COMn]]
#       Without a device: starts vexal_sim (host-built in <win-build-dir>/host)
#       in the background on <win-build-dir>/sim-links/com2 and maps COM2 to it.
#       With a device (e.g. /dev/ttyUSB0): maps COM2 (or COMn) to it instead.
#   connect-interface.sh stop <win-build-dir>
#       Stops a simulator started here.
#
# The build's Wine prefix must exist (scripts/wine-session.sh prefix|start).
# Extra simulator options can be given in VEXAL_SIM_OPTIONS, e.g.
# "--watch-pid $$ --wave1 square" (see vexal_sim --help).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
usage() { echo "usage: $0 start <win-build-dir> [device [COMn]] | stop <win-build-dir>" >&2; exit 2; }
(($# >= 2)) || usage
action="$1"
build="$(cd "$2" && pwd)"
links="$build/sim-links"
pidfile="$links/vexal_sim.pid"
mkdir -p "$links"
# shellcheck source=../../scripts/wine-env.sh
source "$root/scripts/wine-env.sh"

stop_simulator() {
  if [[ -f "$pidfile" ]]; then
    local pid
    pid="$(cat "$pidfile")"
    if [[ "$(cat "/proc/$pid/comm" 2>/dev/null)" == vexal_sim ]]; then
      kill "$pid" 2>/dev/null || true
      for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    fi
    rm -f "$pidfile"
  fi
}

# COMn -> path: the registry value lasts (Wine rebuilds its device links from
# it when it starts), the device link makes it work at once.
map_port() {
  local port="$1" path="$2"
  WINEPREFIX="$build/wineprefix" wine reg add 'HKLM\Software\Wine\Ports' /v "$port" /t REG_SZ \
    /d "$path" /f </dev/null >/dev/null 2>&1
  local device="$build/wineprefix/dosdevices/${port,,}"
  rm -f "$device"
  ln -s "$path" "$device"
}

case "$action" in
  start)
    port="${4:-COM2}"
    if (($# >= 3)); then
      device="$3"
      if [[ ! -c "$device" ]]; then
        echo "connect-interface: $device is no character device" >&2
        exit 1
      fi
      if [[ ! -r "$device" || ! -w "$device" ]]; then
        echo "connect-interface: no access to $device (add yourself to its group," \
          "e.g. 'sudo usermod -aG dialout $USER', and log in again)" >&2
        exit 1
      fi
      map_port "$port" "$device"
      echo "connect-interface: $port -> $device"
    else
      simulator="$build/host/vexal_sim/vexal_sim"
      if [[ ! -x "$simulator" ]]; then
        echo "connect-interface: no simulator at $simulator (build $build first)" >&2
        exit 1
      fi
      stop_simulator
      # shellcheck disable=SC2086
      setsid "$simulator" --link "$links/com2" ${VEXAL_SIM_OPTIONS:-} \
        </dev/null >"$links/vexal_sim.out" 2>"$links/vexal_sim.log" &
      echo $! >"$pidfile"
      for _ in $(seq 50); do
        grep -q '^ready' "$links/vexal_sim.out" 2>/dev/null && break
        sleep 0.1
      done
      if ! grep -q '^ready' "$links/vexal_sim.out"; then
        echo "connect-interface: the simulator did not start (see $links/vexal_sim.log)" >&2
        exit 1
      fi
      map_port "$port" "$links/com2"
      echo "connect-interface: $port -> vexal_sim on $(cut -d' ' -f2 "$links/vexal_sim.out")"
    fi
    ;;
  stop) stop_simulator ;;
  *) usage ;;
esac
