# The preferences window's close box, clicked with the mouse, acts as
# Cancel: after changes the registry keeps the saved choices, Cancel runs
# once and the run ends normally. "Open the collection index now" starts
# the program associated with the index page and the window stays open.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../launch_lib.sh"
source "$(dirname "$0")/../wizard_lib.sh"
e2e_start
launch_setup
browser=$(short_path 'C:\Program Files\Recorder Tools\recorder.exe')
[ -n "$browser" ] || fail "no short path of the recorder"

e2e_set_choices DiscIndex Window Nothing
rm -f "$RECORDER_LOG"
wizard_start
drive wait 60 click 15016 sleep 1500 dump after click 15013 click 15004 click 15012 closebox gone 30
wizard_end
timeout "$E2E_LIMIT" wineserver -w || fail "the programs started did not end within $E2E_LIMIT s"
expect_eq "index: starts" "$(records "$RECORDER_LOG")" 1
expect_eq "index: command line" "$(logged "$RECORDER_LOG" cmd)" "$browser E:\\vmframe.htm"
expect_eq "index: working folder" "$(logged "$RECORDER_LOG" cwd)" 'E:\'
expect_eq "index: still open on panel 0" "$(list_selection after)" 0
expect_eq "index: selection kept" "$(control after 15010 text)" "[x]"
expect_eq "close box: boxes" "$(e2e_boxes)" ""
expect_eq "close box: Cancel" "$(traced 'AAutorunWindow::pushButtonCancel() Entry.')" 1
expect_eq "close box: no Finish" "$(traced 'AAutorunWindow::pushButtonNext() Perform Finish activities.')" 0
expect_eq "close box: run ended" "$(tr -d '\r' <"$W/work/trace.txt" | tail -n1)" "AAutorun::main() Exit."
expect_eq "close box: TndrlChoice" "$(e2e_setting TndrlChoice)" DiscIndex
expect_eq "close box: PDFChoice" "$(e2e_setting PDFChoice)" Nothing
echo "PASS $E2E_NAME"
