#!/usr/bin/env bash
# Installs what is missing, builds the tests normally and under ASan+UBSan, runs both suites,
# checks the Debian package, and fuzzes log loading for a minute.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

vok_install_packages

vok_build "$VOK_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
(cd "$VOK_ROOT/build" && ctest --output-on-failure -j2)
"$VOK_ROOT/scripts/package-check.sh" "$VOK_ROOT/build"

"$VOK_ROOT/scripts/fuzz.sh" 60

vok_build "$VOK_ROOT/build-asan" -DCMAKE_BUILD_TYPE=Debug -DVOK_SANITIZE=ON
(cd "$VOK_ROOT/build-asan" && ctest --output-on-failure -j2)
