# With the reader's bookshelf window open (its title in another case, with
# other text after it), autorun.exe /p with "VLR" starts nothing, shows no
# box and writes the settings back.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../launch_lib.sh"
e2e_start
launch_setup
e2e_reg_add 'HKLM\Software\Zantic\Zantic Velmora Reader\2.3.5'
e2e_set_choices VLR Nothing Nothing 0012

e2e_titlewin window "zantic velmora reader LIST OF BOOKSHELVES - E:\\"
window_pid=$TITLEWIN_PID

rm -f "$RECORDER_LOG" "$JAVA_LOG"
e2e_boxwatch_start
e2e_autorun "E:\\autorun.exe" /p /t
e2e_boxwatch_stop
kill "$window_pid" 2>/dev/null || true
wineserver -k
wait "$window_pid" 2>/dev/null || true

expect_eq "boxes" "$(e2e_boxes)" ""
grep -q WM_CLOSE "$W/window.log" && fail "the bookshelf window was asked to close"
expect_eq "reader started" "$(records "$JAVA_LOG")" 0
grep -q '^AUtilities::openVLR() VLR is already running\.' "$W/work/trace.txt" ||
    fail "no \"already running\" line in the trace"
expect_eq "TndrlChoice" "$(e2e_setting TndrlChoice)" VLR
expect_eq "Version written" "$(e2e_setting Version)" 0013
echo "PASS $E2E_NAME"
