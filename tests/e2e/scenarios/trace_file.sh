# autorun.exe /t /h leaves trace.txt in the working folder: its first line is
# the command line's entry and every line feed is written as CR LF, also the
# one inside a traced argument. Started from the disc with the disc's root as
# working folder, the trace goes there, or where the disc is read-only, to
# c:\ZanticDovrelAutoruntrace.txt.
source "$(dirname "$0")/../lib.sh"
e2e_start
# An older trace, longer than this run's, so that one written over without
# being emptied first shows.
older_trace() { for i in $(seq 2000); do printf 'an older run, line %d\r\n' "$i"; done; }
older_trace >"$W/work/trace.txt"
e2e_boxwatch_start
e2e_autorun "$AUTORUN_EXE" /t $'two\nlines' /h
e2e_boxwatch_stop

trace="$W/work/trace.txt"
[ -f "$trace" ] || fail "no trace.txt"
expect_eq "first line" "$(head -n1 "$trace")" $'AUtilities::parseArgs() Entry.\r'
grep -q 'older run' "$trace" && fail "the older trace was kept"
lines=$(wc -l <"$trace")
crlf=$(grep -c $'\r$' "$trace")
expect_eq "lines ending in CR LF" "$crlf" "$lines"
[ "$(tail -c1 "$trace" | od -An -c | tr -d ' ')" == '\n' ] || fail "last line has no line end"
grep -q $'^AUtilities::parseArgs() parm\\[2\\] = "two\r$' "$trace" ||
    fail "the argument with a line feed was not traced as two lines"
grep -q '^AAutorun::main() version = 0013' "$trace" || fail "no version line"

# Started from the disc with its root as working folder, as a user starts
# E:\autorun.exe /t there: on a disc that takes writes the trace is
# E:\trace.txt; on a read-only disc (the readonly_disc variant) it goes to
# c:\ZanticDovrelAutoruntrace.txt, emptied first, and the disc stays as it was.
e2e_sample_disc
fallback="$WINEPREFIX/drive_c/ZanticDovrelAutoruntrace.txt"
older_trace >"$fallback"
[ "${E2E_VARIANT:-}" = readonly_disc ] || older_trace >"$W/disc/trace.txt"
older=$(md5sum <"$fallback")
disc=$(e2e_disc_state)
e2e_boxwatch_start
e2e_window_closer_start
E2E_RUN_IN="$W/disc" e2e_autorun 'E:\autorun.exe' /t
e2e_window_closer_stop
e2e_boxwatch_stop
expect_eq "on the disc: boxes" "$(e2e_boxes)" ""
if [ "${E2E_VARIANT:-}" = readonly_disc ]; then
    trace=$fallback
    expect_eq "on the read-only disc: the disc" "$(e2e_disc_state)" "$disc"
else
    trace="$W/disc/trace.txt"
    expect_eq "on the disc: c:\\ZanticDovrelAutoruntrace.txt" "$(md5sum <"$fallback")" "$older"
fi
[ -f "$trace" ] || fail "on the disc: no trace at $trace"
expect_eq "on the disc: first line" "$(head -n1 "$trace")" $'AUtilities::parseArgs() Entry.\r'
expect_eq "on the disc: last line" "$(tail -n1 "$trace")" $'AAutorun::main() Exit.\r'
grep -q 'older run' "$trace" && fail "on the disc: the older trace was kept"
echo "PASS $E2E_NAME"
