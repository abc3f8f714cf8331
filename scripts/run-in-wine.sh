#!/bin/bash
# Runs a Windows program under Wine (scripts/wine-env.sh) in the build folder's Wine session:
#   run-in-wine.sh program.exe [arguments...]
# CMake uses it as CMAKE_CROSSCOMPILING_EMULATOR, so every test of the Windows
# build runs through it. The session (Xvfb, prefix, wineserver) is started by
# the CTest fixture "wine" (scripts/wine-session.sh); this script only joins
# it. The exit code is the Windows program's.
#
# The build folder is found from $VEXAL_WINE_BUILD_DIR, or else by walking up
# from the program's folder, then from the working folder, to the first folder
# holding a wine-session.env or a CMakeCache.txt.
set -uo pipefail

if (($# == 0)); then
  echo "usage: $0 program.exe [arguments...]" >&2
  exit 2
fi

find_build_dir() {
  local dir
  for dir in "$(dirname "$(readlink -f "$1")")" "$PWD"; do
    while [[ "$dir" != / && -n "$dir" ]]; do
      if [[ -f "$dir/wine-session.env" || -f "$dir/CMakeCache.txt" ]]; then
        echo "$dir"
        return 0
      fi
      dir="$(dirname "$dir")"
    done
  done
  return 1
}

build="${VEXAL_WINE_BUILD_DIR:-}"
if [[ -z "$build" ]]; then
  build="$(find_build_dir "$1")" || {
    echo "run-in-wine: cannot find the build folder of $1 (set VEXAL_WINE_BUILD_DIR)" >&2
    exit 125
  }
fi
state="$build/wine-session.env"
if [[ ! -f "$state" ]]; then
  echo "run-in-wine: no Wine session in $build: run the test through ctest (fixture" \
    "\"wine\") or start one with scripts/wine-session.sh start $build" >&2
  exit 125
fi
# shellcheck disable=SC1090
source "$state"
if [[ ! -f "$WINEPREFIX/.vexal-prefix-ready" ]]; then
  echo "run-in-wine: the Wine prefix $WINEPREFIX is not ready" >&2
  exit 125
fi

export WINEPREFIX DISPLAY
# shellcheck source=wine-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
# Wine's own dialogs (the save dialog's "Save As") speak the locale of the
# process: the tests and the headless run look for the English captions,
# whatever language the developer's session has. VEXAL_WINE_CTYPE gives the
# programs another character type, and with it Wine's ANSI code page (UTF-8,
# 65001, for hi_IN.UTF-8, found through LOCPATH), the captions staying English.
if [[ -n "${VEXAL_WINE_CTYPE:-}" ]]; then
  for category in $(compgen -e | grep '^LC_'); do unset "$category"; done
  export LANG=C.UTF-8 LC_CTYPE="$VEXAL_WINE_CTYPE"
else
  export LC_ALL=C.UTF-8
fi
exec "$WINELOADER" "$@"
