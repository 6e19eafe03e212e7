#!/usr/bin/env bash
# ctest's emulator for the Windows build's tests: runs a Windows program under Wine in the prefix
# that `e2e/wine.sh prepare DIR` made, with no display. Usage: wine-run.sh DIR PROGRAM [ARGS...]
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e/wine.sh"
dir=$1
shift
wine_environment "$dir"
unset DISPLAY WAYLAND_DISPLAY
exec env "${WINE_ENV[@]}" "$E2E_WINE" "$@"
