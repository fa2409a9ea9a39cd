# What the builds and the tests need, and how to get it. Sourced by the
# README's commands.
AUTORUN_PACKAGES=(cmake make g++ googletest libgtest-dev python3 g++-mingw-w64-i686
                  xvfb xauth x11-utils imagemagick clang wine wine32:i386)

missing_packages() {
    local p
    for p in "${AUTORUN_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            echo "$p"
    done
}

ensure_deps() {
    local missing
    missing=$(missing_packages)
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" != 0 ]; then
        echo "Missing packages. As root, run:" >&2
        echo "  dpkg --add-architecture i386 && apt-get update &&" \
             "apt-get install -y" $missing >&2
        exit 1
    fi
    echo "Installing:" $missing
    dpkg --add-architecture i386
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $missing >/dev/null
}

configure_and_build() {
    cmake -S . -B build/host -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build/host -j"$(nproc)"
    cmake -S . -B build/win -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-i686.cmake" \
          -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
    cmake --build build/win -j"$(nproc)"
}
