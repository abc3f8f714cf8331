#!/bin/bash
# THE test command: installs what is missing, builds the native tree (core and
# its tests under ASan/UBSan) and the Windows trees (cross-built with MinGW-w64,
# 64-bit with every test, 32-bit every target without tests), and runs every test
# through one CTest run, ending with its summary.
# The Windows tests run under Wine in build/win/wineprefix on a private Xvfb.
# The exit code is CTest's. Extra arguments go to ctest (e.g. -R startup).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"
jobs="${VEXAL_JOBS:-2}"

# The 32-bit program is tested under 32-bit Wine as well, where this machine
# runs i386 programs; the print tests print to a CUPS PDF queue.
bash "$root/scripts/setup-deps.sh" --for-tests

# The Wine prefix (made once per build folder, renewed when it no longer
# starts) is readied while the programs build. Should a step below fail, that job
# ends with the command: its own process group, and the prefix's Wine processes.
setsid bash "$root/scripts/wine-session.sh" prefix "$build/win" &
prefix_job=$!
trap 'kill -- -"$prefix_job" 2>/dev/null; WINEPREFIX="$build/win/wineprefix" wineserver -k 2>/dev/null
  true' EXIT

# Every target of the 32-bit tree, its tools too: they must build for i686 as well.
cmake -S "$root" -B "$build/win32" --toolchain "$root/cmake/mingw-w64-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DVEXAL_BUILD_TESTS=OFF
cmake --build "$build/win32" -j"$jobs"

cmake -S "$root" -B "$build/win" --toolchain "$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DVEXAL_EXE_32="$build/win32/src/vexal.exe" \
  -DVEXAL_DRIVE_32="$build/win32/tools/vexal_drive/vexal_drive.exe"
cmake --build "$build/win" -j"$jobs"

cmake -S "$root" -B "$build/native" -DVEXAL_SANITIZE=ON \
  -DVEXAL_WINDOWS_BUILD_DIR="$build/win"
cmake --build "$build/native" -j"$jobs"

wait "$prefix_job" || echo "test: no Wine prefix in $build/win (see above); the Wine tests will fail"
trap - EXIT
# The native tree's test list includes the Windows tree's (cmake/WineTests.cmake). The
# tests under Wine take turns on one display and mostly wait for the simulated line,
# so one more test runs beside them than there are build jobs.
status=0
ctest --test-dir "$build/native" --output-on-failure --timeout 900 -j"$((jobs + 1))" "$@" \
  </dev/null || status=$?
# CTest lists a skipped test without its reason; this is the one it can skip.
no_32bit="$(source "$root/scripts/wine-env.sh" && vexal_no_32bit_wine)"
[[ -z "$no_32bit" ]] || echo "e2e_win32bit is skipped on this machine: $no_32bit"
exit "$status"
