#!/bin/bash
# THE run command: installs what is missing, cross-builds vexal.exe and runs it
# under Wine, in the Wine prefix build/win/wineprefix.
#  - With a display ($DISPLAY set): opens the Vexal window; returns when it closes.
#  - Without one: starts its own Xvfb, waits for the first paint, saves a PNG
#    screenshot of the window into build/, prints its path, closes the program
#    and exits 0.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"
win="$build/win"
jobs="${VEXAL_JOBS:-2}"

bash "$root/scripts/setup-deps.sh"

cmake -S "$root" -B "$win" --toolchain "$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$win" -j"$jobs" --target vexal vexal_drive

vexal="$win/src/vexal.exe"
drive="$win/tools/vexal_drive/vexal_drive.exe"
session="$root/scripts/wine-session.sh"

# --- instrument link (owned by the link subsystem) -------------------------
# COM2 of the prefix leads to the device simulator (tools/vexal_sim) on a
# pseudo-terminal, or, given a device (scripts/run.sh /dev/ttyUSB0), to a real
# interface on that serial device. The simulator ends together with this run.
device="${1:-}"
cmake --build "$win" -j"$jobs" --target vexal_sim_host >/dev/null
connect_interface() {
  VEXAL_SIM_OPTIONS="--watch-pid $$ ${VEXAL_SIM_OPTIONS:-}" \
    bash "$root/tools/vexal_sim/connect-interface.sh" start "$win" ${device:+"$device"}
}
# --- end of instrument link -------------------------------------------------

if [[ -n "${DISPLAY:-}" ]]; then
  bash "$session" prefix "$win"
  connect_interface  # instrument link
  # shellcheck source=wine-env.sh
  source "$root/scripts/wine-env.sh"
  export WINEPREFIX="$win/wineprefix"
  cd "$(dirname "$vexal")"
  exec "$WINELOADER" "$vexal"
fi

# Headless: our own Xvfb and Wine session, stopped again on the way out.
bash "$session" start "$win"
trap 'bash "$session" stop "$win" >/dev/null 2>&1 || true' EXIT
connect_interface  # instrument link

shot="$build/vexal-window.png"
bmp="$win/vexal-window.bmp"
rm -f "$shot" "$bmp"
# Hook for the headless read-out: add driver commands here (menu 6058 for
# "Direkt auslesen", wait-dialog/press for its message box, menu 6001/6061 for
# the exports) before the screenshot.
# --- output: export the samples and the picture next to the screenshot -------
# "Als Textdatei exportieren..." (6001) and "Als Grafik exportieren..." (6061)
# through the real save dialog: the path is typed into its file-name box (cmb13).
text_export="$build/vexal-export.txt"
metafile_export="$build/vexal-export.emf"
rm -f "$text_export" "$metafile_export"
export_steps=()
for pair in "6001 $text_export" "6061 $metafile_export"; do
  unix_path="${pair#* }"
  export_steps+=("menu ${pair%% *}" "wait-dialog 10000 Save As"
    "set-text 1148 Z:${unix_path//\//\\}" "press 1" "wait-gone 10000" "sync")
done
# --- end output --------------------------------------------------------------
"$root/scripts/run-in-wine.sh" "$drive" \
  "start $vexal" \
  "menu 6058" "wait-dialog 10000 Vexal" "dialog-text" "press 1" "wait-gone 5000" "sync" \
  "${export_steps[@]}" \
  "screenshot main $bmp" \
  "close" \
  "wait-exit 10000"
convert "$bmp" "$shot"
echo "Screenshot of the Vexal window: $shot"
echo "Text export of the samples: $text_export"  # output
echo "Metafile export of the picture: $metafile_export"  # output
