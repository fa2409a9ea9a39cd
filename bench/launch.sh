#!/usr/bin/env bash
# Benchmark of the perform switch's main job under Wine: the time from the
# start of `autorun.exe /p` (saved choice "KitIndex", the sample disc in E:,
# .htm associated with our recorder) to the start of the child it launches,
# against the whole run of a bare static program that does nothing. The two
# are run alternately; prints the median of each and their ratio.
# Usage: bench/launch.sh [RUNS]   (at least 10; default 15)
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${1:-15}
[ "$RUNS" -ge 10 ] || { echo "at least 10 runs" >&2; exit 2; }

export AUTORUN_EXE="$PWD/build/win/autorun.exe" E2E_TOOLS="$PWD/build/win/tools"
export E2E_WORK="$PWD/build/bench" E2E_SOURCE="$PWD"
if [ ! -f "$AUTORUN_EXE" ] || [ ! -f "$E2E_TOOLS/bare.exe" ] || [ ! -f "$E2E_TOOLS/recorder.exe" ]; then
    cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-i686.cmake" \
          -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
    cmake --build build/win -j4 >/dev/null
fi
source tests/e2e/lib.sh
source tests/e2e/launch_lib.sh
e2e_start
launch_setup
set_choices KitIndex Nothing Nothing
cp "$E2E_TOOLS/bare.exe" "$WINEPREFIX/drive_c/bare.exe"
wineserver -p >/dev/null 2>&1 || true  # the server stays up between runs, as on a running desktop

now_ms() { date +%s%3N; }

# Milliseconds from the start of autorun.exe /p to its child's first line.
autorun_once() {
    rm -f "$RECORDER_LOG"
    local t0 i
    t0=$(now_ms)
    (cd "$W/work" && wine 'E:\autorun.exe' /p)
    for i in $(seq 200); do
        [ "$(records "$RECORDER_LOG")" == 1 ] && break
        sleep 0.05
    done
    [ "$(records "$RECORDER_LOG")" == 1 ] || fail "the child was not started"
    echo $(($(logged "$RECORDER_LOG" start) - t0))
}

# Milliseconds of a whole run of the bare program.
bare_once() {
    local t0
    t0=$(now_ms)
    (cd "$W/work" && wine 'C:\bare.exe')
    echo $(($(now_ms) - t0))
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

autorun_once >/dev/null  # warm-up: the disk cache and the server
bare_once >/dev/null
a=() b=()
for i in $(seq "$RUNS"); do
    a+=("$(autorun_once)")
    b+=("$(bare_once)")
done
ma=$(printf '%s\n' "${a[@]}" | median)
mb=$(printf '%s\n' "${b[@]}" | median)
echo "autorun.exe /p, start to the child's start (ms): ${a[*]}"
echo "bare program, whole run (ms):                   ${b[*]}"
echo "median autorun.exe /p to child: $ma ms"
echo "median bare program:            $mb ms"
awk -v a="$ma" -v b="$mb" 'BEGIN { printf "ratio: %.2f (target: at most 1.5)\n", a / b }'
