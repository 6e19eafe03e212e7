#!/usr/bin/env bash
# Installs what is missing, builds, and starts the viewer.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

vok_install_packages "${VOK_RUN_PACKAGES[@]}"
vok_build "$VOK_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
# The open-file dialog starts in the working directory, so a first Open lands on the sample logs.
cd "$VOK_ROOT/examples"
exec "$VOK_ROOT/build/kelvane-vok"
