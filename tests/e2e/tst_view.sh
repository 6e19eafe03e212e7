#!/usr/bin/env bash
# Viewing a log with the real program: open it through the dialog, see the trace where the
# scale puts it, read values under the pointer, clear the chart, exit.
source "$(dirname "$0")/lib.sh"
binary=$1

# 200 records at 25.0 degrees: a flat trace at y = 3720 twips, pixel row 248 of the chart.
log="$E2E_TMP/flat.log"
for _ in $(seq 200); do e2e_record 0 50 12 16; done >"$log"
before=$(md5sum <"$log")

e2e_start_xvfb
e2e_start_app "$binary"

# The chart's inner area starts at client pixel (88 + 2, 48 + 2).
inner_x=90
inner_y=50
row=$((inner_y + 248))
chart="557x381+${inner_x}+${inner_y}"

e2e_screenshot_client "$E2E_TMP/empty.png"
[ "$(e2e_count_colour "$E2E_TMP/empty.png" 255,0,0 "$chart")" -eq 0 ] || e2e_fail "red on an empty chart"

e2e_open_file "$log"
e2e_expect_no_message 1
e2e_screenshot_client "$E2E_TMP/trace.png"
# The trace covers samples 0..140 (x 0..8400 twips), clipped at the inner area's 557 pixels;
# the 13 vertical grid lines stay green on top of it.
red_in_row=$(e2e_count_colour "$E2E_TMP/trace.png" 255,0,0 "557x1+${inner_x}+${row}")
[ "$red_in_row" -eq 544 ] || e2e_fail "expected 544 red pixels in the trace's row, found $red_in_row"
red_total=$(e2e_count_colour "$E2E_TMP/trace.png" 255,0,0 "$chart")
[ "$red_total" -eq 544 ] || e2e_fail "red outside the trace's row: $red_total red pixels in all"
[ "$(e2e_pixel "$E2E_TMP/trace.png" $((inner_x + 40)) $row)" = "0,192,0" ] \
    || e2e_fail "the grid is not above the trace"

# Read-out: sample 100 is x 6000 twips (pixel 400); y 4320 twips (pixel 288) is 0 degrees.
e2e_move_client $((inner_x + 400)) $((inner_y + 288))
sample=$(e2e_read_box 544 26)
temperature=$(e2e_read_box 616 26)
[ "$sample" = "100." ] || e2e_fail "sample read-out shows '$sample', not '100.'"
[ "$temperature" = "0." ] || e2e_fail "temperature read-out shows '$temperature', not '0.'"

e2e_click_new
sleep 0.3
e2e_screenshot_client "$E2E_TMP/cleared.png"
[ "$(e2e_count_colour "$E2E_TMP/cleared.png" 255,0,0 "$chart")" -eq 0 ] || e2e_fail "New left red pixels"
[ "$(e2e_pixel "$E2E_TMP/cleared.png" $((inner_x + 40)) $row)" = "0,192,0" ] \
    || e2e_fail "New removed the grid"

e2e_cancel_open
e2e_expect_no_message 1

[ "$(md5sum <"$log")" = "$before" ] || e2e_fail "the log changed"
e2e_exit_app
echo "1 passed, 0 failed"
