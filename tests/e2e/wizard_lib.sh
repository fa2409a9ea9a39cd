# Shared steps of the preferences window's scenarios, after lib.sh (and
# launch_lib.sh when the reader and the recorder are set up): the window run
# in the background with the box watcher, driven by the UI driver, and the
# driver's dumps read back.

TITLE=$PREFERENCES_TITLE
# How long one call of the UI driver may take, its waits for the window included.
DRIVE_LIMIT=90

# Starts autorun.exe from the disc without /p (with tracing), with the box
# watcher answering boxes; wizard_end waits for both.
wizard_start() {  # box answers...
    rm -f "$W/work/trace.txt"
    e2e_boxwatch_start "$@"
    e2e_autorun_start 'E:\autorun.exe' /t
}

wizard_end() {
    e2e_autorun_wait || fail "autorun.exe ended with $?"
    e2e_boxwatch_stop
}

# Runs UI driver commands on the preferences window (the FILE of dump,
# frame, place, ink, text, pointer and wrap names a file in $W).
drive() {
    local args=() a to_file=0 folder=
    for a in "$@"; do
        if [ "$to_file" = 1 ]; then
            [ -n "$folder" ] || folder=$(winpath "$W")
            a="$folder\\$a"
        elif [ "$to_file" = 0 ]; then
            case "$a" in
            dump | frame | place) to_file=2 ;;
            ink | text | pointer | wrap) to_file=3 ;;
            esac
        fi
        args+=("$a")
        [ "$to_file" = 0 ] || to_file=$((to_file - 1))
    done
    local rc=0
    timeout "$DRIVE_LIMIT" "$WINELOADER" "$E2E_TOOLS/uidriver.exe" "$TITLE" "${args[@]}" || rc=$?
    [ "$rc" != 124 ] || fail "uidriver $* did not return within $DRIVE_LIMIT s; $(e2e_shown)"
    [ "$rc" = 0 ] || fail "uidriver: $*"
}

# A field of a control's line in a dump: enabled, text.
control() {  # dump id field
    local column
    case "$3" in
    enabled) column=4 ;;
    text) column=12 ;;
    *) fail "no field $3" ;;
    esac
    tr -d '\r' <"$W/$1" | awk -F'\t' -v id="$2" -v c="$column" '$1 == id { print $c }'
}

# The index of the list's selected item in a dump.
list_selection() { control "$1" 15006 text | sed 's/.*#//'; }

# How many trace lines equal the given one.
traced() { tr -d '\r' <"$W/work/trace.txt" | grep -cxF "$1" || true; }
