# While the old-reader warning is open, the window's messages run inside the
# box's loop: a second Next, a now-button and a list selection are ignored,
# and a Cancel closes the window only after the handler that waits for the
# box has returned. The run then ends normally with the saved choices kept.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../launch_lib.sh"
source "$(dirname "$0")/../wizard_lib.sh"
e2e_start
launch_setup
e2e_reg_add 'HKLM\Software\Zantic\Zantic Velmora Reader\2.3.0'
e2e_set_choices Window Window Window

rm -f "$W/work/trace.txt" "$W/boxes.log"
e2e_autorun_start 'E:\autorun.exe' /t
# This click returns once the warning has been answered.
drive wait 60 click 15009 &
first=$!
wait "$first" || fail "uidriver: the reader's radio"
drive click 15004 &
next=$!
# Once the warning is open, unanswered, the user goes on with the window.
drive box 30
kill -0 "$next" 2>/dev/null || fail "Next returned before the warning was answered"
rm -f "$RECORDER_LOG"
drive click 15004 click 15016 select 15006 2 click 15005
e2e_boxwatch_start
wait "$next" || fail "uidriver: Next"
drive gone 30
wizard_end
expect_eq "one warning" "$(e2e_boxes | grep -c 'old version')" 1
expect_eq "boxes" "$(e2e_boxes | wc -l)" 1
# Owned by no window, the box leaves the preferences window usable.
expect_eq "the warning's icon and owner" "$(e2e_box_looks)" "warning	none"
expect_eq "one store step" "$(traced 'AAutorunWindow::radioButtonSelection() Entry.')" 1
expect_eq "now-button ignored" "$(traced 'AAutorunWindow::pushButtonKitIndex() Entry.')" 0
expect_eq "nothing started" "$(records "$RECORDER_LOG")" 0
expect_eq "list ignored" "$(traced 'AAutorunWindow::listBoxSelection() Selected item = 2.  Current panel = 0.')" 0
expect_eq "Next ran to its end" "$(traced 'AAutorunWindow::pushButtonNext() Exit.')" 1
expect_eq "Cancel once" "$(traced 'AAutorunWindow::pushButtonCancel() Entry.')" 1
expect_eq "run ended" "$(tr -d '\r' <"$W/work/trace.txt" | tail -n1)" "AAutorun::main() Exit."
expect_eq "TndrlChoice" "$(e2e_setting TndrlChoice)" Window
echo "PASS $E2E_NAME"
