# Shared steps of the benchmarks under Wine: the build, the prefix, and the
# alternating runs with their medians and ratio.
set -euo pipefail
cd "$(dirname "$0")/.."
RUNS=${1:-15}
[ "$RUNS" -ge 10 ] || { echo "at least 10 runs" >&2; exit 2; }

export AUTORUN_EXE="$PWD/build/win/autorun.exe" E2E_TOOLS="$PWD/build/win/tools"
export E2E_WORK="$PWD/build/bench" E2E_SOURCE="$PWD"
bench_build() {  # tools needed
    local tool
    for tool in "$@"; do
        [ -f "$E2E_TOOLS/$tool.exe" ] && [ -f "$AUTORUN_EXE" ] && continue
        cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-i686.cmake" \
              -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
        cmake --build build/win -j4 >/dev/null
        return
    done
}
source tests/e2e/lib.sh

# After e2e_start: the bare program on C:, and a server that stays up between
# runs, as on a running desktop.
bench_prefix() {
    cp "$E2E_TOOLS/bare.exe" "$WINEPREFIX/drive_c/bare.exe"
    wineserver -p >/dev/null 2>&1 || true
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Runs two measurements alternately, RUNS times each after one warm-up of
# each, and prints both series, their medians and the ratio of the first to
# the second. Each measurement prints its milliseconds.
bench_compare() {  # label-a, function-a, label-b, function-b, ratio note
    local a=() b=() i ma mb
    "$2" >/dev/null
    "$4" >/dev/null
    for i in $(seq "$RUNS"); do
        a+=("$("$2")")
        b+=("$("$4")")
    done
    ma=$(printf '%s\n' "${a[@]}" | median)
    mb=$(printf '%s\n' "${b[@]}" | median)
    printf '%-46s %s\n' "$1 (ms):" "${a[*]}" "$3 (ms):" "${b[*]}"
    printf '%-46s %s ms\n' "median, $1:" "$ma" "median, $3:" "$mb"
    awk -v a="$ma" -v b="$mb" -v note="$5" 'BEGIN { printf "ratio: %.2f%s\n", a / b, note }'
}
