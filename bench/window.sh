#!/usr/bin/env bash
# Benchmark of what a user waits for after inserting a disc: the time from
# the start of `autorun.exe` (no /p, the sample disc in E:) to its preferences
# window being shown, against the whole run of a bare static program that
# does nothing. Both are started and timed from inside Wine by the same tool
# (startwait), alternately; prints the median of each and their ratio.
# Usage: bench/window.sh [RUNS]   (at least 10; default 15)
source "$(dirname "$0")/lib.sh"
bench_build bare startwait
E2E_NAME=window_bench W="$E2E_WORK/$E2E_NAME"
e2e_start
e2e_sample_disc
cp "$E2E_TOOLS/startwait.exe" "$WINEPREFIX/drive_c/startwait.exe"
bench_prefix

window_once() {
    (cd "$W/work" && wine 'C:\startwait.exe' window 'E:\autorun.exe' AutorunFrame \
        "$PREFERENCES_TITLE") | tr -d '\r' || fail "no window"
}
bare_once() {
    (cd "$W/work" && wine 'C:\startwait.exe' exit 'C:\bare.exe') | tr -d '\r' || fail "bare failed"
}

bench_compare "autorun.exe, start to the window shown" window_once \
    "bare program, whole run" bare_once ""
