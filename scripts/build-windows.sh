#!/usr/bin/env bash
# Builds the Windows edition with Debian's MinGW-w64 cross-compiler: one static executable,
# build-windows/kelvane-vok.exe, that runs on Windows (or Wine) with nothing installed; then its
# installer and portable zip, build-windows/package/kelvane-vok-VERSION-windows-x64.msi and .zip.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

vok_install_packages "${VOK_WINDOWS_PACKAGES[@]}"
vok_build "$VOK_ROOT/build-windows" -DCMAKE_TOOLCHAIN_FILE="$VOK_ROOT/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$VOK_ROOT/build-windows/CMakeCache.txt")
bash "$VOK_ROOT/packaging/windows/make-packages.sh" "$VOK_ROOT/build-windows/kelvane-vok.exe" \
    "$VOK_ROOT/build-windows/package" "$version"
echo "Built $VOK_ROOT/build-windows/kelvane-vok.exe and, in build-windows/package, its .msi and .zip"
