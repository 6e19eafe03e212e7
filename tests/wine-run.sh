#!/usr/bin/env bash
# ctest's emulator for the Windows build's tests: runs a Windows program under Wine in the prefix
# that `e2e/wine.sh prepare DIR` made, with no display. Usage: wine-run.sh DIR PROGRAM [ARGS...]
# With VOK_WINE_DECIMAL set, the program runs in a copy of the prefix, DIR-decimal, whose user
# writes decimals with that separator (as the end-to-end tests set it), with a server of its own.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e/wine.sh"
dir=$1
shift
if [ -n "${VOK_WINE_DECIMAL:-}" ]; then
    copy="$dir-decimal"
    rm -rf "$copy"
    mkdir -p "$copy"
    # Linked, but for the files Wine writes (see e2e_wine_setup in e2e/wine.sh).
    cp -al "$dir/prefix" "$copy/prefix"
    for file in system.reg user.reg userdef.reg .update-timestamp; do
        cp --remove-destination "$dir/prefix/$file" "$copy/prefix/$file"
    done
    sed -i "s/^\"sDecimal\"=\".\"\$/\"sDecimal\"=\"$VOK_WINE_DECIMAL\"/" "$copy/prefix/user.reg"
    dir=$copy
fi
wine_environment "$dir"
unset DISPLAY WAYLAND_DISPLAY
exec env "${WINE_ENV[@]}" "$E2E_WINE" "$@"
