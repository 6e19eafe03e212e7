#!/usr/bin/env bash
# Builds the benchmarks in Release and prints the performance figures, one "name: value" line
# each at the end. Timings are medians of interleaved runs; no figure is checked here.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

RUNS=7
BUILD="$VOK_ROOT/build-bench"

vok_install_packages
cmake -S "$VOK_ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVOK_BENCH=ON >/dev/null
cmake --build "$BUILD" -j2 --target vok-bench bare-window startup-probe kelvane-vok

SCRATCH=$(mktemp -d "${TMPDIR:-/tmp}/vok-bench.XXXXXX")
XVFB_PID=""
cleanup() {
    [ -z "${WINE_DIR:-}" ] || wine_stop "$WINE_DIR"
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null
    rm -rf "$SCRATCH"
}
trap cleanup EXIT

FIGURES=()
# Keeps a program's "name: value" lines for the end and shows its notes now.
collect() {
    local line
    while IFS= read -r line; do
        case "$line" in
        note:*) echo "${line#note: }" ;;
        *:*) FIGURES+=("$line") ;;
        *) echo "$line" ;;
        esac
    done
}

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "== load throughput (64 MiB logs in the page cache, $RUNS interleaved runs)"
collect < <("$BUILD/bench/vok-bench" load "$SCRATCH" "$RUNS")

echo "== peak memory (1 GiB log against 4 KiB, each in a fresh process, $RUNS runs)"
collect < <("$BUILD/bench/vok-bench" memory "$SCRATCH" "$RUNS")

echo "== start-up until the window is shown and painted (Xvfb at 96 and 144 dpi, $RUNS interleaved runs)"
fifo="$SCRATCH/displayfd"
mkfifo "$fifo"
# A black root, so that an unpainted window shows a single colour.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -dpi 96 -br -nolisten tcp -noreset 3>"$fifo" \
    >"$SCRATCH/xvfb.log" 2>&1 &
XVFB_PID=$!
read -r -t 20 display <"$fifo" || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$SCRATCH/runtime"
unset WAYLAND_DISPLAY
mkdir -m 700 "$XDG_RUNTIME_DIR"
# Each start on a session bus of its own, ended with it: with none, Qt's D-Bus use would
# autolaunch a bus that outlives the program.
probe() { (cd "$SCRATCH" && dbus-run-session -- "$BUILD/bench/startup-probe" "$@"); }
# startup_ratio FIGURE WHERE PROBE VIEWER BARE [MS-FIGURE]: the median start-up of VIEWER against
# BARE's, each started through the command PROBE, interleaved, after one start of each to warm
# the caches; keeps the ratio as FIGURE (and the viewer's median as MS-FIGURE).
startup_ratio() {
    local figure=$1 where=$2 probe=$3 viewer=() bare=() viewer_ms bare_ms
    "$probe" "$4" >/dev/null
    "$probe" "$5" >/dev/null
    for ((run = 0; run < RUNS; run++)); do
        viewer+=("$("$probe" "$4")")
        bare+=("$("$probe" "$5")")
    done
    viewer_ms=$(printf '%s\n' "${viewer[@]}" | median)
    bare_ms=$(printf '%s\n' "${bare[@]}" | median)
    echo "$where: $(basename "$4") ${viewer_ms} ms (runs: ${viewer[*]}), bare window ${bare_ms} ms (runs: ${bare[*]})"
    FIGURES+=("$figure: $(awk -v a="$viewer_ms" -v b="$bare_ms" 'BEGIN { printf "%.2f", a / b }')")
    [ -z "${6:-}" ] || FIGURES+=("$6: $viewer_ms")
}
# desktop_dpi DPI: the dpi desktops set, in the root window's resources.
desktop_dpi() { xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	$1"; }
desktop_dpi 96
startup_ratio startup_ratio "at 96 dpi" probe "$BUILD/kelvane-vok" "$BUILD/bench/bare-window"
desktop_dpi 144
startup_ratio startup_ratio_scaled "at 144 dpi" probe "$BUILD/kelvane-vok" "$BUILD/bench/bare-window"

echo "== the Windows edition's start-up until shown and painted (Wine, 96 dpi, $RUNS interleaved runs)"
# Built as scripts/build-windows.sh builds it, with a bare Win32 window beside it; both run in one
# prefix whose server and desktop process stay up, so that no start pays for them.
WINDOWS_BUILD="$VOK_ROOT/build-windows-bench"
cmake -S "$VOK_ROOT" -B "$WINDOWS_BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$VOK_ROOT/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DVOK_TESTS=OFF -DVOK_BENCH=ON >/dev/null
cmake --build "$WINDOWS_BUILD" -j2 --target kelvane-vok bare-window
source "$VOK_ROOT/tests/e2e/wine.sh"
WINE_DIR="$SCRATCH/wine"
wine_prepare "$WINE_DIR"
wine_environment "$WINE_DIR"
env "${WINE_ENV[@]}" "$E2E_WINESERVER" --persistent
wine_probe() { (cd "$SCRATCH" && env "${WINE_ENV[@]}" "$BUILD/bench/startup-probe" "$E2E_WINE" "$1"); }
startup_ratio startup_ratio_windows "under Wine" wine_probe "$WINDOWS_BUILD/kelvane-vok.exe" \
    "$WINDOWS_BUILD/bare-window.exe" startup_windows_ms
wine_stop "$WINE_DIR"

echo "== memory left behind by Open (16 MiB), Copy image and New (Xvfb, 100 cycles after 20)"
# Taken whole first: a failing run must stop the script, not just lose its figure.
cycles=$(bash "$VOK_ROOT/bench/open-cycles.sh" "$BUILD/kelvane-vok" 100 20)
collect <<<"$cycles"

echo "== figures"
printf "%s\n" "${FIGURES[@]}"
