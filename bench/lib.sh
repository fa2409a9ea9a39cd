# Shared steps of the benchmarks under Wine: the build, the prefix, and the
# alternating runs with their medians and ratio. They time the product where
# this host runs 32-bit programs, else its 64-bit twin (scripts/wine.sh;
# AUTORUN_WINE_BUILDS=product or twin forces one), against the floor program
# of the same build, so of the same architecture.
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${1:-15}
[ "$RUNS" -ge 10 ] || { echo "at least 10 runs" >&2; exit 2; }

source scripts/deps.sh
choose_wine_builds || exit 1
arch=${WINE_ARCHES%% *}
echo "Benchmark of $(wine_build_name "$arch") against its floor program: $WINE_REASON."
ensure_deps
export AUTORUN_EXE="$PWD/$(wine_build_dir "$arch")/autorun.exe" E2E_ARCH=$arch
export E2E_TOOLS="$PWD/$(wine_build_dir "$arch")/tools" E2E_WORK="$PWD/build/bench" E2E_SOURCE="$PWD"
windows_build "$arch" >/dev/null
source tests/e2e/lib.sh
E2E_TEMPLATE_FOR_ONE_RUN=1

# After the sample disc is in E:: the floor program beside autorun.exe, and
# a server that stays up between runs, as on a running desktop.
bench_prefix() {
    cp "$E2E_TOOLS/floor.exe" "$W/disc/floor.exe"
    wineserver -p >/dev/null 2>&1 || true
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Runs autorun.exe and the floor program alternately, RUNS times each after
# one warm-up of each, and prints both series, their medians and the ratio
# of autorun.exe's to the floor's: what the program's own work adds to the
# system calls it cannot avoid (1.00: nothing). The measurement function
# takes the program's name (autorun or floor) and prints its milliseconds.
bench_compare() {  # what is measured, measurement function
    local a=() b=() i ma mb
    measure() {  # program: its milliseconds, or the run ends here
        local ms
        ms=$("$1" "$2") && [[ "$ms" =~ ^[0-9]+(\.[0-9]+)?$ ]] || fail "$2: no time measured [$ms]"
        echo "$ms"
    }
    measure "$2" autorun >/dev/null
    measure "$2" floor >/dev/null
    for i in $(seq "$RUNS"); do
        a+=("$(measure "$2" autorun)")
        b+=("$(measure "$2" floor)")
    done
    ma=$(printf '%s\n' "${a[@]}" | median)
    mb=$(printf '%s\n' "${b[@]}" | median)
    echo "$1, milliseconds:"
    printf '  %-12s %s\n' "autorun.exe" "${a[*]}" "floor.exe" "${b[*]}"
    printf '  median, %-12s %s ms\n' "autorun.exe" "$ma" "floor.exe" "$mb"
    awk -v a="$ma" -v b="$mb" 'BEGIN { printf "ratio to the floor: %.2f\n", a / b }'
}
