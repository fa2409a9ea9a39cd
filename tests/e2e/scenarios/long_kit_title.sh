# A kit title of 10 MB with hundreds of windows open: closing the windows
# that show the kit takes no longer than with a short title, and the run
# still carries out the saved choice.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../launch_lib.sh"
e2e_start
launch_setup
e2e_set_choices KitIndex Nothing Nothing

e2e_titlewin others "Another program" 500

kit_file() {  # title
    printf 'var kitTitle = "%s";\r\nvar editionDate = "2026";\r\n' "$1" \
        >"$W/disc/autohtml/autorun.js"
}

# Milliseconds of a run with /p, which closes the kit's windows; checks that
# the saved choice was carried out. (The other program's windows stay open,
# so the run is not followed by waiting for every process to end.)
timed_run() {  # what
    local t0 t1
    rm -f "$RECORDER_LOG"
    t0=$(date +%s%3N)
    e2e_autorun "E:\\autorun.exe" /p /t
    t1=$(date +%s%3N)
    await_records "$RECORDER_LOG" 1 || fail "$1: the browser was not started"
    [ "$(grep -c "^AUtilities::closeWindow() Exit\." "$W/work/trace.txt")" == 2 ] ||
        fail "$1: the kit's windows were not looked for"
    echo $((t1 - t0))
}

kit_file "Short title"
short=$(timed_run "short title")
kit_file "$(head -c 10000000 /dev/zero | tr '\0' 'k')"
long=$(timed_run "10 MB title")
grep -q "^AUtilities::closeWindow() Title to close = \"kkkk" "$W/work/trace.txt" ||
    fail "the long title was not the one looked for"
grep -q WM_CLOSE "$W/others.log" && fail "another program's window was closed"
echo "short title: $short ms, 10 MB title: $long ms"
[ "$long" -le $((short * 2 + 2000)) ] || fail "the 10 MB title took $long ms against $short ms"
echo "PASS $E2E_NAME"
