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

# Whether this host's kernel starts 32-bit x86 programs. The probe is a
# minimal static i386 program that only exits with 0, so the answer needs
# no 32-bit package. It is written into FOLDER (which allows running
# programs, unlike some /tmp).
host_runs_32bit() {  # folder
    local probe="$1/probe-i386"
    mkdir -p "$1"
    printf '%b' '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00' \
        '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00' \
        '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00' \
        '\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08' \
        '\x00\x80\x04\x08\x5d\x00\x00\x00\x5d\x00\x00\x00\x05\x00\x00\x00' \
        '\x00\x10\x00\x00\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80' >"$probe"
    chmod +x "$probe"
    "$probe" 2>/dev/null
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
# Fails, naming the cause, when the forced choice cannot run here.
choose_wine_builds() {
    local runs32=1 refused="this host refuses 32-bit programs (Exec format error)"
    host_runs_32bit build || runs32=0
    case "${AUTORUN_WINE_BUILDS:-}" in
    "")
        if [ "$runs32" = 1 ]; then
            WINE_ARCHES="win32 win64" WINE_REASON="this host runs 32-bit programs"
        else
            WINE_ARCHES="win64" WINE_REASON=$refused
        fi ;;
    product | both)
        [ "$runs32" = 1 ] || {
            echo "AUTORUN_WINE_BUILDS=$AUTORUN_WINE_BUILDS cannot run here: $refused;" \
                 "the 32-bit product runs under Wine only on a host that runs 32-bit programs." >&2
            return 1
        }
        WINE_ARCHES="win32"
        [ "$AUTORUN_WINE_BUILDS" = product ] || WINE_ARCHES="win32 win64"
        WINE_REASON="forced by AUTORUN_WINE_BUILDS=$AUTORUN_WINE_BUILDS" ;;
    twin)
        WINE_ARCHES="win64" WINE_REASON="forced by AUTORUN_WINE_BUILDS=twin" ;;
    *)
        echo "AUTORUN_WINE_BUILDS must be product, twin or both, not \"$AUTORUN_WINE_BUILDS\"" >&2
        return 1 ;;
    esac
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
