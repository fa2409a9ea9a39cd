# What the builds and the tests need, and how to get it. Sourced by the
# README's commands and the benchmarks, from the project's folder.
source scripts/wine.sh

# Both Windows builds are made on every run, so that both stay buildable;
# what Wine needs depends on the builds it runs here (wine.sh).
AUTORUN_PACKAGES=(cmake make g++ googletest libgtest-dev python3 clang
                  g++-mingw-w64-i686 g++-mingw-w64-x86-64 xvfb xauth x11-utils imagemagick)

missing_packages() {
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            echo "$p"
    done
}

# Chooses the builds that Wine runs here (WINE_ARCHES) unless this script
# has already (the demo and the benchmarks choose first, to name the build
# they use), installs what they need, and checks that Wine's loader runs
# for each; exits with the cause otherwise.
ensure_deps() {
    [ -n "${WINE_ARCHES:-}" ] || choose_wine_builds || exit 1
    local wanted=("${AUTORUN_PACKAGES[@]}" wine) arch missing i386=
    for arch in $WINE_ARCHES; do
        case "$arch" in
        win32) wanted+=(wine32:i386) i386="dpkg --add-architecture i386 && " ;;
        win64) wanted+=(wine64) ;;
        esac
    done
    missing=$(missing_packages "${wanted[@]}")
    if [ -n "$missing" ]; then
        if [ "$(id -u)" != 0 ]; then
            echo "Missing packages. As root, run:" >&2
            echo "  ${i386}apt-get update && apt-get install -y" $missing >&2
            exit 1
        fi
        echo "Installing:" $missing
        [ -z "$i386" ] || dpkg --add-architecture i386
        apt-get update -qq
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing >/dev/null
    fi
    for arch in $WINE_ARCHES; do
        wine_runs "$arch" || exit 1
    done
}

windows_build() {  # win32|win64
    local toolchain=mingw-i686
    [ "$1" = win32 ] || toolchain=mingw-x86_64
    cmake -S . -B "$(wine_build_dir "$1")" -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/$toolchain.cmake" \
          -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
    cmake --build "$(wine_build_dir "$1")" -j"$(nproc)"
}

configure_and_build() {
    cmake -S . -B build/host -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build/host -j"$(nproc)"
    windows_build win32
    windows_build win64
}
