#!/usr/bin/env bash
# Shared set-up for run.sh and test.sh: installs the Debian packages the build, the tests and the
# viewer need, when any is missing. Sourced, not run.

# The Debian release (bookworm is 12, trixie 13): the few names that differ between them.
VOK_RELEASE=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
case "$VOK_RELEASE" in
bookworm) vok_clang=14 ;;
*) vok_clang=19 ;;
esac

# What building and running the viewer needs (scripts/run.sh). The build makes the unit tests
# too, on doctest (header-only).
VOK_RUN_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-wayland libgl-dev doctest-dev
    fonts-thai-tlwg fonts-dejavu-core
)
# What the Linux edition's tests and the package check add (scripts/test.sh, and inside the
# other release's root). clang-format is the release's own (14 or 19): the sources are formatted
# so that both agree. git lists the sources for the format check.
VOK_TEST_PACKAGES=(
    git clang-format
    xvfb xauth xdotool xclip x11-utils imagemagick libx11-dev
    desktop-file-utils appstream dpkg-dev file lintian man-db
    strace
    sway grim wtype wl-clipboard jq python3
    # dbus-x11 lets a program with no session bus autolaunch one, as many machines do; the
    # end-to-end tests must hold with it (each has a bus of its own).
    dbus-daemon dbus-x11
    # What a screen reader finds in the window, read through the desktop's accessibility bus.
    at-spi2-core python3-pyatspi
)
# The Windows edition (scripts/build-windows.sh), tested under Wine (about 1.2 GB installed with
# the cross-compiler, under half a minute from a nearby mirror): MinGW-w64's g++ with POSIX
# threads, which C++'s threads and mutexes need; wixl and zip make its installer and portable zip,
# and the install test unpacks the zip. Its unit tests include doctest's one header from the
# Linux package.
VOK_WINDOWS_PACKAGES=(wine64 g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wixl zip unzip
    doctest-dev)
# The fuzz build (scripts/fuzz.sh) uses the release's own clang, whose runtime package carries its
# version.
VOK_FUZZ_PACKAGES=(clang "libclang-rt-$vok_clang-dev")
# The other release's root is made with debootstrap (scripts/other-release.sh).
VOK_HOST_PACKAGES=(debootstrap)
VOK_PACKAGES=("${VOK_RUN_PACKAGES[@]}" "${VOK_TEST_PACKAGES[@]}" "${VOK_WINDOWS_PACKAGES[@]}"
    "${VOK_FUZZ_PACKAGES[@]}" "${VOK_HOST_PACKAGES[@]}")

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
