# autorun.exe /t /h leaves trace.txt in the working folder: its first line is
# the command line's entry and every line ends in CR LF.
source "$(dirname "$0")/../lib.sh"
e2e_start
printf 'an older run\r\n' >"$W/work/trace.txt"
e2e_boxwatch_start
e2e_run /t /h
e2e_boxwatch_stop

trace="$W/work/trace.txt"
[ -f "$trace" ] || fail "no trace.txt"
expect_eq "first line" "$(head -n1 "$trace")" $'AUtilities::parseArgs() Entry.\r'
grep -q 'older run' "$trace" && fail "the older trace was kept"
lines=$(wc -l <"$trace")
crlf=$(grep -c $'\r$' "$trace")
expect_eq "lines ending in CR LF" "$crlf" "$lines"
[ "$(tail -c1 "$trace" | od -An -c | tr -d ' ')" == '\n' ] || fail "last line has no line end"
grep -q '^AAutorun::main() version = 0013' "$trace" || fail "no version line"
echo "PASS $E2E_NAME"
