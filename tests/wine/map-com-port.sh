#!/bin/bash
# Maps a COM port of the build's Wine prefix to a Unix serial device or pty:
#   map-com-port.sh [<build-dir>] COM2 /path/to/pty-or-device
# The build folder defaults to $VEXAL_WINE_BUILD_DIR. Writes the prefix's
# registry value HKLM\Software\Wine\Ports (Wine rebuilds its device links from
# it whenever it starts) and points dosdevices/comN at the path, so that the
# running session sees the port at once. Give the pty a stable path (a symlink
# that the simulator keeps) rather than /dev/pts/N.
set -euo pipefail

if (($# == 3)); then
  build="$1"
  shift
elif (($# == 2)); then
  build="${VEXAL_WINE_BUILD_DIR:-}"
else
  echo "usage: $0 [<build-dir>] COMn <device-path>" >&2
  exit 2
fi
port="${1^^}"
path="$2"
if [[ ! "$port" =~ ^COM[1-9]$ ]]; then
  echo "map-com-port: $1 is no port COM1 to COM9" >&2
  exit 2
fi
if [[ -z "$build" || ! -f "$build/wine-session.env" ]]; then
  echo "map-com-port: no Wine session in '${build}' (start one with" \
    "tests/wine/wine-session.sh start <build-dir>, or set VEXAL_WINE_BUILD_DIR)" >&2
  exit 1
fi

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
WINEPREFIX=""
# shellcheck disable=SC1091
source "$build/wine-session.env"
# Detached streams: a Wine process must not hand its caller's pipes on.
VEXAL_WINE_BUILD_DIR="$build" "$here/run-in-wine.sh" reg add 'HKLM\Software\Wine\Ports' \
  /v "$port" /t REG_SZ /d "$path" /f </dev/null >/dev/null 2>&1
device="$WINEPREFIX/dosdevices/${port,,}"
rm -f "$device"
ln -s "$path" "$device"
echo "map-com-port: $port -> $path"
