#!/usr/bin/env bash
# Builds the Windows edition with Debian's MinGW-w64 cross-compiler: one static executable,
# build-windows/kelvane-vok.exe, that runs on Windows (or Wine) with nothing installed.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

vok_install_packages "${VOK_WINDOWS_PACKAGES[@]}"
vok_build "$VOK_ROOT/build-windows" -DCMAKE_TOOLCHAIN_FILE="$VOK_ROOT/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release
echo "Built $VOK_ROOT/build-windows/kelvane-vok.exe"
