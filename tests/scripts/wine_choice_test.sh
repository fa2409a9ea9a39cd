#!/usr/bin/env bash
# Which builds the Wine scenarios, the demo and the benchmarks run on, for
# both kinds of host whatever this one is: the choice for each forced value,
# and the probe of the host's kind against the C library's 32-bit loader
# where that is installed.
set -euo pipefail
cd "$(dirname "$0")/../.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source scripts/wine.sh
failures=0
check() {  # what, actual, expected
    [ "$2" == "$3" ] && return 0
    echo "FAIL: $1: got [$2], expected [$3]"
    failures=$((failures + 1))
}

# The probe says what the C library's own 32-bit loader finds.
probe=no
host_runs_32bit "$work" && probe=yes
if [ -x /lib/ld-linux.so.2 ]; then
    loader=no
    /lib/ld-linux.so.2 --version >/dev/null 2>&1 && loader=yes
    check "probe against /lib/ld-linux.so.2" "$probe" "$loader"
fi
echo "this host runs 32-bit programs: $probe"

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
)
for row in "${rows[@]}"; do
    read -r host forced expected <<<"$row"
    if [ "$host" = runs32 ]; then host_runs_32bit() { return 0; }; else host_runs_32bit() { return 1; }; fi
    [ "$forced" = - ] && forced=
    got=$(AUTORUN_WINE_BUILDS=$forced; WINE_ARCHES=; choose_wine_builds 2>"$work/err" &&
          echo "$WINE_ARCHES" || echo fails)
    check "$host, AUTORUN_WINE_BUILDS=$forced" "$got" "$expected"
    if [ "$got" = fails ]; then
        [ -s "$work/err" ] || check "$host, $forced: a message" "none" "the cause"
    fi
done
[ "$failures" = 0 ] && echo "PASS wine choice" || exit 1
