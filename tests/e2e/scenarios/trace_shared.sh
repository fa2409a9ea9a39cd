# trace.txt while the program runs with /t and its window is open: another
# program opens it for reading as a viewer does and reads the lines written
# so far, and more as they come; a second instance with /t in the same
# folder empties it and traces there too, and closes the first one's window,
# whose last lines still reach the same file, after the second one's lines:
# no gap of zero bytes and no line written over. An instance in the middle
# of a line keeps the other one's next line waiting until it is done.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../wizard_lib.sh"
source "$(dirname "$0")/../hold_lib.sh"
e2e_start
e2e_sample_disc
trace="$W/work/trace.txt"
fallback="$WINEPREFIX/drive_c/ZanticDovrelAutoruntrace.txt"

# A viewer (GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE) opens the trace
# while the window is open.
e2e_boxwatch_start
e2e_autorun_start 'E:\autorun.exe' /t
drive wait 60
hold_start "$(winpath "$trace")" r rw existing
expect_eq "viewer: its open" "$(head -n1 "$W/held" | tr -d '\r')" opened
so_far=$(hold_read)
expect_eq "viewer: the first line read" "${so_far%%$'\n'*}" $'AUtilities::parseArgs() Entry.\r'
expect_contains "viewer: the lines read" "$so_far" $'AAutorun::main() Show AAutorunWindow\r'
drive close gone 30
e2e_autorun_wait || fail "autorun.exe ended with $?"
e2e_boxwatch_stop
expect_eq "viewer: boxes" "$(e2e_boxes)" ""
expect_eq "viewer: the lines read at the end" "$(hold_read)" "$(cat "$trace")"
hold_stop
expect_eq "viewer: the trace's last line" "$(tail -n1 "$trace")" $'AAutorun::main() Exit.\r'
[[ "$(cat "$trace")" == "$so_far"* ]] || fail "viewer: the lines read first are not the trace's start"

# A second instance with /t in the same folder while the first one's window
# is open.
rm -f "$trace"
e2e_boxwatch_start
e2e_autorun_start 'E:\autorun.exe' /t first
first=$AUTORUN_PID
drive wait 60
e2e_autorun_start 'E:\autorun.exe' /t second
e2e_wait_for "$E2E_LIMIT" e2e_ended "$first" ||
    fail "the first instance did not end within $E2E_LIMIT s after the second started"
drive wait 60
zeros=$(tr -cd '\0' <"$trace" | wc -c)
expect_eq "second instance: zero bytes in the trace" "$zeros" 0
both=$(tr -d '\r' <"$trace")
broken=$(grep -Ev '^A[A-Za-z]*::[A-Za-z~]+\(\) ' <<<"$both" || true)
[ -z "$broken" ] || fail "second instance: lines that are not whole trace lines:"$'\n'"$broken"
drive close gone 30
e2e_autorun_wait || fail "the second instance ended with $?"
e2e_boxwatch_stop
expect_eq "second instance: boxes" "$(e2e_boxes)" ""
[ -f "$fallback" ] && fail "second instance: a trace went to $fallback"
expect_eq "second instance: the first line" "${both%%$'\n'*}" 'AUtilities::parseArgs() Entry.'
expect_contains "second instance: its argument" "$both" 'parm[2] = "second"'
[[ "$both" == *'"first"'* ]] && fail "second instance: the first one's lines before its start were kept"
expect_contains "second instance: it closed the first one's window" "$both" \
    "AUtilities::closeWindow() Closing \"$TITLE\""
expect_contains "second instance: the first one's last line" "$both" 'AAutorun::main() Exit.'

# Another instance holds the line lock, in the middle of writing a line of
# its own: this one empties the file at its start, and its first line waits
# for the lock, then is written whole once the lock is released.
echo "an older trace" >"$trace"
hold_start "$(winpath "$trace")" rw rw existing
line_lock=$((1 << 62))
hold_say "lock $line_lock" locked
e2e_boxwatch_start 7>&-
e2e_autorun_start 'E:\autorun.exe' /t 7>&-
older_gone() { ! grep -qs "an older trace" "$trace"; }
e2e_wait_for "$E2E_START_LIMIT" older_gone ||
    fail "line lock: the program did not empty the older trace within $E2E_START_LIMIT s"
# Its first line follows the emptying at once unless the lock holds it back;
# a program that waits for the lock waits however long this looks.
sleep 2
[ ! -s "$trace" ] || fail "line lock: a line was written while the lock was held:"$'\n'"$(cat "$trace")"
hold_say "unlock $line_lock" unlocked
drive wait 60
drive close gone 30
e2e_autorun_wait || fail "line lock: autorun.exe ended with $?"
e2e_boxwatch_stop
hold_stop
expect_eq "line lock: boxes" "$(e2e_boxes)" ""
expect_eq "line lock: the first line" "$(head -n1 "$trace")" $'AUtilities::parseArgs() Entry.\r'
expect_eq "line lock: the last line" "$(tail -n1 "$trace")" $'AAutorun::main() Exit.\r'
echo "PASS $E2E_NAME"
