# A first run on a clean prefix, from the kit disc mapped as E:, leaves the
# five settings values, which outlast a restart of the machine (the end of
# the prefix's wineserver, which drops volatile keys); the probe reports each
# value's stored size and bytes.
source "$(dirname "$0")/../lib.sh"
e2e_start
e2e_sample_disc

e2e_boxwatch_start
e2e_window_closer_start
e2e_autorun 'E:\autorun.exe' /p /t
e2e_window_closer_stop
e2e_boxwatch_stop
expect_eq "boxes" "$(e2e_boxes | wc -l)" 0
wineserver -k >/dev/null 2>&1 || true
timeout 30 wineserver -w || fail "the wineserver did not end within 30 s"

wine "$E2E_TOOLS/regprobe.exe" "$(winpath "$W/values.log")" 'Software\Zantic\Vm_Autorun' \
    Date TndrlChoice MixedChoice PDFChoice Version
cat "$W/values.log"

hex() { printf '%s' "$1" | od -An -tx1 | tr -d ' \n'; }
# Written with the text's length alone. Like Windows NT, Wine counts a zero
# that follows the data in the caller's memory, so each value is stored with
# one zero byte more than the size the program passed.
for row in TndrlChoice:tndrlChoice:Window MixedChoice:mixedChoice:Window \
           PDFChoice:pdfChoice:Window Version:version:0013; do
    IFS=: read -r name traced text <<<"$row"
    line=$(grep "^$name	" "$W/values.log") || fail "$name missing"
    expect_eq "$name" "$line" "$name	1	$(( ${#text} + 1 ))	$(hex "$text")00"
    grep -qF "AUtilities::setRegistryKeys() RegSetValueEx( $traced = $text ) rc = 0" \
        "$W/work/trace.txt" || fail "no trace of the $name write"
done
date_line=$(grep '^Date	' "$W/values.log") || fail "Date missing"
[[ "$date_line" =~ ^Date$'\t'1$'\t'9$'\t'([0-9a-f]{16})00$ ]] || fail "Date: $date_line"
grep -q '^AUtilities::getCurrentDirectory() "E:\\vmframe.htm" verified.' "$W/work/trace.txt" ||
    fail "disc root not verified on E:"
echo "PASS $E2E_NAME"
