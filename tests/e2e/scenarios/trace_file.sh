# autorun.exe /t /h leaves trace.txt in the working folder: its first line is
# the command line's entry and every line feed is written as CR LF, also the
# one inside a traced argument.
source "$(dirname "$0")/../lib.sh"
e2e_start
printf 'an older run\r\n' >"$W/work/trace.txt"
e2e_boxwatch_start
e2e_autorun "$AUTORUN_EXE" /t $'two\nlines' /h
e2e_boxwatch_stop

trace="$W/work/trace.txt"
[ -f "$trace" ] || fail "no trace.txt"
expect_eq "first line" "$(head -n1 "$trace")" $'AUtilities::parseArgs() Entry.\r'
grep -q 'older run' "$trace" && fail "the older trace was kept"
lines=$(wc -l <"$trace")
crlf=$(grep -c $'\r$' "$trace")
expect_eq "lines ending in CR LF" "$crlf" "$lines"
[ "$(tail -c1 "$trace" | od -An -c | tr -d ' ')" == '\n' ] || fail "last line has no line end"
grep -q $'^AUtilities::parseArgs() parm\\[2\\] = "two\r$' "$trace" ||
    fail "the argument with a line feed was not traced as two lines"
grep -q '^AAutorun::main() version = 0013' "$trace" || fail "no version line"
echo "PASS $E2E_NAME"
