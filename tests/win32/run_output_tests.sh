#!/bin/bash
# Runs the export tests under Wine:  run_output_tests.sh output_tests.exe <artifact-dir>
# As root it mounts a 16 KB tmpfs and maps it as a Wine drive, so the export
# meets a full disk for real (VEXAL_FULL_DRIVE); without root that case skips.
# The text export is left in <artifact-dir> for check_text_export.py.
set -uo pipefail
exe="$1"
artifacts="$2"
shift 2
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
wine_run="$here/../wine/run-in-wine.sh"

rm -rf "$artifacts"
mkdir -p "$artifacts"
export VEXAL_OUTPUT_ARTIFACTS="Z:${artifacts//\//\\}"

build="${VEXAL_WINE_BUILD_DIR:-}"
mount_dir=""
drive_link=""
cleanup() {
  [[ -n "$drive_link" ]] && rm -f "$drive_link"
  if [[ -n "$mount_dir" ]]; then
    umount "$mount_dir" 2>/dev/null
    rmdir "$mount_dir" 2>/dev/null
  fi
}
trap cleanup EXIT

if [[ -n "$build" && -f "$build/wine-session.env" && "$(id -u)" == 0 ]]; then
  # shellcheck disable=SC1091
  source "$build/wine-session.env"
  candidate="$(mktemp -d /tmp/vexal-full-disk.XXXXXX)"
  if mount -t tmpfs -o size=16k tmpfs "$candidate" 2>/dev/null; then
    mount_dir="$candidate"
    for letter in y x w v u t s r q p; do
      link="$WINEPREFIX/dosdevices/$letter:"
      if [[ ! -e "$link" && ! -L "$link" ]]; then
        ln -s "$mount_dir" "$link"
        drive_link="$link"
        export VEXAL_FULL_DRIVE="${letter^^}:"
        break
      fi
    done
  else
    rmdir "$candidate"
    echo "run_output_tests: cannot mount a tmpfs; the full-disk case is skipped" >&2
  fi
fi

"$wine_run" "$exe" --gtest_color=no "$@"
