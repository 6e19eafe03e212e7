#!/usr/bin/env bash
# ctest's emulator for the Windows build's tests: runs a Windows program under Wine in the prefix
# that `wine-run.sh --start DIR` made, with no display. Usage: wine-run.sh DIR PROGRAM [ARGS...]
# With VOK_WINE_DECIMAL set, the program runs in a copy of the prefix, DIR-decimal, whose user
# writes decimals with that separator (as the end-to-end tests set it), with a server of its own.
#
# Tests run side by side in the one prefix, and a server that shuts down as one test's program
# ends races the next program's start ("Connection reset by peer"). So `wine-run.sh --start DIR`
# makes the prefix and starts one server for the whole run, with Wine's own background programs,
# which then hold no test's output open; `wine-run.sh --stop DIR` ends them and removes both
# prefixes.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/e2e/wine.sh"
if [ "$1" = --start ]; then
    wine_prepare "$2"
    wine_environment "$2"
    unset DISPLAY WAYLAND_DISPLAY
    env "${WINE_ENV[@]}" "$E2E_WINESERVER" --persistent </dev/null >/dev/null 2>&1
    env "${WINE_ENV[@]}" "$E2E_WINE" cmd /c exit </dev/null >/dev/null 2>&1
    exit 0
fi
if [ "$1" = --stop ]; then
    for dir in "$2" "$2-decimal"; do
        if [ -d "$dir/prefix" ]; then wine_stop "$dir"; fi
        rm -rf "$dir"
    done
    exit 0
fi
dir=$1
shift
if [ -n "${VOK_WINE_DECIMAL:-}" ]; then
    copy="$dir-decimal"
    rm -rf "$copy"
    wine_link_prefix "$dir" "$copy"
    sed -i "s/^\"sDecimal\"=\".\"\$/\"sDecimal\"=\"$VOK_WINE_DECIMAL\"/" "$copy/prefix/user.reg"
    dir=$copy
fi
wine_environment "$dir"
unset DISPLAY WAYLAND_DISPLAY
exec env "${WINE_ENV[@]}" "$E2E_WINE" "$@"
