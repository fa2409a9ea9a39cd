# Shared steps of the Wine scenarios. Each scenario gets its own WINEPREFIX
# (a copy of a template made once) and its own Xvfb display, and stops only
# the wineserver and the Xvfb that it started. E2E_ARCH is the kind of prefix
# of the build under test: win32 for the product, win64 for its twin.
set -euo pipefail

: "${AUTORUN_EXE:?}" "${E2E_ARCH:?}" "${E2E_TOOLS:?}" "${E2E_WORK:?}" "${E2E_SOURCE:?}"
E2E_NAME=$(basename "$0" .sh)
# A scenario run in a variant (E2E_VARIANT, e.g. readonly_disc) has a folder
# of its own.
E2E_NAME+=${E2E_VARIANT:+.$E2E_VARIANT}
W="$E2E_WORK/$E2E_NAME"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"

fail() {
    echo "FAIL ($E2E_NAME, $E2E_ARCH): $*" >&2
    exit 1
}

source "$E2E_SOURCE/scripts/wine.sh"
why=$(wine_runs "$E2E_ARCH" 2>&1) || fail "$why"
use_wine "$E2E_ARCH"

# How long one run of the program may take before the scenario gives up on it.
E2E_LIMIT=${E2E_LIMIT:-20}

expect_eq() {  # what, actual, expected
    [ "$2" == "$3" ] || fail "$1: got [$2], expected [$3]"
}

expect_contains() {  # what, text, part
    [[ "$2" == *"$3"* ]] || fail "$1: [$2] does not contain [$3]"
}

# The template prefix: a clean Windows of the build's kind with no window
# manager waits and no crash dialog.
e2e_template() {
    local t="$E2E_WORK/template-$E2E_ARCH"
    mkdir -p "$E2E_WORK"
    exec 9>"$E2E_WORK/template.lock"
    flock 9
    if [ ! -f "$t/ready" ]; then
        rm -rf "$t"
        mkdir -p "$t"
        (
            export WINEPREFIX="$t/prefix"
            export DISPLAY=
            wineboot -i >/dev/null 2>&1
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
            wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
                >/dev/null 2>&1
            wineserver -w
        )
        touch "$t/ready"
    fi
    flock -u 9
    exec 9>&-
}

e2e_stop() {
    set +e
    [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" >/dev/null 2>&1 && wait "$XVFB_PID" 2>/dev/null
    return 0
}

e2e_start() {
    e2e_template
    rm -rf "$W"
    mkdir -p "$W/work"
    cp -a "$E2E_WORK/template-$E2E_ARCH/prefix" "$W/prefix"
    export WINEPREFIX="$W/prefix"
    local fd_file="$W/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
    XVFB_PID=$!
    trap e2e_stop EXIT
    local i
    for i in $(seq 100); do
        [ -s "$fd_file" ] && break
        sleep 0.1
    done
    [ -s "$fd_file" ] || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$fd_file")"
}

# Maps a folder as a drive letter, e.g. e2e_map_drive e "$dir".
e2e_map_drive() {
    ln -sfn "$2" "$WINEPREFIX/dosdevices/$1:"
}

# The sample disc, with autorun.exe on it, in $W/disc mapped as drive E:.
e2e_sample_disc() {
    mkdir -p "$W/disc"
    cp -r "$E2E_SOURCE/examples/disc/." "$W/disc/"
    cp "$AUTORUN_EXE" "$W/disc/autorun.exe"
    e2e_map_drive e "$W/disc"
    [ "${E2E_VARIANT:-}" != readonly_disc ] || e2e_readonly_disc
}

# The disc in $W/disc (drive E:) as on a CD: no file or folder may be
# written, and Wine reports each as read-only. The write permission comes back when the
# scenario ends (before the clean-up that was set), so that the folder can
# be removed.
e2e_readonly_disc() {
    chmod -R a-w "$W/disc"
    eval "set -- $(trap -p EXIT)"
    trap "chmod -R u+w $(printf %q "$W/disc") 2>/dev/null || true; ${3:-}" EXIT
    local paths=() path seen
    while IFS= read -r path; do
        paths+=("E:\\${path//\//\\}")
    done < <(find "$W/disc" -mindepth 1 -printf '%P\n')
    seen=$(wine "$E2E_TOOLS/attributes.exe" "${paths[@]}" | tr -d '\r')
    [ "$(grep -c '^R ' <<<"$seen")" == "${#paths[@]}" ] ||
        fail "the disc is not read-only under Wine:"$'\n'"$seen"
}

SETTINGS='HKLM\Software\Zantic\Vm_Autorun'
PREFERENCES_TITLE='Autorun Preferences for Zantic Collections'

# Sets the saved choices, and with a fourth argument an older settings
# version, so that the run's write-back shows.
e2e_set_choices() {  # tndrl mixed pdf [version]
    wine reg add "$SETTINGS" /v TndrlChoice /d "$1" /f >/dev/null 2>&1
    wine reg add "$SETTINGS" /v MixedChoice /d "$2" /f >/dev/null 2>&1
    wine reg add "$SETTINGS" /v PDFChoice /d "$3" /f >/dev/null 2>&1
    [ -z "${4:-}" ] || wine reg add "$SETTINGS" /v Version /d "$4" /f >/dev/null 2>&1
}

# One value of the settings key as the registry holds it now.
e2e_setting() {
    wine reg query "$SETTINGS" /v "$1" 2>/dev/null | tr -d '\r' |
        awk -v n="$1" '$1 == n { $1 = ""; $2 = ""; sub(/^  */, ""); print }'
}

# The Windows form of a Unix path.
winpath() { winepath -w "$1" 2>/dev/null; }

e2e_boxwatch_start() {  # answers...
    rm -f "$W/stop" "$W/boxes.log"
    wine "$E2E_TOOLS/boxwatch.exe" "$(winpath "$W/boxes.log")" "$(winpath "$W/stop")" "$@" &
    BOXWATCH_PID=$!
    local i
    for i in $(seq 100); do
        [ -f "$W/boxes.log" ] && return 0
        sleep 0.1
    done
    fail "box watcher did not start"
}

e2e_boxwatch_stop() {
    sleep 0.3
    touch "$W/stop"
    wait "$BOXWATCH_PID" || true
}

# Starts the program (autorun.exe, or a program in its place, by its
# Windows or Unix path) with arguments in $W/work, in the background;
# e2e_autorun_wait waits for it.
e2e_autorun_start() {  # program args...
    AUTORUN_RUN="$*"
    AUTORUN_FILE=${1##*[\\/]}
    (cd "$W/work" && wine "$@") &
    AUTORUN_PID=$!
}

# Waits at most E2E_LIMIT seconds for the program started last
# to end, and answers its exit code. Past the limit the scenario fails,
# naming the windows and message boxes that the program still shows, which
# are asked to close.
e2e_autorun_wait() {
    local i rc=0
    for ((i = 0; i < E2E_LIMIT * 20; ++i)); do
        if ! kill -0 "$AUTORUN_PID" 2>/dev/null; then
            wait "$AUTORUN_PID" || rc=$?
            return "$rc"
        fi
        sleep 0.05
    done
    fail "\"$AUTORUN_RUN\" did not end within $E2E_LIMIT s; $(e2e_shown)"
}

# What the program started last still shows, for a failure's message: its
# windows and message boxes, which are asked to close.
e2e_shown() {
    local shown
    shown=$(wine "$E2E_TOOLS/leftover.exe" "$AUTORUN_FILE" 2>&1 | tr -d '\r' | sed 's/^/  /')
    if [ -n "$shown" ]; then
        echo "$AUTORUN_FILE still showed:"$'\n'"$shown"
    else
        echo "$AUTORUN_FILE showed no window and no box"
    fi
}

# Runs the program with arguments in $W/work and waits for it, as above.
e2e_autorun() {  # program args...
    e2e_autorun_start "$@"
    e2e_autorun_wait
}

# A window of another program (the titlewin tool) with this title, logging
# the close requests it gets to $W/NAME.log; waits until it stands. Its
# process id is left in TITLEWIN_PID.
e2e_titlewin() {  # name title [count]
    rm -f "$W/$1.log"
    wine "$E2E_TOOLS/titlewin.exe" "$2" "$(winpath "$W/$1.log")" ${3:+"$3"} &
    TITLEWIN_PID=$!
    local i
    for i in $(seq 300); do
        grep -q ready "$W/$1.log" 2>/dev/null && return 0
        sleep 0.1
    done
    fail "window $1 did not open"
}

# The boxes seen: one line each, "title<TAB>text<TAB>answer", \n for line feeds.
e2e_boxes() { tr -d '\r' <"$W/boxes.log"; }

# Closes the preferences window by its close box as soon as it is shown, for
# scenarios that run through the window without looking at it.
e2e_window_closer_start() {
    wine "$E2E_TOOLS/uidriver.exe" "$PREFERENCES_TITLE" \
        wait 120 sleep 200 close >/dev/null 2>&1 &
    CLOSER_PID=$!
}

e2e_window_closer_stop() {
    kill "$CLOSER_PID" >/dev/null 2>&1 || true
    wait "$CLOSER_PID" 2>/dev/null || true
}
