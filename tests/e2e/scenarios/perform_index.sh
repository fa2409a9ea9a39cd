# autorun.exe /p on a Tandrel disc opens the index that the saved choice
# names in the program associated with .htm, with the disc root as working
# folder, and writes the settings back; "Nothing" and a choice in another
# case start nothing. The trace file's handle is not inherited by the child.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../launch_lib.sh"
e2e_start
launch_setup
browser=$(short_path 'C:\Program Files\Recorder Tools\recorder.exe')
[ -n "$browser" ] || fail "no short path of the recorder"

check_run() {  # choice, expected command line ("" when nothing starts)
    e2e_set_choices "$1" Nothing Nothing 0012
    run_from_disc /p /t
    [ -f "$W/work/trace.txt" ] || fail "$1: no trace"
    expect_eq "$1: boxes" "$(e2e_boxes)" ""
    if [ -n "$2" ]; then
        expect_eq "$1: starts" "$(records "$RECORDER_LOG")" 1
        expect_eq "$1: command line" "$(logged "$RECORDER_LOG" cmd)" "$2"
        expect_eq "$1: working folder" "$(logged "$RECORDER_LOG" cwd)" 'E:\'
        logged "$RECORDER_LOG" file | grep -qi 'trace\.txt' && fail "$1: trace file inherited"
    else
        [ -f "$RECORDER_LOG" ] && fail "$1: started $(logged "$RECORDER_LOG" cmd)"
    fi
    expect_eq "$1: TndrlChoice" "$(e2e_setting TndrlChoice)" "$1"
    expect_eq "$1: MixedChoice" "$(e2e_setting MixedChoice)" Nothing
    expect_eq "$1: Version written" "$(e2e_setting Version)" 0013
}

check_run KitIndex "$browser E:\\vmframe.htm"
check_run DiscIndex "$browser E:\\vmframe.htm#disc"
check_run Nothing ""
check_run discindex ""
echo "PASS $E2E_NAME"
