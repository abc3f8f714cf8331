#!/bin/bash
# The downloads: builds vexal.exe for 64-bit and 32-bit Windows (Release) and
# writes vexal-1.0-win64.zip, vexal-1.0-win32.zip (each: vexal.exe, LIESMICH.txt
# and KISSFFT-LIZENZ.txt in vexal-1.0/) and SHA256SUMS into dist/, or into the folder
# given as the argument. Built again from the same commit, anywhere and in any
# time zone, the three files come out byte for byte the same.
#
# The folder may hold other files: only these three are written there, each
# under a temporary name first and renamed once both zips are built, so a
# failed build leaves the folder as it was.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd -P)"
dist="$(realpath -m "${1:-$root/dist}")"
files=(vexal-1.0-win64.zip vexal-1.0-win32.zip SHA256SUMS)

# The checkout itself, or a folder holding it, is no place for downloads.
if [[ "$dist" == "$root" || "$dist" == / || "$root" == "$dist"/* ]]; then
  echo "release: $dist is the checkout $root or a folder around it: name a folder" \
    "for the downloads outside the checkout, or one inside it such as dist/" >&2
  exit 2
fi

bash "$root/scripts/setup-deps.sh"

# Zip entries carry the time of the last commit, not of the build.
if [[ "$(git -C "$root" rev-parse --show-toplevel 2>/dev/null)" != "$root" ]] ||
  ! SOURCE_DATE_EPOCH="$(git -C "$root" log -1 --format=%ct 2>/dev/null)"; then
  echo "release: $root has no git history, and the zip entries are dated from the last" \
    "commit: build the release from a git clone" >&2
  exit 1
fi
export SOURCE_DATE_EPOCH

staged="$root/build/release-staged"
rm -rf "$staged"
mkdir -p "$staged"
for target in x86_64:win64 i686:win32; do
  build="$root/build/release-${target#*:}"
  cmake -S "$root" -B "$build" --toolchain "$root/cmake/mingw-w64-${target%:*}.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DVEXAL_BUILD_TESTS=OFF >/dev/null
  cmake --build "$build" -j"${VEXAL_JOBS:-2}"
  # The zip writer stores each entry's date in local time, and its owner: in
  # UTC the date is the commit's time wherever the release is built, and under
  # fakeroot the owner is root whoever builds it.
  rm -f "$build/package/vexal-1.0-${target#*:}.zip"
  (cd "$build" && TZ=UTC fakeroot cpack -B "$build/package" >/dev/null)
  cp "$build/package/vexal-1.0-${target#*:}.zip" "$staged/"
done
(cd "$staged" && sha256sum "${files[@]:0:2}" >SHA256SUMS)

# Into the folder: temporary names beside the final ones (the same file system,
# so each rename is whole), removed again should a copy fail.
mkdir -p "$dist"
temporary=()
trap 'rm -f "${temporary[@]}"' EXIT
for file in "${files[@]}"; do
  temporary+=("$(mktemp "$dist/.$file.XXXXXX")")
  cp "$staged/$file" "${temporary[-1]}"
  chmod 644 "${temporary[-1]}"
done
for i in "${!files[@]}"; do
  mv -fT "${temporary[$i]}" "$dist/${files[$i]}"
done
temporary=()
rm -rf "$staged"
cat "$dist/SHA256SUMS"
