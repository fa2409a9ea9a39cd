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

# The number of reads that the holder has answered so far.
hold_answers() { grep -c '^end$' "$W/held" || true; }
hold_answered() { (($(hold_answers) > $1)); }  # answers before the read

# What the holder reads through its handle now.
hold_read() {
    local before
    before=$(hold_answers)
    echo read >&7
    e2e_wait_for "$HOLD_LIMIT" hold_answered "$before" ||
        fail "holdfile did not answer read within $HOLD_LIMIT s"
    awk -v n="$before" '$0 == "end" { if (seen++ == n) exit; next } seen == n && NR > 1' "$W/held"
}

hold_stop() {
    exec 7>&-
    wait "$HOLD_PID" || true
}
