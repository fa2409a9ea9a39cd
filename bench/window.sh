#!/usr/bin/env bash
# Benchmark of what a user waits for after inserting a disc: the time from
# the start of `autorun.exe` (no /p, the sample disc in E:) to its preferences
# window being shown, against the same time of the floor program
# (`floor.exe` beside it), which makes the same start-up calls and shows a
# window with the same controls, and does nothing else. Both are started
# and timed from inside Wine by the same tool (startwait), alternately;
# prints the median of each and their ratio.
# Usage: bench/window.sh [RUNS]   (at least 10; default 15)
source "$(dirname "$0")/lib.sh"
E2E_NAME=window_bench W="$E2E_WORK/$E2E_NAME"
e2e_start
e2e_sample_disc
cp "$E2E_TOOLS/startwait.exe" "$WINEPREFIX/drive_c/startwait.exe"
bench_prefix

# Milliseconds from the start of the program (autorun or floor) to its
# window being shown.
start_to_window() {
    local class=AutorunFrame
    [ "$1" == autorun ] || class=FloorFrame
    (cd "$W/work" && wine 'C:\startwait.exe' "E:\\$1.exe" "$class" "$PREFERENCES_TITLE") |
        tr -d '\r' || fail "$1 showed no window"
}

bench_compare "start to the window shown" start_to_window
