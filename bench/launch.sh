#!/usr/bin/env bash
# Benchmark of the perform switch's main job under Wine: the time from the
# start of `autorun.exe /p` (saved choice "KitIndex", the sample disc in E:,
# .htm associated with our recorder) to the start of the child it launches,
# against the same time of the floor program (`floor.exe /p` beside it),
# which makes the same system calls and nothing else. The two are run
# alternately; prints the median of each and their ratio.
# Usage: bench/launch.sh [RUNS]   (at least 10; default 15)
source "$(dirname "$0")/lib.sh"
source tests/e2e/launch_lib.sh
e2e_start
launch_setup
e2e_set_choices KitIndex Nothing Nothing 0012
bench_prefix

now_ms() { date +%s%3N; }

# Milliseconds from the start of the program (autorun or floor) with /p to
# its child's first line.
start_to_child() {
    rm -f "$RECORDER_LOG"
    local t0
    t0=$(now_ms)
    e2e_autorun "E:\\$1.exe" /p
    await_records "$RECORDER_LOG" 1 || fail "$1 did not start the child"
    echo $(($(logged "$RECORDER_LOG" start) - t0))
}

bench_compare "/p, start to the child's start" start_to_child
