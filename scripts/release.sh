#!/bin/bash
# The downloads: builds vexal.exe for 64-bit and 32-bit Windows (Release) and
# writes dist/vexal-1.0-win64.zip, dist/vexal-1.0-win32.zip (each: vexal.exe and
# LIESMICH.txt in vexal-1.0/) and dist/SHA256SUMS. Built again from the same
# commit, anywhere, the three files come out byte for byte the same.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
dist="$root/dist"
bash "$root/scripts/setup-deps.sh"

# Zip entries carry the time of the last commit, not of the build.
SOURCE_DATE_EPOCH="$(git -C "$root" log -1 --format=%ct)"
export SOURCE_DATE_EPOCH

rm -rf "$dist"
mkdir -p "$dist"
for target in x86_64:win64 i686:win32; do
  build="$root/build/release-${target#*:}"
  cmake -S "$root" -B "$build" --toolchain "$root/cmake/mingw-w64-${target%:*}.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DVEXAL_BUILD_TESTS=OFF >/dev/null
  cmake --build "$build" -j"${VEXAL_JOBS:-2}" --target vexal
  (cd "$build" && cpack -B "$build/package" >/dev/null)
  cp "$build/package/vexal-1.0-${target#*:}.zip" "$dist/"
done
(cd "$dist" && sha256sum vexal-1.0-win64.zip vexal-1.0-win32.zip >SHA256SUMS)
cat "$dist/SHA256SUMS"
