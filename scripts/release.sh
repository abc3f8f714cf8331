#!/bin/bash
# The downloads: builds vexal.exe for 64-bit and 32-bit Windows (Release) and
# writes vexal-1.0-win64.zip, vexal-1.0-win32.zip (each: vexal.exe and
# LIESMICH.txt in vexal-1.0/) and SHA256SUMS into dist/, or into the folder
# given as the argument. Built again from the same commit, anywhere and in any
# time zone, the three files come out byte for byte the same.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd -P)"
dist="$(realpath -m "${1:-$root/dist}")"
bash "$root/scripts/setup-deps.sh"

# Zip entries carry the time of the last commit, not of the build.
if [[ "$(git -C "$root" rev-parse --show-toplevel 2>/dev/null)" != "$root" ]] ||
  ! SOURCE_DATE_EPOCH="$(git -C "$root" log -1 --format=%ct 2>/dev/null)"; then
  echo "release: $root has no git history, and the zip entries are dated from the last" \
    "commit: build the release from a git clone" >&2
  exit 1
fi
export SOURCE_DATE_EPOCH

rm -rf "$dist"
mkdir -p "$dist"
for target in x86_64:win64 i686:win32; do
  build="$root/build/release-${target#*:}"
  cmake -S "$root" -B "$build" --toolchain "$root/cmake/mingw-w64-${target%:*}.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DVEXAL_BUILD_TESTS=OFF >/dev/null
  cmake --build "$build" -j"${VEXAL_JOBS:-2}"
  # The zip writer stores each entry's date in local time, and its owner: in
  # UTC the date is the commit's time wherever the release is built, and under
  # fakeroot the owner is root whoever builds it.
  (cd "$build" && TZ=UTC fakeroot cpack -B "$build/package" >/dev/null)
  cp "$build/package/vexal-1.0-${target#*:}.zip" "$dist/"
done
(cd "$dist" && sha256sum vexal-1.0-win64.zip vexal-1.0-win32.zip >SHA256SUMS)
cat "$dist/SHA256SUMS"
