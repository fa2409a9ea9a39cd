# autorun.exe /p with "VLR" on a Tandrel disc starts javaw.exe (our recorder,
# through App Paths) on the reader's jar file, in the reader's folder, with
# the options that the greatest version sub-key gives by text order.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../launch_lib.sh"
e2e_start
launch_setup
java=$(short_path 'C:\Program Files\Java Runtime\bin\javaw.exe')
reader=$(short_path 'C:\Program Files\Zantic Velmora Reader\sys')
[ -n "$java" ] && [ -n "$reader" ] || fail "no short paths"
versions='HKLM\Software\Zantic\Zantic Velmora Reader'

check_run() {  # what, options expected, version sub-keys...
    local what=$1 options=$2
    shift 2
    wine reg delete "$versions" /f >/dev/null 2>&1 || true
    local v
    for v in "$@"; do e2e_reg_add "$versions\\$v"; done
    e2e_set_choices VLR Nothing Nothing 0012
    run_from_disc /p
    expect_eq "$what: boxes" "$(e2e_boxes)" ""
    expect_eq "$what: browser started" "$(records "$RECORDER_LOG")" 0
    expect_eq "$what: starts" "$(records "$JAVA_LOG")" 1
    expect_eq "$what: command line" "$(logged "$JAVA_LOG" cmd)" \
        "$java -jar $reader\\pvns -d \"$reader\" ${options}E:\\shelves;E:\\books "
    expect_eq "$what: working folder" "$(logged "$JAVA_LOG" cwd)" "$reader"
    expect_eq "$what: TndrlChoice" "$(e2e_setting TndrlChoice)" VLR
    expect_eq "$what: Version written" "$(e2e_setting Version)" 0013
}

check_run "2.3.4 and 2.3.5" "-A " 2.3.4 2.3.5
check_run "2.3.4 and 2.10.0" "-s -u " 2.3.4 2.10.0
echo "PASS $E2E_NAME"
