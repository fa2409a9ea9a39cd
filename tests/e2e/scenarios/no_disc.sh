# No kit disc anywhere: the program says so, in a box with the warning icon
# that no window owns, and writes no choice.
source "$(dirname "$0")/../lib.sh"
e2e_start
mkdir -p "$WINEPREFIX/drive_c/Copy"
cp "$AUTORUN_EXE" "$WINEPREFIX/drive_c/Copy/autorun.exe"

e2e_boxwatch_start
e2e_autorun 'C:\Copy\autorun.exe' /p /t
e2e_boxwatch_stop
expect_eq "boxes" "$(e2e_boxes)" \
    "Autorun Message	The autorun program does not appear to be running from a valid Zantic Dovrel CD	1"
expect_eq "the box's icon and owner" "$(e2e_box_looks)" "warning	none"

wine "$E2E_TOOLS/regprobe.exe" "$(winpath "$W/values.log")" 'Software\Zantic\Vm_Autorun' \
    Date TndrlChoice MixedChoice PDFChoice Version
for name in TndrlChoice MixedChoice PDFChoice Version; do
    grep -q "^$name	missing	2$" "$W/values.log" || fail "$name was written: $(cat "$W/values.log")"
done
grep -q '^Date	1	' "$W/values.log" || fail "the write test left no Date"
grep -qF 'AUtilities::getCurrentDirectory() vmframe.htm never found' "$W/work/trace.txt" ||
    fail "no search traced"
echo "PASS $E2E_NAME"
