#!/usr/bin/env bash
# The real program on Wayland, at output scales 1, 1.25, 1.5, 1.75 and 2, driven by keyboard as on
# a headless compositor: the layout, access keys, Open through the dialog, the trace, the read-out
# under a virtual pointer, New, Copy image through the Wayland clipboard, an error box copied with
# Ctrl+C, and Exit; and the window moved between outputs of different scales. Every pixel figure
# is in device pixels at 96 dpi times the scale, 1440 / (96 x scale) twips each: 12, 10 and
# 8.571... at the fractional scales, which run where the viewer can be exact at them.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/wayland.sh"
binary=$1

chart=192,255,255
green=0,192,0
# 200 records at 25.5 degrees: a flat trace at y = 3708 twips, between two device pixels at most
# scales. The bad file, a record of four zero bytes, is elsewhere: a path typed into a dialog that
# shows its folder races the dialog's completer.
mkdir -m 0755 "$E2E_TMP/logs" "$E2E_TMP/bad"
for _ in $(seq 200); do e2e_record 0 51 12 16; done >"$E2E_TMP/logs/flat.log"
e2e_record 0 0 0 0 >"$E2E_TMP/bad/zero.log"
chmod 0644 "$E2E_TMP/logs/flat.log" "$E2E_TMP/bad/zero.log"

wl_start_sway

# chart_corner FILE: the device "x y" where the chart's inner area starts in a client area's
# picture, from the chart colour left of layout column 100 and above layout row 60.
chart_corner() {
    local x y across down
    read -r x y across down < <(wl_calc 'dev(95), dev(60), dev(100), dev(60)')
    echo $((across - $(e2e_count_colour "$1" $chart "${across}x1+0+$y"))) \
        $((down - $(e2e_count_colour "$1" $chart "1x$down+$x+0")))
}

# unmatched A B REACH: how many pixels of picture A match no pixel of picture B that lies within
# REACH device pixels across and down.
unmatched() {
    local near=() dx dy
    for dy in $(seq -"$3" "$3"); do
        for dx in $(seq -"$3" "$3"); do
            near+=("(" "$1" +repage -alpha off "(" "$2" +repage -alpha off
                -roll "$(printf '%+d%+d' "$dx" "$dy")" ")"
                -compose difference -composite -separate -evaluate-sequence max ")")
        done
    done
    convert "${near[@]}" -evaluate-sequence min -threshold 0 -format "%[fx:int(mean*w*h+0.5)]" info:
}

# chart_exact SHOT: the chart in the client area's picture shows the flat log exactly at the
# current scale: its inner area where the layout puts it, grid lines one device pixel wide at
# their twips, and the trace's row red but where the 13 grid columns cross it, with no other red
# pixel and the grid above the trace. Sets left, top and red.
chart_exact() {
    local want_left want_top rows columns across down trace_y grid_x half_row reach row on
    read -r want_left want_top rows columns across down trace_y grid_x half_row \
        < <(wl_calc 'tw(1320) + dev(2), tw(720) + dev(2), lines(480, 5280, 480),
            lines(600, 7800, 600), tw(8100), tw(5400), tw(3708), tw(600), tw(240)')
    # Widgets that sit at half device pixels may round either way on the screen.
    reach=$(wl_calc '(s == int(s)) ? 0 : 1')
    read -r left top < <(chart_corner "$1")
    ((left - want_left <= reach && want_left - left <= reach && top - want_top <= reach
        && want_top - top <= reach)) \
        || e2e_fail "the chart's inner area starts at $left,$top, not $want_left,$want_top"
    green_along() {
        convert "$1" -crop "$2" +repage txt:- \
            | awk -F '[,:]' '/#00C000/ { printf "%s%d", n++ ? "," : "", $1 + $2 }'
    }
    [ "$(green_along "$1" "1x$down+$((left + grid_x / 2))+$top")" = "$rows" ] \
        || e2e_fail "grid rows at $(green_along "$1" "1x$down+$((left + grid_x / 2))+$top")"
    [ "$(green_along "$1" "${across}x1+$left+$((top + half_row))")" = "$columns" ] \
        || e2e_fail "grid columns at $(green_along "$1" "${across}x1+$left+$((top + half_row))")"
    row=$((top + trace_y))
    on="$(wl_calc 'dev(600) "x" dev(400)')+$left+$top"
    red=$(e2e_count_colour "$1" 255,0,0 "${across}x1+$left+$row")
    [ "$red" -eq $((across - 13)) ] \
        || e2e_fail "$red red pixels in the trace's row (scale $WL_SCALE)"
    [ "$(e2e_count_colour "$1" 255,0,0 "$on")" -eq \
        "$(e2e_count_colour "$1" 255,0,0 "${on%%x*}x1+$left+$row")" ] \
        || e2e_fail "red outside the trace's row (scale $WL_SCALE)"
    [ "$(e2e_pixel "$1" $((left + grid_x)) $row)" = $green ] \
        || e2e_fail "the grid is not above the trace (scale $WL_SCALE)"
}

# at_scale SCALE TEMPERATURE: the whole run at one scale; TEMPERATURE is what the read-out
# shows one device pixel right of and below sample 100 at 0 degrees.
at_scale() {
    local s=$1 shot="$E2E_TMP/shot.png" w top left chart_on row want_left want_top
    local inner trace_y sample_100 zero_degrees grid_x copy_size reach
    wl_set_scale "$s"
    wl_start_app "$binary"
    # expect COLOUR X Y WHAT: the pixel at device X, Y of the last screenshot has that colour.
    expect() { [ "$(e2e_pixel "$shot" "$2" "$3")" = "$1" ] || e2e_fail "$4 at $2,$3 (scale $s)"; }
    # The chart's inner area, inside its two-pixel border at the box's twips; the trace; sample
    # 100 at 0 degrees; a grid column; the client area's size.
    read -r want_left want_top inner trace_y sample_100 zero_degrees grid_x copy_size \
        < <(wl_calc 'tw(1320) + dev(2), tw(720) + dev(2), dev(559) - dev(2) "x" dev(383) - dev(2),
            tw(3708), tw(6000), tw(4320), tw(600), even(9960 * s / 15) " " even(7035 * s / 15)')
    # Widgets that sit at half device pixels may round either way on the screen.
    reach=$(wl_calc '(s == int(s)) ? 0 : 1')

    read -r _ _ w _ < <(wl_geometry)
    [ "$w" -eq 664 ] || e2e_fail "the window is $w logical pixels wide, not 664"
    wl_screenshot_client "$shot"
    read -r left top < <(chart_corner "$shot")
    # The chart and what lies right of and below it, where no red belongs (the camera has some).
    chart_on="$(wl_calc 'dev(600) "x" dev(400)')+$left+$top"
    expect 192,192,192 $(wl_calc 'dev(3), dev(3)') "no grey button face"
    expect 255,255,255 $(wl_calc 'dev(520), dev(26)') "no white read-out box"
    expect "$(e2e_pixel "$shot" $(wl_calc 'dev(660), dev(300)'))" $(wl_calc 'dev(80), dev(12)') \
        "another background"
    [ "$(e2e_count_colour "$shot" 255,0,0 "$chart_on")" -eq 0 ] || e2e_fail "red at start"
    e2e_log "scale $s: layout; the chart inside from $left,$top"

    # settle_with_red CONDITION: waits until the count of red pixels in the chart, red, meets the
    # condition ("red > 0", say), then until the picture stops changing. The load may still run
    # when the dialog has gone, and a slow program's picture can hold still before it draws.
    settle_with_red() {
        local deadline=$((SECONDS + 20)) red
        while true; do
            wl_screenshot_client "$shot"
            red=$(e2e_count_colour "$shot" 255,0,0 "$chart_on")
            (($1)) && break
            [ $SECONDS -lt $deadline ] || return 1
            sleep 0.1
        done
        wl_settle "$shot"
    }

    wl_open "$E2E_TMP/logs/flat.log"
    settle_with_red "red > 0" || e2e_fail "no trace drawn (scale $s)"
    chart_exact "$shot"
    row=$((top + trace_y))
    e2e_log "scale $s: Open, the grid and the trace, $red red pixels in the chart's row $trace_y"

    # Focus order from the chart: Cm2, Cm1, Text1 ... Text4, then Text5 and Text6.
    wl_point_client $((left + sample_100 + 1)) $((top + zero_degrees + 1))
    sample=$(wl_copied -k Tab -k Tab -k Tab -k Tab -k Tab -k Tab -k Tab -M ctrl a c -m ctrl) \
        || e2e_fail "nothing copied from the sample read-out"
    temperature=$(wl_copied -k Tab -M ctrl a c -m ctrl) \
        || e2e_fail "nothing copied from the temperature read-out"
    [ "$sample $temperature" = "100. $2" ] || e2e_fail "read-out '$sample' '$temperature', not '100.' '$2'"
    wl_park_pointer
    e2e_log "scale $s: read-out $sample $temperature"

    # Then Command1, the camera.
    local copy="$E2E_TMP/copy.png"
    wl_copied -k Tab -k space -- -t image/png >"$copy" || e2e_fail "no PNG on the clipboard"
    size=$(identify -format "%w %h" "$copy")
    [ "$size" = "$copy_size" ] || e2e_fail "the copied image is $size, not $copy_size"
    # As on the screen, give or take the placement of widgets at half pixels, the chart exactly.
    wl_screenshot_client "$shot"
    differing=$(unmatched "$copy" "$shot" "$reach")
    [ "$differing" = 0 ] || e2e_fail "$differing pixels of the copy differ from the screen"
    [ "$(chart_corner "$copy")" = "$want_left $want_top" ] \
        || e2e_fail "the copy's chart starts at $(chart_corner "$copy"), not $want_left,$want_top"
    differing=$(unmatched "$copy[$inner+$want_left+$want_top]" "$shot[$inner+$left+$top]" 0)
    [ "$differing" = 0 ] || e2e_fail "$differing pixels of the copy's chart differ from the screen"
    e2e_log "scale $s: Copy image, $size, as on the screen"

    wl_menu n
    settle_with_red "red == 0" || e2e_fail "New left red pixels"
    expect $green $((left + grid_x)) $row "New removed the grid"
    e2e_log "scale $s: New"

    wl_open "$E2E_TMP/bad/zero.log"
    wl_until wl_windows '.focused and .id != $main' >/dev/null || e2e_fail "no message box for a bad record"
    text=$(wl_copied -M ctrl c -m ctrl) || e2e_fail "Ctrl+C copied nothing from the message box"
    [[ "$text" == "Floating-point fault"* ]] || e2e_fail "the message box says '$text'"
    wl_keys -k Return
    wl_until wl_windows ".focused and .id == \$main" >/dev/null || e2e_fail "the message box stayed"
    e2e_log "scale $s: error box"

    wl_menu x
    e2e_expect_exit
    e2e_log "scale $s: Exit"
}

# moves SCALE SCALE...: the flat log opened on an output at the first scale, then the window
# moved to an output at each next scale in turn; the chart is drawn again exact after each move.
moves() {
    local shot="$E2E_TMP/shot.png"
    WL_OUTPUT=HEADLESS-1
    wl_second_output
    wl_msg focus output HEADLESS-1 >/dev/null
    wl_set_scale "$1"
    wl_start_app "$binary"
    wl_open "$E2E_TMP/logs/flat.log"
    wl_settle "$shot" "$shot"
    chart_exact "$shot"
    shift
    for to in "$@"; do
        wl_move_to_other_output "$to"
        wl_settle "$shot" "$shot"
        # A slow program shows its old picture scaled for a while before it draws at the new
        # scale, which can hold still long enough to pass for settled: the exact chart is
        # awaited, and the last picture checked.
        local deadline=$((SECONDS + 20))
        until (chart_exact "$shot") 2>/dev/null || [ $SECONDS -ge $deadline ]; do
            wl_settle "$shot"
        done
        chart_exact "$shot"
        e2e_log "moved to $WL_OUTPUT at scale $to: the grid and the trace exact"
    done
    wl_menu x
    e2e_expect_exit
}

# Every run at one scale comes first. The moves are one run of one window, whole scales and then,
# where they can be exact, fractional ones: 1 to 2, 2 to 1, 1 to 1.5, 1.5 to 1.25, 1.25 to 2.
at_scale 1 -0.625
if why=$(wl_no_fractional "$binary"); then
    echo "SKIP scales 1.25, 1.5 and 1.75, and moves 1 to 1.5 and 1.25 to 2: $why"
    at_scale 2 -0.313
    moves 1 2 1
else
    at_scale 1.25 -0.5
    at_scale 1.5 -0.417
    at_scale 1.75 -0.357
    at_scale 2 -0.313
    moves 1 2 1 1.5 1.25 2
fi
echo "1 passed, 0 failed"
