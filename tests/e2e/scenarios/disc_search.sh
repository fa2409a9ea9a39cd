# A copy of the program started from a folder on C: finds the kit disc
# mapped as drive E: by searching the drives.
source "$(dirname "$0")/../lib.sh"
e2e_start
e2e_sample_disc
mkdir -p "$WINEPREFIX/drive_c/Copy"
cp "$AUTORUN_EXE" "$WINEPREFIX/drive_c/Copy/autorun.exe"

e2e_boxwatch_start
e2e_window_closer_start
e2e_autorun 'C:\Copy\autorun.exe' /p /t
e2e_window_closer_stop
e2e_boxwatch_stop
expect_eq "boxes" "$(e2e_boxes | wc -l)" 0

trace=$(tr -d '\r' <"$W/work/trace.txt" | grep '^AUtilities::getCurrentDirectory() ')
expect_eq "disc root search" "$trace" 'AUtilities::getCurrentDirectory() Entry.
AUtilities::getCurrentDirectory() driveWithSlash = "C:\"
AUtilities::getCurrentDirectory() "C:\vmframe.htm" not found
AUtilities::getCurrentDirectory() Searching drives for vmframe.htm
AUtilities::getCurrentDirectory() vmframe.htm found at E
AUtilities::getCurrentDirectory() driveWithSlash = "E:\".
AUtilities::getCurrentDirectory() rc = 0
AUtilities::getCurrentDirectory() Exit.'
grep -qF 'AUtilities::setKitTitle() set to "Zantic Dovrel Sample Collection - December 2026"' \
    "$W/work/trace.txt" || fail "kit title not read from E:"
grep -qF 'AUtilities::setTndrlCD() set to "true"' "$W/work/trace.txt" || fail "shelves not seen"
echo "PASS $E2E_NAME"
