# Shared steps of the launch scenarios, after lib.sh: the sample disc in E:,
# our recorder associated with .htm and standing in as javaw.exe, the
# reader's jar file, and reading back what the recorder logged.

# Imports a .reg file (REGEDIT4 text) given on stdin.
import_reg() {
    local file="$W/import.reg"
    { printf 'REGEDIT4\r\n\r\n'; sed 's/$/\r/'; } >"$file"
    e2e_wine_ok regedit /s "$(winpath "$file")"
}

# After e2e_start.
launch_setup() {
    local pf="$WINEPREFIX/drive_c/Program Files"
    RECORDER_DIR="$pf/Recorder Tools"
    JAVA_DIR="$pf/Java Runtime/bin"
    READER_DIR="$pf/Zantic Velmora Reader"
    RECORDER_LOG="$RECORDER_DIR/recorder.log"
    JAVA_LOG="$JAVA_DIR/javaw.log"
    mkdir -p "$RECORDER_DIR" "$JAVA_DIR" "$READER_DIR/sys"
    cp "$E2E_TOOLS/recorder.exe" "$RECORDER_DIR/recorder.exe"
    cp "$E2E_TOOLS/recorder.exe" "$JAVA_DIR/javaw.exe"
    printf 'jar' >"$READER_DIR/sys/pvns"
    e2e_sample_disc
    import_reg <<'REG'
[HKEY_CLASSES_ROOT\.htm]
@="AutorunE2E.Recorder"

[HKEY_CLASSES_ROOT\AutorunE2E.Recorder\shell\open\command]
@="\"C:\\Program Files\\Recorder Tools\\recorder.exe\" \"%1\""

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\App Paths\javaw.exe]
@="C:\\Program Files\\Java Runtime\\bin\\javaw.exe"

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\App Paths\pvnshelves.jar]
"Path"="\"C:\\Program Files\\Zantic Velmora Reader\""
REG
}

# The short form of a Windows path, from GetShortPathNameA itself.
short_path() {
    wine "$E2E_TOOLS/shortpath.exe" "$1" 2>/dev/null | tr -d '\r' || fail "no short path for $1"
}

# Runs autorun.exe with the arguments from the disc, answering boxes, and
# waits until every process it started has ended.
run_from_disc() {
    rm -f "$RECORDER_LOG" "$JAVA_LOG"
    e2e_boxwatch_start
    local rc=0
    e2e_autorun 'E:\autorun.exe' "$@" || rc=$?
    e2e_boxwatch_stop
    timeout "$E2E_LIMIT" wineserver -w ||
        fail "the programs that \"E:\\autorun.exe $*\" started did not end within $E2E_LIMIT s"
    return "$rc"
}

# A field of the recorder's records in a log (cmd, cwd, start), one a line.
logged() {  # log field
    [ -f "$1" ] || return 0
    sed -n "s/^$2=//p" "$1"
}

# The number of whole records in a log.
records() {
    [ -f "$1" ] || { echo 0; return; }
    grep -c '^end$' "$1"
}

# Waits up to 20 seconds for a log to hold this many whole records.
await_records() {  # log count
    e2e_wait_for 20 has_records "$1" "$2"
}
has_records() { [ "$(records "$1")" == "$2" ]; }
