# Which Windows build Wine runs here, and how. Sourced by the README's
# commands, the Wine scenarios and the benchmarks.
#
# The product is the 32-bit autorun.exe (build/win). Its 64-bit twin
# (build/win64) is built from the same sources and never shipped: it is
# there because some hosts refuse 32-bit x86 programs altogether ("Exec
# format error", the C library's own 32-bit loader included), so Wine's
# 32-bit loader cannot start on them. There the twin, in a 64-bit prefix,
# is the only Win32 check; elsewhere the scenarios run on both.
#
# AUTORUN_WINE_BUILDS=product, twin or both forces the choice.

# A script that runs Wine never ends without a word: when a command fails
# and the script stops for it, it says which command and where. (Only the
# script's own shell speaks; a failure that is handled, or that happens in
# a command substitution or a background job, says nothing.)
set -E
trap 'stopped_by $? "$BASH_COMMAND" "${BASH_SOURCE[0]##*/}" "$LINENO"' ERR
stopped_by() {  # exit code, command, file, line
    [ "$BASHPID" = "$$" ] && [[ $- == *e* ]] || return 0
    echo "${0##*/}: stopped: \"$2\" failed with exit code $1 ($3, line $4)" >&2
}

# The choice below is this script's own: what a caller's environment holds
# under these names is never read.
unset WINE_ARCHES WINE_REASON

# Whether this host's kernel starts 32-bit x86 programs, found out by running
# a minimal static i386 program that only exits with 0 (so the answer needs
# no 32-bit package), written into FOLDER beside a control script that only
# exits with 0. Answers 0 when the probe ran, 1 when the kernel refused it,
# 2 when the folder cannot tell (the probe cannot be written there, or the
# folder allows no program to run, as a noexec mount); PROBE_CAUSE says why.
host_runs_32bit() {  # folder
    local probe="$1/probe-i386" control="$1/probe-control" out
    PROBE_CAUSE=
    if ! { mkdir -p "$1" && printf '%b' \
        '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
        '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' \
        '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' \
        '\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08' \
        '\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00' \
        '\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >"$probe" &&
        printf '#!/bin/sh\nexit 0\n' >"$control" && chmod +x "$probe" "$control"; } 2>/dev/null
    then
        PROBE_CAUSE="the probe cannot be written to $1"
        return 2
    fi
    if ! out=$("$control" 2>&1); then
        PROBE_CAUSE="$1 allows no program to run (${out##*: })"
        return 2
    fi
    out=$("$probe" 2>&1) && return 0
    PROBE_CAUSE=${out##*: }
    [ -n "$PROBE_CAUSE" ] || PROBE_CAUSE="the probe failed"
    return 1
}

# Whether this host runs 32-bit programs, probed in the build folder or, where
# that cannot tell, in a new temporary folder: HOST_RUNS_32BIT is yes or no,
# with the kernel's answer in PROBE_CAUSE. Fails, naming both causes, when
# neither folder can tell.
find_host_kind() {
    local rc=0 tmp first
    host_runs_32bit build || rc=$?
    if [ "$rc" = 2 ]; then
        first=$PROBE_CAUSE rc=0
        if tmp=$(mktemp -d 2>/dev/null); then
            host_runs_32bit "$tmp" || rc=$?
            rm -rf "$tmp"
        else
            PROBE_CAUSE="no temporary folder can be made" rc=2
        fi
        [ "$rc" != 2 ] || {
            echo "Cannot tell whether this host runs 32-bit programs: $first; $PROBE_CAUSE" >&2
            return 1
        }
    fi
    HOST_RUNS_32BIT=yes
    [ "$rc" = 0 ] || HOST_RUNS_32BIT=no
}

# The build folder of each prefix kind's build, and its name for messages.
wine_build_dir() {  # win32|win64
    case "$1" in
    win32) echo build/win ;;
    win64) echo build/win64 ;;
    esac
}
wine_build_name() {  # win32|win64
    case "$1" in
    win32) echo "the product (32-bit, $(wine_build_dir "$1"))" ;;
    win64) echo "the twin (64-bit, $(wine_build_dir "$1"))" ;;
    esac
}

# Sets WINE_ARCHES, the prefix kinds whose builds run under Wine here
# ("win32" for the product, "win64" for the twin), and WINE_REASON, why.
# Fails, naming the cause, when the forced choice cannot run here. The host
# is probed only where the choice depends on it.
choose_wine_builds() {
    local forced=${AUTORUN_WINE_BUILDS:-}
    case "$forced" in
    "" | product | both) find_host_kind || return 1 ;;
    twin)
        WINE_ARCHES="win64" WINE_REASON="forced by AUTORUN_WINE_BUILDS=twin"
        return 0 ;;
    *)
        echo "AUTORUN_WINE_BUILDS must be product, twin or both, not \"$forced\"" >&2
        return 1 ;;
    esac
    local refused="this host refuses 32-bit programs ($PROBE_CAUSE)"
    if [ -z "$forced" ]; then
        if [ "$HOST_RUNS_32BIT" = yes ]; then
            WINE_ARCHES="win32 win64" WINE_REASON="this host runs 32-bit programs"
        else
            WINE_ARCHES="win64" WINE_REASON=$refused
        fi
        return 0
    fi
    [ "$HOST_RUNS_32BIT" = yes ] || {
        echo "AUTORUN_WINE_BUILDS=$forced cannot run here: $refused;" \
             "the 32-bit product runs under Wine only on a host that runs 32-bit programs." >&2
        return 1
    }
    WINE_ARCHES="win32"
    [ "$forced" = product ] || WINE_ARCHES="win32 win64"
    WINE_REASON="forced by AUTORUN_WINE_BUILDS=$forced"
}

# The names of the chosen builds, joined with "and".
wine_builds_text() {
    local arch text=
    for arch in $WINE_ARCHES; do
        text="${text:+$text and }$(wine_build_name "$arch")"
    done
    echo "$text"
}

# Wine's loader for a prefix kind, named directly: Debian's wine command
# starts the 32-bit loader whenever it is installed, whatever the prefix.
wine_loader() {  # win32|win64
    case "$1" in
    win32) echo /usr/lib/wine/wine ;;
    win64) echo /usr/lib/wine/wine64 ;;
    esac
}

# Whether Wine's loader for a prefix kind runs here; if not, says why.
wine_runs() {  # win32|win64
    local loader out
    loader=$(wine_loader "$1")
    [ -x "$loader" ] || {
        echo "Wine cannot run $(wine_build_name "$1"): its loader $loader is not installed" >&2
        return 1
    }
    out=$("$loader" --version 2>&1) || {
        echo "Wine cannot run $(wine_build_name "$1"): $loader --version failed: $out" >&2
        return 1
    }
}

# Runs Windows programs for one prefix kind from here on: WINEARCH,
# WINELOADER (which Wine also uses to start child processes), and wine,
# wineboot and winepath through that loader.
use_wine() {  # win32|win64
    export WINEARCH=$1 WINELOADER
    WINELOADER=$(wine_loader "$1")
    wine() { "$WINELOADER" "$@"; }
    wineboot() { "$WINELOADER" wineboot.exe "$@"; }
    winepath() { "$WINELOADER" winepath.exe "$@"; }
}
