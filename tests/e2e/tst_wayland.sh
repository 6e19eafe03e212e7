#!/usr/bin/env bash
# The real program on Wayland, at output scales 1 and 2, driven by keyboard as on a headless
# compositor: the layout, access keys, Open through the dialog, the trace, the read-out under a
# virtual pointer, New, Copy image through the Wayland clipboard, an error box copied with
# Ctrl+C, and Exit. Every pixel figure is at 96 dpi times the scale, in device pixels.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/wayland.sh"
binary=$1

chart=192,255,255
green=0,192,0
# 200 records at 25.0 degrees: a flat trace at y = 3720 twips, row 248 of the chart. The bad
# file, a record of four zero bytes, is elsewhere: a path typed into a dialog that shows its
# folder races the dialog's completer.
mkdir -m 0755 "$E2E_TMP/logs" "$E2E_TMP/bad"
for _ in $(seq 200); do e2e_record 0 50 12 16; done >"$E2E_TMP/logs/flat.log"
e2e_record 0 0 0 0 >"$E2E_TMP/bad/zero.log"
chmod 0644 "$E2E_TMP/logs/flat.log" "$E2E_TMP/bad/zero.log"

wl_start_sway

# at_scale SCALE TEMPERATURE: the whole run at one scale; TEMPERATURE is what the read-out
# shows one device pixel right of and below sample 100 at 0 degrees.
at_scale() {
    local s=$1 shot="$E2E_TMP/shot.png" w top left chart_on row
    wl_set_scale "$s"
    wl_start_app "$binary"
    # expect COLOUR X Y WHAT: the pixel at device X, Y of the last screenshot has that colour.
    expect() { [ "$(e2e_pixel "$shot" "$2" "$3")" = "$1" ] || e2e_fail "$4 at $2,$3 (scale $s)"; }

    read -r _ _ w _ < <(wl_geometry)
    [ "$w" -eq 664 ] || e2e_fail "the window is $w logical pixels wide, not 664"
    wl_screenshot_client "$shot"
    # The chart's inner area, from the chart colour above row 60 and left of column 100.
    top=$((60 * s - $(e2e_count_colour "$shot" $chart "1x$((60 * s))+$((95 * s))+0")))
    left=$((100 * s - $(e2e_count_colour "$shot" $chart "$((100 * s))x1+0+$((60 * s))")))
    ((top > 48 * s && top <= 50 * s && left > 88 * s && left <= 90 * s)) \
        || e2e_fail "the chart's inner area starts at $left,$top"
    # The chart and what lies right of and below it, where no red belongs (the camera has some).
    chart_on="$((600 * s))x$((400 * s))+$left+$top"
    # Grid lines one device pixel wide, 480 twips down and 600 twips across from its corner.
    expect $green $((left + 5 * s)) $((top + 32 * s)) "no grid row at +160"
    expect $green $((left + 40 * s)) $((top + 5 * s)) "no grid column at 10"
    for d in -1 1; do
        expect $chart $((left + 5 * s)) $((top + 32 * s + d)) "a grid row wider than a pixel"
        expect $chart $((left + 40 * s + d)) $((top + 5 * s)) "a grid column wider than a pixel"
    done
    expect 192,192,192 $((3 * s)) $((3 * s)) "no grey button face"
    expect 255,255,255 $((520 * s)) $((26 * s)) "no white read-out box"
    expect "$(e2e_pixel "$shot" $((660 * s)) $((300 * s)))" $((80 * s)) $((12 * s)) "another background"
    [ "$(e2e_count_colour "$shot" 255,0,0 "$chart_on")" -eq 0 ] || e2e_fail "red at start"
    e2e_log "scale $s: layout"

    wl_open "$E2E_TMP/logs/flat.log"
    wl_settle "$shot" "$shot"
    row=$((top + 248 * s))
    red=$(e2e_count_colour "$shot" 255,0,0 "$((664 * s))x1+0+$row")
    [ "$red" -gt $((500 * s)) ] || e2e_fail "only $red red pixels in the trace's row"
    [ "$(e2e_count_colour "$shot" 255,0,0 "$chart_on")" -eq "$red" ] || e2e_fail "red outside the trace's row"
    expect $green $((left + 40 * s)) $row "the grid is not above the trace"
    e2e_log "scale $s: Open and the trace"

    # Focus order from the chart: Cm2, Cm1, Text1 ... Text4, then Text5 and Text6.
    wl_point_client $((left + 400 * s + 1)) $((top + 288 * s + 1))
    sample=$(wl_copied -k Tab -k Tab -k Tab -k Tab -k Tab -k Tab -k Tab -M ctrl a c -m ctrl) \
        || e2e_fail "nothing copied from the sample read-out"
    temperature=$(wl_copied -k Tab -M ctrl a c -m ctrl) \
        || e2e_fail "nothing copied from the temperature read-out"
    [ "$sample $temperature" = "100. $2" ] || e2e_fail "read-out '$sample' '$temperature', not '100.' '$2'"
    wl_park_pointer
    e2e_log "scale $s: read-out"

    # Then Command1, the camera.
    wl_copied -k Tab -k space -- -t image/png >"$E2E_TMP/copy.png" || e2e_fail "no PNG on the clipboard"
    size=$(identify -format "%w %h" "$E2E_TMP/copy.png")
    [ "$size" = "$((664 * s)) $((469 * s))" ] || e2e_fail "the copied image is $size"
    wl_screenshot_client "$shot"
    differing=$(compare -metric AE "$E2E_TMP/copy.png" "$shot" null: 2>&1 || true)
    [ "$differing" = 0 ] || e2e_fail "$differing pixels of the copy differ from the screen"
    e2e_log "scale $s: Copy image"

    wl_menu n
    wl_settle "$shot" "$shot"
    [ "$(e2e_count_colour "$shot" 255,0,0 "$chart_on")" -eq 0 ] || e2e_fail "New left red pixels"
    expect $green $((left + 40 * s)) $row "New removed the grid"
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

at_scale 1 -0.625
at_scale 2 -0.313
echo "1 passed, 0 failed"
