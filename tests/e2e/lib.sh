# Shared steps of the Wine scenarios. Each scenario gets its own WINEPREFIX
# (a copy of a template made once, its files linked, not copied) and its own
# Xvfb display, and stops only the wineserver and the Xvfb that it started.
# A scenario that passes leaves nothing behind; one that fails keeps its
# folder and says where. E2E_ARCH is the kind of prefix of the build under
# test: win32 for the product, win64 for its twin.
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
# The scenario's own error output, for notes from steps whose output is
# read or dropped.
exec 4>&2

# The exit code of a scenario that cannot run on this host (CTest's
# SKIP_RETURN_CODE: reported as not run); e2e_skip says why.
E2E_SKIPPED=77
e2e_skip() {
    echo "SKIP ($E2E_NAME, $E2E_ARCH): $*" >&2
    exit "$E2E_SKIPPED"
}

# Root writes through permission bits, so for root the read-only disc of the
# readonly_disc variant is a read-only bind mount (e2e_readonly_disc). The
# scenario then runs in a mount namespace of its own: no other process sees
# the mount, and the kernel drops it with the scenario's last process,
# however the scenario ends.
if [ "${E2E_VARIANT:-}" = readonly_disc ] && [ "$(id -u)" = 0 ] && [ -z "${E2E_OWN_MOUNTS:-}" ]; then
    why=$(unshare --mount true 2>&1) ||
        e2e_skip "root writes to a disc folder whatever its permissions, and this host" \
                 "makes no mount namespace for a read-only mount of it: $why"
    E2E_OWN_MOUNTS=1 exec unshare --mount --propagation private bash "$0" "$@"
fi

source "$E2E_SOURCE/scripts/wine.sh"
why=$(wine_runs "$E2E_ARCH" 2>&1) || fail "$why"
use_wine "$E2E_ARCH"

# How long one run of the program may take before the scenario gives up on
# it, in seconds; a scenario gives one run longer by E2E_LIMIT=N before the
# call.
E2E_LIMIT=30
# How long a helper of the scenario (Xvfb, a tool of its own) may take to
# start: the first Windows program of a new prefix starts the prefix's
# services and desktop too, which on a loaded machine takes many seconds.
E2E_START_LIMIT=60

# Runs a command every 0.05 s until it succeeds; fails once SECONDS have
# passed (measured, so a loaded machine does not stretch the limit). The
# condition is the command, run afresh on each try: a value worked out
# before the call (a count in "$(...)") would be looked at only once.
e2e_wait_for() {  # seconds command...
    local deadline=$((${EPOCHREALTIME//[!0-9]/} + $1 * 1000000))
    shift
    until "$@"; do
        ((${EPOCHREALTIME//[!0-9]/} < deadline)) || return 1
        sleep 0.05
    done
}

expect_eq() {  # what, actual, expected
    [ "$2" == "$3" ] || fail "$1: got [$2], expected [$3]"
}

expect_contains() {  # what, text, part
    [[ "$2" == *"$3"* ]] || fail "$1: [$2] does not contain [$3]"
}

E2E_TEMPLATE="$E2E_WORK/template-$E2E_ARCH"

# The template prefix: a clean Windows of the build's kind with no window
# manager waits and no crash dialog, made by the Wine that runs now (its
# "ready" file names the version). The Wine scenarios make it first and
# remove it last (tests/e2e/template.sh).
e2e_template() {
    local t=$E2E_TEMPLATE version
    version=$("$WINELOADER" --version)
    mkdir -p "$E2E_WORK"
    exec 9>"$E2E_WORK/template.lock"
    flock 9
    if [ "$(cat "$t/ready" 2>/dev/null)" != "$version" ]; then
        rm -rf "$t"
        mkdir -p "$t"
        (
            export WINEPREFIX="$t/prefix"
            export DISPLAY=
            wineboot -i >/dev/null 2>&1
            e2e_reg_add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N
            e2e_reg_add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
            wineserver -w
        )
        echo "$version" >"$t/ready"
    fi
    flock -u 9
    exec 9>&-
}

# Removes the folder that Debian's wineserver made for a prefix's sockets
# (named in the prefix's "wineserver" file), once the server has ended.
e2e_remove_sockets() {  # prefix
    local sockets
    sockets=$(cat "$1/wineserver" 2>/dev/null) &&
        [[ "$sockets" == wine-?????? ]] && rm -rf "${TMPDIR:-/tmp}/$sockets"
    return 0
}

e2e_template_remove() {
    e2e_remove_sockets "$E2E_TEMPLATE/prefix"
    rm -rf "$E2E_TEMPLATE" "$E2E_WORK/template.lock"
    rmdir "$E2E_WORK" 2>/dev/null || true
}

# Commands that e2e_stop runs first, whatever the scenario's outcome. A
# scenario adds its own clean-up here, never by a trap of its own, which
# would take the place of e2e_stop's.
E2E_AT_STOP=()
e2e_at_stop() { E2E_AT_STOP+=("$1"); }
# Whether e2e_stop removes the template too: for the demo and the
# benchmarks, which make it for their one run.
E2E_TEMPLATE_FOR_ONE_RUN=0

# Ends the scenario with its exit code (the EXIT trap of e2e_start): runs
# the commands given to e2e_at_stop, stops the scenario's Wine processes,
# its wineserver and its Xvfb, and then removes its folder if it passed; one
# that failed is kept. Called without the exit code (from a trap of the
# scenario's own, which would hide the outcome) it fails.
e2e_stop() {
    local rc=${1:-} command linked
    set +e
    if [ -z "$rc" ]; then
        echo "FAIL ($E2E_NAME, $E2E_ARCH): e2e_stop without the exit code;" \
             "add clean-up with e2e_at_stop, not with a trap" >&2
        rc=1
    fi
    for command in "${E2E_AT_STOP[@]}"; do eval "$command"; done
    if [ -n "${WINEPREFIX:-}" ]; then
        wineserver -k >/dev/null 2>&1
        timeout 30 wineserver -w >/dev/null 2>&1
        e2e_remove_sockets "$WINEPREFIX"
    fi
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" >/dev/null 2>&1 && wait "$XVFB_PID" 2>/dev/null
    # A write through a file linked to the template would change every later
    # scenario's Windows.
    linked=$(find "$W/prefix" -type f -links +1 -newer "$E2E_TEMPLATE/ready" 2>/dev/null)
    if [ -n "$linked" ]; then
        echo "FAIL ($E2E_NAME, $E2E_ARCH): files of the template were written:" $linked >&2
        rc=1
    fi
    if [ "$rc" = 0 ] || [ "$rc" = "$E2E_SKIPPED" ]; then
        e2e_remove_folder
    else
        echo "The folder of the failed scenario is kept: $W" >&2
    fi
    [ "$E2E_TEMPLATE_FOR_ONE_RUN" = 0 ] || e2e_template_remove
    exit "$rc"
}

# Removes the scenario's folder, also one that a run killed at its limit
# left behind: its read-only disc (e2e_readonly_disc) gets write permission
# back first, without which a user other than root removes none of its
# files. (Only the disc: the prefix's files are links to the template's.)
e2e_remove_folder() {
    [ ! -d "$W/disc" ] || chmod -R u+w "$W/disc"
    rm -rf "$W"
}

e2e_start() {
    e2e_template
    e2e_remove_folder
    mkdir -p "$W/work"
    # The prefix's files are links to the template's; the registry files,
    # the only ones Wine writes to, are copies of their own. The file that
    # names the wineserver's socket folder is not taken along, so that this
    # prefix's server makes a folder of its own and shares it with no other
    # scenario.
    cp -al "$E2E_TEMPLATE/prefix" "$W/prefix"
    local reg
    for reg in "$W/prefix"/*.reg; do
        cp --remove-destination "$E2E_TEMPLATE/prefix/${reg##*/}" "$reg"
    done
    rm -f "$W/prefix/wineserver"
    export WINEPREFIX="$W/prefix"
    local fd_file="$W/display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
    XVFB_PID=$!
    trap 'e2e_stop $?' EXIT
    e2e_wait_for "$E2E_START_LIMIT" test -s "$fd_file" ||
        fail "Xvfb did not start within $E2E_START_LIMIT s"
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

# The disc in $W/disc (drive E:) as on a CD: Wine reports each file and
# folder as read-only, and refuses to write to a file or create one there;
# shown under Wine before the scenario goes on. Without write permission for
# anyone, and for root a read-only bind mount over the folder as well; both
# are undone when the scenario ends, so that the folder can be removed.
e2e_readonly_disc() {
    local why
    chmod -R a-w "$W/disc"
    e2e_at_stop e2e_writable_disc
    if [ -n "${E2E_OWN_MOUNTS:-}" ]; then
        why=$({ mount --bind "$W/disc" "$W/disc" && mount -o remount,bind,ro "$W/disc"; } 2>&1) ||
            e2e_skip "root writes to a disc folder whatever its permissions, and this host" \
                     "allows no read-only mount of it: $why"
    fi
    local paths=() path seen
    while IFS= read -r path; do
        paths+=("E:\\${path//\//\\}")
    done < <(find "$W/disc" -mindepth 1 -printf '%P\n')
    seen=$(wine "$E2E_TOOLS/attributes.exe" "${paths[@]}" | tr -d '\r')
    [ "$(grep -c '^R ' <<<"$seen")" == "${#paths[@]}" ] ||
        fail "the disc is not read-only under Wine:"$'\n'"$seen"
    local before written
    before=$(e2e_disc_state)
    written=$({ wine "$E2E_TOOLS/holdfile.exe" 'E:\vmframe.htm' w rw existing <<<'write x'
                wine "$E2E_TOOLS/holdfile.exe" 'E:\e2e-new.txt' w rw new </dev/null; } | tr -d '\r')
    if [ "$(grep -c '^failed ' <<<"$written")" != 2 ] || [ "$(e2e_disc_state)" != "$before" ]; then
        [ -n "${E2E_OWN_MOUNTS:-}" ] ||
            e2e_skip "this user writes to a folder without write permission, and only root" \
                     "mounts a read-only disc here"
        fail "the disc takes writes under Wine (a write to E:\vmframe.htm, then a new" \
             "file):"$'\n'"$written"
    fi
}

# Undoes e2e_readonly_disc: the mount is detached at once, even while a
# process that the scenario left still uses the disc, and write permission
# comes back.
e2e_writable_disc() {
    ! mountpoint -q "$W/disc" || umount --lazy "$W/disc"
    chmod -R u+w "$W/disc"
}

# The disc's files and folders with their sizes, times and contents, to
# compare before and after.
e2e_disc_state() {
    (cd "$W/disc" && find . -printf '%p %s %T@\n' | sort && find . -type f -exec md5sum {} + | sort)
}

SETTINGS='HKLM\Software\Zantic\Vm_Autorun'
PREFERENCES_TITLE='Autorun Preferences for Zantic Collections'

# Runs one of Wine's own tools (reg, regedit) that a scenario sets up or
# reads the machine with. On a loaded machine one of their runs now and then
# fails for no cause of the scenario's; such a run is tried once more, and
# said on the scenario's output.
e2e_wine_tool() {  # program args...
    local rc=0
    wine "$@" || rc=$?
    [ "$rc" = 0 ] && return 0
    e2e_retried_once "$rc" "$@"
}

# The second run of a tool whose first run failed with this exit code.
e2e_retried_once() {  # exit code, program args...
    echo "note ($E2E_NAME, $E2E_ARCH): ${*:2} failed with exit code $1; tried once more" >&4
    sleep 0.5
    wine "${@:2}"
}

# Runs one of Wine's tools to its end; a failure ends the scenario with the
# tool's own words.
e2e_wine_ok() {  # program args...
    local out rc=0
    out=$(e2e_wine_tool "$@" 2>&1) || rc=$?
    [ "$rc" = 0 ] || fail "$* failed with exit code $rc: $(tr -d '\r' <<<"$out")"
}

# Adds a registry key or value (reg add's arguments, without /f).
e2e_reg_add() { e2e_wine_ok reg add "$@" /f; }  # key [/v name] [/t type] [/d data]

# Sets the saved choices, and with a fourth argument an older settings
# version, so that the run's write-back shows.
e2e_set_choices() {  # tndrl mixed pdf [version]
    e2e_reg_add "$SETTINGS" /v TndrlChoice /d "$1"
    e2e_reg_add "$SETTINGS" /v MixedChoice /d "$2"
    e2e_reg_add "$SETTINGS" /v PDFChoice /d "$3"
    [ -z "${4:-}" ] || e2e_reg_add "$SETTINGS" /v Version /d "$4"
}

# One value of the settings key as the registry holds it now, from the list
# of the key's values. A value that does not exist reads as empty, and so
# does a key that does not exist: reg query ends with 1 for that, as for a
# failure of its own, but says that it found none; that answer is taken, and
# only a failure is tried once more. (Its error output is dropped, never
# read: the wineserver that it may start keeps it open.)
e2e_setting() {
    local out rc=0
    out=$(wine reg query "$SETTINGS" 2>/dev/null) || rc=$?
    [ "$rc" = 0 ] || [[ "$out" == *"Unable to find the specified registry key"* ]] ||
        out=$(e2e_retried_once "$rc" reg query "$SETTINGS" 2>/dev/null) || true
    tr -d '\r' <<<"$out" | awk -v n="$1" '$1 == n { $1 = ""; $2 = ""; sub(/^  */, ""); print }'
}

# The Windows form of a Unix path.
winpath() { winepath -w "$1" 2>/dev/null; }

e2e_boxwatch_start() {  # answers...
    rm -f "$W/stop" "$W/boxes.log"
    wine "$E2E_TOOLS/boxwatch.exe" "$(winpath "$W/boxes.log")" "$(winpath "$W/stop")" "$@" &
    BOXWATCH_PID=$!
    # The first Windows program of a prefix starts its desktop too: on a
    # loaded machine that takes seconds.
    e2e_wait_for "$E2E_START_LIMIT" test -f "$W/boxes.log" ||
        fail "box watcher did not start within $E2E_START_LIMIT s"
}

# Every box that the watcher answered is in its log before the box closed,
# so before the program that showed it ended.
e2e_boxwatch_stop() {
    touch "$W/stop"
    wait "$BOXWATCH_PID" || true
}

# Starts the program (autorun.exe, or a program in its place, by its
# Windows or Unix path) with arguments in $W/work (or in the folder that
# E2E_RUN_IN names), in the background; e2e_autorun_wait waits for it.
e2e_autorun_start() {  # program args...
    AUTORUN_RUN="$*"
    AUTORUN_FILE=${1##*[\\/]}
    (cd "${E2E_RUN_IN:-$W/work}" && wine "$@") &
    AUTORUN_PID=$!
}

# Waits at most E2E_LIMIT seconds for the program started last
# to end, and answers its exit code. Past the limit the scenario fails,
# naming the windows and message boxes that the program still shows, which
# are asked to close.
e2e_autorun_wait() {
    local rc=0
    e2e_wait_for "$E2E_LIMIT" e2e_ended "$AUTORUN_PID" ||
        fail "\"$AUTORUN_RUN\" did not end within $E2E_LIMIT s; $(e2e_shown)"
    wait "$AUTORUN_PID" || rc=$?
    return "$rc"
}

e2e_ended() { ! kill -0 "$1" 2>/dev/null; }

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
# process id is left in TITLEWIN_PID. With "hung WAKEFILE" (a Windows path)
# it answers no message until that file exists.
e2e_titlewin() {  # name title [count | hung WAKEFILE]
    rm -f "$W/$1.log"
    wine "$E2E_TOOLS/titlewin.exe" "$2" "$(winpath "$W/$1.log")" "${@:3}" &
    TITLEWIN_PID=$!
    e2e_wait_for "$E2E_START_LIMIT" grep -qs ready "$W/$1.log" ||
        fail "window $1 did not open within $E2E_START_LIMIT s"
}

# Waits until the titlewin window NAME has taken every message posted to it
# before now: a mark posted after them comes after them. The first close
# request ends the window (its log says why it ended), and no mark comes
# after one.
e2e_titlewin_marked() {  # name title
    wine "$E2E_TOOLS/titlewin.exe" "$2" mark || true  # none when it has ended
    e2e_wait_for 10 grep -qs '^mark\|^WM_CLOSE\|^timeout' "$W/$1.log" ||
        fail "window $1 did not take a mark within 10 s"
}

# The boxes seen: one line each, "title<TAB>text<TAB>answer", \n for line feeds.
e2e_boxes() { tr -d '\r' <"$W/boxes.log"; }
# How the boxes seen looked, in the same order: one line each,
# "icon<TAB>owner's class" (boxwatch.c).
e2e_box_looks() { tr -d '\r' <"$W/boxes.log.looks"; }

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
