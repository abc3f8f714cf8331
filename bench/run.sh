#!/bin/bash
# Benchmarks of vexal.exe under Wine; prints a table, asserts nothing.
#   (a) start-up: process creation until WaitForInputIdle returns (the first
#       paint is done and the message loop waits), vexal.exe against
#       bench/minimal_window.exe, alternated, N runs each (VEXAL_BENCH_RUNS, 20)
#   (b) one full paint at 1920 x 1080, median of 200, timed inside the process;
#       and the window's own paint (off-screen, then copied) with the cursors shown
#   (c) size of vexal.exe and the DLLs it imports
#   (d) the read-out against the simulator, and the native reply parser
#   (e) the spectrum of one and of two channels, natively
# Uses the Release build in build/win and its Wine prefix, on a private Xvfb.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
win="$root/build/win"
runs="${VEXAL_BENCH_RUNS:-20}"

bash "$root/scripts/setup-deps.sh"
cmake -S "$root" -B "$win" --toolchain "$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$win" -j"${VEXAL_JOBS:-2}" \
  --target vexal vexal_drive minimal_window paint_bench >/dev/null

vexal="$win/src/vexal.exe"
minimal="$win/bench/minimal_window.exe"
drive="$win/tools/vexal_drive/vexal_drive.exe"
wine_run="$root/scripts/run-in-wine.sh"
session="$root/scripts/wine-session.sh"

bash "$session" start "$win" 2>/dev/null
trap 'bash "$session" stop "$win" >/dev/null 2>&1 || true' EXIT

# Milliseconds from CreateProcess to WaitForInputIdle, measured by the driver.
startup_ms() {
  "$wine_run" "$drive" "start $1" "close" "wait-exit 10000" </dev/null |
    awk '$1 == "idle-ms" { print $2 }'
}

startup_ms "$vexal" >/dev/null  # warm the file cache once for each
startup_ms "$minimal" >/dev/null
vexal_times=()
minimal_times=()
for ((i = 0; i < runs; i++)); do
  minimal_times+=("$(startup_ms "$minimal")")
  vexal_times+=("$(startup_ms "$vexal")")
done

paint="$("$wine_run" "$win/bench/paint_bench.exe" </dev/null)"

size=$(stat -c %s "$vexal")
dlls=$(x86_64-w64-mingw32-objdump -p "$vexal" | awk '/DLL Name:/ { print $3 }' | sort | paste -sd ' ')

python3 - "$runs" "${minimal_times[*]}" "${vexal_times[*]}" "$paint" "$size" "$dlls" <<'EOF'
import statistics
import sys

runs, minimal, vexal, paint, size, dlls = sys.argv[1:]
minimal = [float(t) for t in minimal.split()]
vexal = [float(t) for t in vexal.split()]
m_med, v_med = statistics.median(minimal), statistics.median(vexal)
ratios = [v / m for v, m in zip(vexal, minimal)]

rows = [
    ("start-up, minimal window (median of %s)" % runs, "%.1f ms" % m_med, ""),
    ("start-up, vexal.exe (median of %s)" % runs, "%.1f ms" % v_med, ""),
    ("start-up ratio vexal / minimal (median)", "%.2f" % statistics.median(ratios), "<= 1.2"),
]
targets = {"window": "into a window", "bitmap": "into a bitmap",
           "window-cursors": "of the window, off-screen, cursors shown",
           "window-spectrum": "of the window, both channels' spectra computed and drawn"}
for line in paint.splitlines():
    words = line.split()
    if len(words) >= 3 and words[1] == "median":
        goal = ", goal < 5 ms" if words[0] in ("window-cursors", "window-spectrum") else ""
        rows.append(("full paint 1920x1080 %s (median of 200)" % targets[words[0]],
                     "%s ms" % words[2], "min %s, p90 %s%s" % (words[4], words[6], goal)))
rows.append(("size of vexal.exe, 64-bit", "%.0f KB" % (int(size) / 1024), "<= 400 KB"))
rows.append(("DLLs imported by vexal.exe", dlls, ""))

width = max(len(r[0]) for r in rows)
print("%-*s  %-12s  %s" % (width, "benchmark", "result", "goal / note"))
print("-" * (width + 30))
for name, value, note in rows:
    print("%-*s  %-12s  %s" % (width, name, value, note))
EOF

# --- instrument link: the read-out against the simulator (bench/readout) ---
cmake --build "$win" -j"${VEXAL_JOBS:-2}" --target vexal_sim_host >/dev/null
echo
/usr/bin/python3 "$root/bench/readout/readout_bench.py" --win-build "$win" \
  --runs "${VEXAL_BENCH_READOUT_RUNS:-10}"
# --- end of instrument link ---

# --- the spectrum's numbers, natively (Release, no sanitizers) ---
native="$root/build/bench-native"
cmake -S "$root" -B "$native" -DCMAKE_BUILD_TYPE=Release -DVEXAL_BUILD_TESTS=OFF >/dev/null
cmake --build "$native" -j"${VEXAL_JOBS:-2}" --target fft_bench >/dev/null
echo
"$native/bench/fft/fft_bench"
