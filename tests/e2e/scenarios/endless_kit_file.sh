# Kit description files whose reads would not end: autohtml\autorun.js as a
# link to /dev/zero, a device that yields zero bytes for ever and whose end
# lies at 0, and a sparse file of 256 GiB whose kit lines stand before its
# first zero byte. Each run ends in seconds: the device gives an empty kit
# title and the saved choice is carried out as on a disc without the file;
# the sparse file gives its kit title.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../launch_lib.sh"
e2e_start
launch_setup
kit="$W/disc/autohtml/autorun.js"
e2e_set_choices KitIndex Nothing Nothing 0012
browser=$(short_path 'C:\Program Files\Recorder Tools\recorder.exe')

# Runs autorun.exe /p /t from the disc and checks what every run here gives;
# leaves the run's milliseconds in RUN_MS.
run_checked() {  # what
    local t0 rc=0
    t0=$(date +%s%3N)
    run_from_disc /p /t || rc=$?
    RUN_MS=$(($(date +%s%3N) - t0))
    expect_eq "$1: exit code" "$rc" 0
    expect_eq "$1: boxes" "$(e2e_boxes)" ""
    expect_eq "$1: starts" "$(records "$RECORDER_LOG")" 1
    expect_eq "$1: command line" "$(logged "$RECORDER_LOG" cmd)" "$browser E:\\vmframe.htm"
    expect_eq "$1: Version written" "$(e2e_setting Version)" 0013
}

# The trace lines that tell the kit title and the windows closed by it.
kit_lines() {
    grep -E '^AUtilities::(setKitTitle|closeWindow)\(\) (set to|Title to close)' \
        "$W/work/trace.txt" | tr -d '\r'
}

rm -f "$kit"
run_checked "no kit file"
without=$(kit_lines)
without_ms=$RUN_MS

ln -s /dev/zero "$kit"
e2e_set_choices KitIndex Nothing Nothing 0012
run_checked "a link to /dev/zero"
device_ms=$RUN_MS
grep -q '^AUtilities::getKitTitle() Exit\.' "$W/work/trace.txt" || fail "the device did not open"
expect_eq "a link to /dev/zero: kit title and windows closed" "$(kit_lines)" "$without"

rm -f "$kit"
printf 'var kitTitle = "Sparse Kit";\r\nvar editionDate = "2026";\r\n' >"$kit"
truncate -s 256G "$kit"
e2e_set_choices KitIndex Nothing Nothing 0012
run_checked "a sparse file of 256 GiB"
grep -q '^AUtilities::setKitTitle() set to "Sparse Kit - 2026"' "$W/work/trace.txt" ||
    fail "the sparse file's kit title was not read"

echo "runs: no kit file $without_ms ms, a link to /dev/zero $device_ms ms," \
    "a sparse file of 256 GiB $RUN_MS ms"
echo "PASS $E2E_NAME"
