# Shared steps of a scenario that holds a file open as another program does,
# after lib.sh: the holdfile tool, fed through a pipe on fd 7, its output
# in $W/held.

# How long the holder may take to answer one command, in seconds.
HOLD_LIMIT=10

hold_start() {  # path access share disposition
    rm -f "$W/held.in" "$W/held"
    mkfifo "$W/held.in"
    wine "$E2E_TOOLS/holdfile.exe" "$@" <"$W/held.in" >"$W/held" &
    HOLD_PID=$!
    exec 7>"$W/held.in"
    e2e_wait_for "$E2E_START_LIMIT" grep -qs '^opened\|^failed' "$W/held" ||
        fail "holdfile did not open within $E2E_START_LIMIT s"
}

# The number of the holder's answers so far that are the line ANSWER (a
# read's answer ends with "end").
hold_answers() { grep -c "^$1\$" "$W/held" || true; }  # answer
hold_answered() { (($(hold_answers "$1") > $2)); }     # answer, answers before

# Sends the holder a command and waits for its answer, the line ANSWER.
hold_say() {  # command answer
    local before
    before=$(hold_answers "$2")
    echo "$1" >&7
    e2e_wait_for "$HOLD_LIMIT" hold_answered "$2" "$before" ||
        fail "holdfile did not answer $1 within $HOLD_LIMIT s (with \"$2\"; its last line: $(tail -n1 "$W/held"))"
}

# What the holder reads through its handle now.
hold_read() {
    local before
    before=$(hold_answers end)
    hold_say read end
    awk -v n="$before" '$0 == "end" { if (seen++ == n) exit; next } seen == n && NR > 1' "$W/held"
}

# Ends the holder's input, which closes the file. Every program started
# while the holder runs must be started with 7>&-: one that keeps the pipe
# open keeps the holder from seeing its input's end.
hold_stop() {
    exec 7>&-
    e2e_wait_for "$HOLD_LIMIT" e2e_ended "$HOLD_PID" ||
        fail "holdfile did not end within $HOLD_LIMIT s of its input's end"
    wait "$HOLD_PID" || true
}
