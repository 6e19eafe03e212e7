#!/usr/bin/env bash
# Viewing a log with the real program: open it through the dialog, see the trace where the
# scale puts it, read values under the pointer, copy the window, clear the chart, exit.
# Usage: tst_view.sh BINARY [DPI [SEPARATOR [DPI-SENDER]]]; at another dpi than 96 the desktop
# is scaled as desktops scale it, and every line, position and read-out must be exact in its
# pixels; the read-out writes the user's decimal separator. With the Windows edition's
# vok-tell-window.exe, the window is then told that its screen went to 144 dpi and back, and the
# trace, grid and read-out are checked again at each.
E2E_DPI=${2:-96}
E2E_DECIMAL=${3:-.}
source "$(dirname "$0")/lib.sh"
binary=$1

# 200 records at 25.0 degrees: a flat trace at y = 3720 twips.
log="$E2E_TMP/flat.log"
for _ in $(seq 200); do e2e_record 0 50 12 16; done >"$log"
before=$(md5sum <"$log")

e2e_start_xvfb
e2e_start_app "$binary"

# The chart's inner area lies inside its two-pixel border; the window keeps the description's
# size in twips. Found at the desktop's dpi, E2E_DPI.
chart_geometry() {
    inner_x=$(($(e2e_px 1320) + 2))
    inner_y=$(($(e2e_px 720) + 2))
    inner_width=$(($(e2e_px $((1320 + 8415))) - inner_x - 2))
    inner_height=$(($(e2e_px $((720 + 5775))) - inner_y - 2))
    row=$((inner_y + $(e2e_px 3720)))
    chart="${inner_width}x${inner_height}+${inner_x}+${inner_y}"
    E2E_CLIENT_HEIGHT=$(e2e_px 7035)
}

# check_trace_and_readout: the trace, the grid above it and the read-out, at E2E_DPI.
check_trace_and_readout() {
    e2e_screenshot_client "$E2E_TMP/trace.png"
    local width
    read -r _ _ width _ < <(e2e_geometry "$APP_WIN")
    [ "$width" -eq "$(e2e_px 9960)" ] || e2e_fail "the window is $width wide, not $(e2e_px 9960)"
    [ "$(e2e_pixel "$E2E_TMP/trace.png" "$inner_x" "$inner_y")" = "192,255,255" ] \
        || e2e_fail "the chart's inner area does not start at $inner_x,$inner_y"
    [ "$(e2e_pixel "$E2E_TMP/trace.png" $((inner_x - 1)) $((inner_y - 1)))" != "192,255,255" ] \
        || e2e_fail "the chart's inner area starts before $inner_x,$inner_y"
    # The trace covers samples 0..140 (x 0..8400 twips, its last pixel not set), clipped by the
    # inner area, one pixel high; the 13 vertical grid lines stay green on top of it.
    trace_width=$(e2e_px 8400)
    [ "$trace_width" -gt "$inner_width" ] && trace_width=$inner_width
    red_in_row=$(e2e_count_colour "$E2E_TMP/trace.png" 255,0,0 "${inner_width}x1+${inner_x}+${row}")
    [ "$red_in_row" -eq $((trace_width - 13)) ] \
        || e2e_fail "expected $((trace_width - 13)) red pixels in the trace's row, found $red_in_row"
    red_total=$(e2e_count_colour "$E2E_TMP/trace.png" 255,0,0 "$chart")
    [ "$red_total" -eq "$red_in_row" ] || e2e_fail "red outside the trace's row: $red_total red pixels in all"
    # The grid: one-pixel green lines every 600 twips across and every 480 down.
    for twips in 600 4200 7800; do
        x=$((inner_x + $(e2e_px "$twips")))
        [ "$(e2e_pixel "$E2E_TMP/trace.png" "$x" $row)" = "0,192,0" ] \
            || e2e_fail "the grid line at $twips twips is not above the trace"
        [ "$(e2e_count_colour "$E2E_TMP/trace.png" 0,192,0 "3x1+$((x - 1))+$((row + 3))")" -eq 1 ] \
            || e2e_fail "the grid line at $twips twips is not one pixel wide"
    done
    for twips in 480 2400 5280; do
        y=$((inner_y + $(e2e_px "$twips")))
        [ "$(e2e_count_colour "$E2E_TMP/trace.png" 0,192,0 "1x3+$((inner_x + 3))+$((y - 1))")" -eq 1 ] \
            || e2e_fail "the grid line at $twips twips down is not one pixel high"
    done

    # Read-out: sample 100 is x 6000 twips, 0 degrees y 4320 twips; one pixel below the top is
    # 180 degrees less one pixel's twips.
    e2e_move_client $((inner_x + $(e2e_px 6000))) $((inner_y + $(e2e_px 4320)))
    sample=$(e2e_read_box "$(e2e_px 8160)" "$(e2e_px 390)")
    temperature=$(e2e_read_box "$(e2e_px 9240)" "$(e2e_px 390)")
    [ "$sample" = "100$E2E_DECIMAL" ] || e2e_fail "sample read-out shows '$sample', not '100$E2E_DECIMAL'"
    [ "$temperature" = "0$E2E_DECIMAL" ] || e2e_fail "temperature read-out shows '$temperature', not '0$E2E_DECIMAL'"
    e2e_move_client $((inner_x + 1)) $((inner_y + 1))
    temperature=$(e2e_read_box "$(e2e_px 9240)" "$(e2e_px 390)")
    case $E2E_DPI in
    96) expected=179.375 ;;
    144) expected=179.583 ;;
    192) expected=179.688 ;;
    esac
    expected=${expected/./$E2E_DECIMAL}
    [ "$temperature" = "$expected" ] || e2e_fail "one pixel down reads '$temperature', not '$expected'"
}

chart_geometry
e2e_screenshot_client "$E2E_TMP/empty.png"
[ "$(e2e_count_colour "$E2E_TMP/empty.png" 255,0,0 "$chart")" -eq 0 ] || e2e_fail "red on an empty chart"

e2e_open_file "$log"
e2e_expect_no_message
check_trace_and_readout
if [ -n "${4:-}" ]; then
    dpi=$E2E_DPI
    for next in 144 "$dpi"; do
        "${E2E_APP_WRAPPER[@]}" "$(realpath "$4")" dpi "$dpi" "$next" \
            || e2e_fail "vok-tell-window failed"
        E2E_DPI=$next
        chart_geometry
        e2e_wait_until_painted
        check_trace_and_readout
        e2e_log "trace, grid and read-out exact at $dpi dpi told to $next"
        dpi=$next
    done
fi

e2e_expect_copy_matches_screen "$(e2e_px 9960)" "$E2E_CLIENT_HEIGHT"

e2e_click_new
e2e_expect_no_message
e2e_screenshot_client "$E2E_TMP/cleared.png"
[ "$(e2e_count_colour "$E2E_TMP/cleared.png" 255,0,0 "$chart")" -eq 0 ] || e2e_fail "New left red pixels"
[ "$(e2e_pixel "$E2E_TMP/cleared.png" $((inner_x + $(e2e_px 600))) $row)" = "0,192,0" ] \
    || e2e_fail "New removed the grid"

e2e_cancel_open
e2e_expect_no_message

[ "$(md5sum <"$log")" = "$before" ] || e2e_fail "the log changed"
# Exit through the File menu's access keys.
e2e_key_into "$APP_WIN" alt+f
menu=$(e2e_wait_for_window "" 10) || e2e_fail "Alt+F opened no menu"
e2e_wait_until_painted "$menu"
xdotool key x
e2e_expect_exit
echo "1 passed, 0 failed"
