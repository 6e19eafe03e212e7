#!/usr/bin/env bash
# Installs what is missing, builds the tests normally and under ASan+UBSan, runs both suites
# (the first with the Windows edition's under Wine), checks the Debian package, and fuzzes log
# loading for a minute; then, as root, the Linux edition's suite and package check again in a root
# of the other supported Debian release (scripts/other-release.sh).
set -euo pipefail
source "$(dirname "$0")/setup.sh"

vok_install_packages

# The Windows edition: its end-to-end tests run under Wine with the Linux build's (not again in
# the sanitized run, which builds only the Linux edition anew).
bash "$VOK_ROOT/scripts/build-windows.sh"
# The Windows build's own unit tests, under Wine.
(cd "$VOK_ROOT/build-windows" && ctest --output-on-failure -j2)
vok_build "$VOK_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVOK_WINDOWS_EXE="$VOK_ROOT/build-windows/kelvane-vok.exe"
(cd "$VOK_ROOT/build" && ctest --output-on-failure -j2)
"$VOK_ROOT/scripts/package-check.sh" "$VOK_ROOT/build"

"$VOK_ROOT/scripts/fuzz.sh" 60

vok_build "$VOK_ROOT/build-asan" -DCMAKE_BUILD_TYPE=Debug -DVOK_SANITIZE=ON
(cd "$VOK_ROOT/build-asan" && ctest --output-on-failure -j2)

"$VOK_ROOT/scripts/other-release.sh"
