#!/usr/bin/env bash
# Shared set-up for run.sh and test.sh: installs the Debian packages the build, the tests and the
# viewer need, when any is missing. Sourced, not run.

VOK_PACKAGES=(
    cmake ninja-build g++ clang libclang-rt-14-dev clang-format pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
    fonts-thai-tlwg fonts-dejavu-core
    xvfb xauth xdotool xclip x11-utils imagemagick libx11-dev
    desktop-file-utils appstream dpkg-dev file lintian man-db
    strace
    sway grim wtype wl-clipboard qt6-wayland jq python3
    # dbus-x11 lets a program with no session bus autolaunch one, as many machines do; the
    # end-to-end tests must hold with it (each has a bus of its own).
    dbus-daemon dbus-x11
    # What a screen reader finds in the window, read through the desktop's accessibility bus.
    at-spi2-core python3-pyatspi
    # The Windows edition is tested under Wine (about 1.2 GB installed with the cross-compiler,
    # under half a minute from a nearby mirror).
    wine64
)
# The cross-compiler for the Windows edition (scripts/build-windows.sh): MinGW-w64's g++ with
# POSIX threads, which C++'s threads and mutexes need.
VOK_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64)
VOK_PACKAGES+=("${VOK_WINDOWS_PACKAGES[@]}")

# vok_missing_packages [PACKAGE...]: which of them (VOK_PACKAGES by default) are not installed.
vok_missing_packages() {
    local missing=()
    local packages=("$@")
    [ $# -eq 0 ] && packages=("${VOK_PACKAGES[@]}")
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" \
            || missing+=("$package")
    done
    echo "${missing[@]}"
}

# vok_install_packages [PACKAGE...]: installs those missing (of VOK_PACKAGES by default).
vok_install_packages() {
    local missing
    missing=$(vok_missing_packages "$@")
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "These packages are missing. Install them with:" >&2
        echo "  sudo apt-get install -y $missing" >&2
        exit 1
    fi
    echo "Installing: $missing"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
}

# vok_build DIR [cmake options...]: configures once, then builds incrementally.
vok_build() {
    local dir=$1
    shift
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$VOK_ROOT" -B "$dir" -G Ninja "$@"
    elif [ $# -gt 0 ]; then
        # Options given later, such as the Windows edition once it builds, still take effect.
        cmake "$dir" "$@" >/dev/null
    fi
    cmake --build "$dir" -j2
}

VOK_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
