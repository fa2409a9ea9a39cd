#!/usr/bin/env bash
# Benchmark of what a user waits for after inserting a disc: the time from
# the start of `autorun.exe` (no /p, the sample disc in E:) to its preferences
# window being shown, against the whole run of a bare static program that
# does nothing. Both are started and timed from inside Wine by the same tool
# (startwait), alternately; prints the median of each and their ratio.
# Usage: bench/window.sh [RUNS]   (at least 10; default 15)
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${1:-15}
[ "$RUNS" -ge 10 ] || { echo "at least 10 runs" >&2; exit 2; }

export AUTORUN_EXE="$PWD/build/win/autorun.exe" E2E_TOOLS="$PWD/build/win/tools"
export E2E_WORK="$PWD/build/bench" E2E_SOURCE="$PWD"
if [ ! -f "$AUTORUN_EXE" ] || [ ! -f "$E2E_TOOLS/bare.exe" ] || [ ! -f "$E2E_TOOLS/startwait.exe" ]; then
    cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-i686.cmake" \
          -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
    cmake --build build/win -j4 >/dev/null
fi
source tests/e2e/lib.sh
E2E_NAME=window_bench W="$E2E_WORK/$E2E_NAME"
e2e_start
mkdir -p "$W/disc"
cp -r "$E2E_SOURCE/examples/disc/." "$W/disc/"
cp "$AUTORUN_EXE" "$W/disc/autorun.exe"
e2e_map_drive e "$W/disc"
cp "$E2E_TOOLS/bare.exe" "$WINEPREFIX/drive_c/bare.exe"
cp "$E2E_TOOLS/startwait.exe" "$WINEPREFIX/drive_c/startwait.exe"
wineserver -p >/dev/null 2>&1 || true  # the server stays up between runs, as on a running desktop

window_once() {
    (cd "$W/work" && wine 'C:\startwait.exe' window 'E:\autorun.exe' AutorunFrame \
        "Autorun Preferences for Zantic Collections") | tr -d '\r' || fail "no window"
}
bare_once() {
    (cd "$W/work" && wine 'C:\startwait.exe' exit 'C:\bare.exe') | tr -d '\r' || fail "bare failed"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

window_once >/dev/null  # warm-up: the disk cache and the server
bare_once >/dev/null
a=() b=()
for i in $(seq "$RUNS"); do
    a+=("$(window_once)")
    b+=("$(bare_once)")
done
ma=$(printf '%s\n' "${a[@]}" | median)
mb=$(printf '%s\n' "${b[@]}" | median)
echo "autorun.exe, start to the window shown (ms): ${a[*]}"
echo "bare program, whole run (ms):                ${b[*]}"
echo "median autorun.exe to window: $ma ms"
echo "median bare program:          $mb ms"
awk -v a="$ma" -v b="$mb" 'BEGIN { printf "ratio: %.2f\n", a / b }'
