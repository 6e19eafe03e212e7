#!/usr/bin/env bash
# Installs what is missing, builds the tests normally and under ASan+UBSan, runs both suites
# (the first with the Windows edition's under Wine), checks the Debian package, and fuzzes log
# loading for a minute.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

vok_install_packages

# The Windows edition, when this tree can build it: its end-to-end tests run under Wine with
# the Linux build's.
windows=()
if [ -f "$VOK_ROOT/scripts/build-windows.sh" ]; then
    bash "$VOK_ROOT/scripts/build-windows.sh"
    windows=(-DVOK_WINDOWS_EXE="$VOK_ROOT/build-windows/kelvane-vok.exe")
fi

vok_build "$VOK_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${windows[@]}"
(cd "$VOK_ROOT/build" && ctest --output-on-failure -j2)
"$VOK_ROOT/scripts/package-check.sh" "$VOK_ROOT/build"

"$VOK_ROOT/scripts/fuzz.sh" 60

vok_build "$VOK_ROOT/build-asan" -DCMAKE_BUILD_TYPE=Debug -DVOK_SANITIZE=ON
(cd "$VOK_ROOT/build-asan" && ctest --output-on-failure -j2)
