# The scenarios' waits against helpers that answer late or never: a wait
# looks again on every try, so a slow helper passes, and a silent one fails
# at the limit, naming what was waited for. Also the removal of a
# scenario's folder whose read-only disc a killed run left behind. Runs no
# Windows program: stand-ins take the helpers' places.
work=$(mktemp -d)
export E2E_WORK="$work"
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/hold_lib.sh"
trap 'rm -rf "$work"' EXIT
mkdir -p "$W"

now_ms() { echo $((${EPOCHREALTIME//[!0-9]/} / 1000)); }

# e2e_wait_for: a condition that comes true while it waits (a file made by
# another process 1 s after the start), and one that never does, which
# fails once the limit has passed and not before.
(sleep 1 && touch "$W/late") &
e2e_wait_for 5 test -f "$W/late" || fail "e2e_wait_for: a file made after 1 s was not seen within 5 s"
wait
t0=$(now_ms)
e2e_wait_for 2 test -f "$W/never" && fail "e2e_wait_for: a file that never comes was seen"
t=$(($(now_ms) - t0))
((t >= 2000)) || fail "e2e_wait_for: gave up after $t ms, before its 2 s"

# A stand-in for holdfile.exe: it answers each read with what $W/viewed
# holds, after VIEWER_DELAY seconds, or with "never" not at all.
wine() {
    echo opened
    while read -r command; do
        [ "$command" = read ] && [ "$VIEWER_DELAY" != never ] || continue
        sleep "$VIEWER_DELAY"
        cat "$W/viewed"
        echo end
    done
    echo closed
}

# A viewer that takes a second for each read: each read gives what the file
# held then.
VIEWER_DELAY=1
hold_start viewed r rw existing
printf 'line 1\n' >"$W/viewed"
expect_eq "slow viewer: the first read" "$(hold_read)" "line 1"
printf 'line 1\nline 2\n' >"$W/viewed"
expect_eq "slow viewer: the second read" "$(hold_read)" $'line 1\nline 2'
hold_stop

# A viewer that never answers: the read fails at its limit, and says so.
VIEWER_DELAY=never
hold_start viewed r rw existing
t0=$(now_ms)
rc=0
said=$(hold_read 2>&1) || rc=$?
t=$(($(now_ms) - t0))
hold_stop
[ "$rc" != 0 ] || fail "silent viewer: the read passed: [$said]"
expect_contains "silent viewer: the failure" "$said" "holdfile did not answer read within $HOLD_LIMIT s"
((t >= HOLD_LIMIT * 1000)) || fail "silent viewer: gave up after $t ms, before its $HOLD_LIMIT s"

# A program started beside the holder that keeps the holder's input open:
# the holder never sees its input's end, and its stop fails at the limit,
# saying so, instead of waiting for ever.
VIEWER_DELAY=0
hold_start viewed r rw existing
sleep 60 &  # started without 7>&-
keeper=$!
exec 7>&-  # here, so that only the keeper holds the input in the stop below
rc=0
said=$(hold_stop 2>&1) || rc=$?
kill "$keeper"
wait "$HOLD_PID" || true
[ "$rc" != 0 ] || fail "a kept input: the stop passed: [$said]"
expect_contains "a kept input: the failure" "$said" \
    "holdfile did not end within $HOLD_LIMIT s of its input's end"

# The folder of a read-only disc scenario killed at its limit: the disc and
# its folders without write permission. The next run removes it, also as a
# user other than root (root writes whatever the permissions), here as
# nobody.
old="$work/scenarios/killed"
mkdir -p "$old/disc/autohtml" "$old/prefix"
touch "$old/disc/vmframe.htm" "$old/disc/autohtml/autorun.js"
chmod -R a-w "$old/disc"
as_user=()
if [ "$(id -u)" = 0 ]; then
    chown -R nobody "$work/scenarios"
    chmod o+x "$work"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
"${as_user[@]}" bash -c "set -e; $(declare -f e2e_remove_folder); W='$old'; e2e_remove_folder" ||
    fail "a killed run's read-only disc folder was not removed"
[ ! -e "$old" ] || fail "a killed run's read-only disc folder is left: $(find "$old")"
echo "PASS waits"
