# A kit description file of 700 MB, more than a 32-bit program could hold at
# once, whose second half is one line without a line feed: the run goes on
# as with a small one, holding little memory at any time, carries out the
# saved choice, writes the settings and ends with exit code 0.
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/../launch_lib.sh"
e2e_start
launch_setup
big="$W/disc/autohtml/autorun.js"
e2e_at_stop 'rm -f "$big"'
{
    head -c 350000000 < <(yes $'var other = "0123456789";\r')
    head -c 350000000 < <(yes 'var other = "0123456789";' | tr -d '\n')
    printf '\r\nvar kitTitle = "Huge Kit";\r\nvar editionDate = "2026";\r\n'
} >"$big"
e2e_set_choices KitIndex Nothing Nothing 0012
browser=$(short_path 'C:\Program Files\Recorder Tools\recorder.exe')

# The most memory the program holds at once, sampled while it runs (nothing
# else runs beside this scenario).
(
    peak=0
    while sleep 0.05; do
        rss=$(ps -C autorun.exe -o rss= | sort -n | tail -n1) || true
        [ -n "$rss" ] && [ "$rss" -gt "$peak" ] && peak=$rss && echo "$peak" >"$W/peak"
    done
) &
sampler=$!
e2e_at_stop 'kill "$sampler" 2>/dev/null; wait "$sampler" 2>/dev/null'
rc=0
E2E_LIMIT=120 run_from_disc /p /t || rc=$?
kill "$sampler" 2>/dev/null || true
echo "peak resident size: $(cat "$W/peak") KiB"
[ "$(cat "$W/peak")" -lt 100000 ] || fail "the program held $(cat "$W/peak") KiB at once"
expect_eq "exit code" "$rc" 0
expect_eq "boxes" "$(e2e_boxes)" ""
expect_eq "starts" "$(records "$RECORDER_LOG")" 1
expect_eq "command line" "$(logged "$RECORDER_LOG" cmd)" "$browser E:\\vmframe.htm"
grep -q '^AUtilities::setKitTitle() set to "Huge Kit - 2026"' "$W/work/trace.txt" ||
    fail "the kit title was not read"
expect_eq "Version written" "$(e2e_setting Version)" 0013
echo "PASS $E2E_NAME"
