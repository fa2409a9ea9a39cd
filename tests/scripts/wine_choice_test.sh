#!/usr/bin/env bash
# Which builds the Wine scenarios, the demo and the benchmarks run on, for
# both kinds of host whatever this one is: the choice for each forced value,
# and the probe of the host's kind against the C library's 32-bit loader
# where that is installed.
#
# With "noexec", only the rows of a folder that allows no program to run: a
# tmpfs mounted noexec in a mount namespace of the test's own, so that the
# kernel unmounts it however the test ends. Where this host makes no such
# namespace (a user that is not root, say) or mounts no tmpfs in it, the
# test says why and exits with 77 (CTest's SKIP_RETURN_CODE: not run).
set -euo pipefail
shopt -s extglob
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
part=${1:-choice}
case "$part" in
choice | noexec) ;;
*) echo "usage: $0 [choice|noexec]" >&2; exit 2 ;;
esac
skip() {
    echo "SKIP (wine choice, $part): $*" >&2
    exit 77
}
if [ "$part" = noexec ] && [ -z "${WINE_CHOICE_OWN_MOUNTS:-}" ]; then
    why=$(unshare --mount true 2>&1) ||
        skip "this host makes no mount namespace for a noexec folder: $why"
    WINE_CHOICE_OWN_MOUNTS=1 exec unshare --mount --propagation private bash "$0" "$@"
fi
# The probe looks at the folder "build" of the current folder: the test's own,
# so that nothing is written to the source tree.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
source "$source_dir/scripts/wine.sh"
failures=0
check() {  # what, actual, expected
    [ "$2" == "$3" ] && return 0
    echo "FAIL: $1: got [$2], expected [$3]"
    failures=$((failures + 1))
}
find_host_kind
probe=$HOST_RUNS_32BIT

# A folder that allows no program to run: its cause is named, and the probe
# moves to a temporary folder; when that cannot tell either, the choice
# fails naming both.
if [ "$part" = noexec ]; then
    mkdir -p "$work/noexec"
    why=$(mount -t tmpfs -o noexec,size=1m tmpfs "$work/noexec" 2>&1) ||
        skip "no tmpfs can be mounted in the test's mount namespace: $why"
    trap 'umount "$work/noexec"; rm -rf "$work"' EXIT
    host_runs_32bit "$work/noexec" && got=0 || got=$?
    check "noexec folder" "$got: $PROBE_CAUSE" \
        "2: $work/noexec allows no program to run (Permission denied)"
    mkdir -p "$work/project"
    ln -s "$work/noexec" "$work/project/build"
    got=$(cd "$work/project" && find_host_kind 2>&1 && echo "$HOST_RUNS_32BIT")
    check "noexec build folder: the probe in a temporary folder" "$got" "$probe"
    got=$(cd "$work/project" && TMPDIR="$work/noexec" find_host_kind 2>&1 || echo fails)
    check "noexec build and temporary folders" "${got//$work\/noexec\/tmp.*([^ ])/TMP}" \
        "Cannot tell whether this host runs 32-bit programs: build allows no program to run (Permission denied); TMP allows no program to run (Permission denied)
fails"
    [ "$failures" = 0 ] || exit 1
    echo "PASS wine choice, noexec folders"
    exit 0
fi

# The probe says what the C library's own 32-bit loader finds.
if [ -x /lib/ld-linux.so.2 ]; then
    loader=no
    /lib/ld-linux.so.2 --version >/dev/null 2>&1 && loader=yes
    check "probe against /lib/ld-linux.so.2" "$probe" "$loader"
fi
echo "this host runs 32-bit programs: $probe"

# A folder the probe cannot be written to cannot tell, and says why.
touch "$work/file"
host_runs_32bit "$work/file/sub" && got=0 || got=$?
check "unwritable folder" "$got: $PROBE_CAUSE" "2: the probe cannot be written to $work/file/sub"

# The probe's answer on a host of a kind: one that runs 32-bit programs, one
# that refuses them, or a folder that cannot tell.
pretend_host() {  # runs32|refuses|cannot-tell
    case "$1" in
    runs32) host_runs_32bit() { return 0; } ;;
    refuses) host_runs_32bit() { PROBE_CAUSE="Exec format error"; return 1; } ;;
    *) host_runs_32bit() { PROBE_CAUSE="$1 allows no program to run"; return 2; } ;;
    esac
}

# host kind, AUTORUN_WINE_BUILDS, the builds chosen ("fails" when refused)
rows=(
    "runs32 - win32 win64"
    "runs32 product win32"
    "runs32 twin win64"
    "runs32 both win32 win64"
    "runs32 neither fails"
    "refuses - win64"
    "refuses product fails"
    "refuses both fails"
    "refuses twin win64"
    "cannot-tell - fails"
    "cannot-tell product fails"
    "cannot-tell twin win64"
)
for row in "${rows[@]}"; do
    read -r host forced expected <<<"$row"
    pretend_host "$host"
    [ "$forced" = - ] && forced=
    got=$(AUTORUN_WINE_BUILDS=$forced; choose_wine_builds 2>"$work/err" &&
          echo "$WINE_ARCHES" || echo fails)
    check "$host, AUTORUN_WINE_BUILDS=$forced" "$got" "$expected"
    if [ "$got" = fails ]; then
        [ -s "$work/err" ] || check "$host, $forced: a message" "none" "the cause"
        [ "$host" != refuses ] || grep -q "(Exec format error)" "$work/err" ||
            check "$host, $forced: the kernel's answer" "$(cat "$work/err")" "(Exec format error)"
    fi
done

# Names of the scripts' own left in the caller's environment change nothing:
# the builds and the packages wanted are the ones the host's kind gives.
for host in runs32 refuses; do
    got=$(export WINE_ARCHES=win32 WINE_REASON=left; unset AUTORUN_WINE_BUILDS
          cd "$source_dir" && source scripts/deps.sh
          pretend_host "$host"
          missing_packages() { printf '%s\n' "$@" >"$work/wanted"; }
          wine_runs() { :; }
          ensure_deps && echo "$WINE_ARCHES: $WINE_REASON; wine32 wanted: $(grep -c wine32 "$work/wanted")")
    case "$host" in
    runs32) expected="win32 win64: this host runs 32-bit programs; wine32 wanted: 1" ;;
    refuses) expected="win64: this host refuses 32-bit programs (Exec format error); wine32 wanted: 0" ;;
    esac
    check "$host, WINE_ARCHES and WINE_REASON in the environment" "$got" "$expected"
done
[ "$failures" = 0 ] && echo "PASS wine choice" || exit 1
