#!/usr/bin/env bash
# The real program's window at start, which Qt's own command-line options must not change: its
# title, its client area below the menu bar, and the toolbar, chart, grid, captions and boxes
# where and in the colours the layout puts them; resizing moves nothing.
source "$(dirname "$0")/lib.sh"
binary=$1

# e2e_count_dark FILE W H X Y: pixels darker than 40% grey in the region (text ink).
e2e_count_dark() {
    convert "$1" -crop "${2}x${3}+${4}+${5}" +repage -colorspace gray -threshold 40% \
        -format "%[fx:int((1-mean)*w*h+0.5)]" info:
}

# count_near FILE R,G,B REGION: pixels within 25% of that colour (antialiased text).
count_near() {
    convert "$1" -crop "$3" +repage -fuzz 25% -fill black +opaque "rgb($2)" -fill white \
        -opaque "rgb($2)" -format "%[fx:int(mean*w*h+0.5)]" info:
}

# e2e_first_row FILE X R,G,B: the first row from the top where column X has that colour.
e2e_first_row() {
    convert "$1" -crop "1x+$2+0" +repage txt:- | awk -F'[,:() ]+' -v want="$3" \
        '$1 != "#" && row == "" && ($3 "," $4 "," $5) == want { row = $2 } END { print row }'
}

chart=192,255,255
green=0,192,0

e2e_start_xvfb
# The program takes no options, and Qt's own must change nothing either: started with two that
# would mirror the window and retitle it, it still shows the usual window checked below.
e2e_start_app "$binary" "$E2E_TMP" -reverse -qwindowtitle X

[ "$(xdotool getwindowname "$APP_WIN")" = "Kelvane  VOK" ] || e2e_fail "window title differs"
read -r x y w h < <(e2e_geometry "$APP_WIN")
[ "$w" -eq 664 ] || e2e_fail "client width is $w, not 664"
# The property is read whole before searching it: under pipefail, grep -q leaving early would
# fail xprop with SIGPIPE.
icons=$(xprop -id "$APP_WIN" _NET_WM_ICON)
has_icon() { grep -q "$1 x $1" <<<"$icons"; }
has_icon 16 || e2e_fail "no 16-pixel window icon"
has_icon 48 || e2e_fail "no 48-pixel window icon"

# The client area's top is found from what is drawn, not assumed: the chart's inner area
# starts 50 pixels below it, so the client area must then reach 469 pixels down.
window="$E2E_TMP/window.png"
import -window root -crop "${w}x${h}+${x}+${y}" +repage "$window"
chart_top=$(e2e_first_row "$window" 95 "$chart")
[ -n "$chart_top" ] || e2e_fail "no chart in the window"
client_top=$((chart_top - 50))
[ $((h - client_top)) -eq 469 ] || e2e_fail "client area is $((h - client_top)) high, not 469"
[ "$client_top" -gt 0 ] || e2e_fail "no menu bar above the client area"
# The menu bar reads left to right: "File" comes first, at the left edge.
[ "$(e2e_count_dark "$window" 40 "$client_top" 0 0)" -gt 8 ] || e2e_fail "no File menu at the left"
e2e_log "window ${w}x${h}, client area from row $client_top: 664x469"

shot="$E2E_TMP/start.png"
e2e_screenshot_client "$shot"
pixel() { e2e_pixel "$shot" "$1" "$2"; }
face=$(pixel 660 300) # free background right of the chart

# Chart: border from (88, 48), inner area (90, 50) to (646, 430) inclusive.
[ "$(pixel 90 50)" = "$chart" ] || e2e_fail "chart inner area does not start at 90,50"
[ "$(pixel 646 430)" = "$chart" ] || e2e_fail "chart inner area does not reach 646,430"
for at in "88 48" "89 49" "647 431" "648 432" "89 200" "647 200"; do
    [ "$(pixel $at)" != "$chart" ] || e2e_fail "no sunken border at $at"
done
[ "$(pixel 87 47)" = "$face" ] || e2e_fail "the chart reaches beyond 88,48"
[ "$(pixel 649 433)" = "$face" ] || e2e_fail "the chart reaches beyond 648,432"
# Grid: 11 rows of 557 pixels and 13 columns of 381, crossing 143 times; nothing else green.
[ "$(e2e_count_colour "$shot" $green "557x1+90+82")" -eq 557 ] || e2e_fail "grid row at +160 incomplete"
[ "$(e2e_count_colour "$shot" $green "1x381+130+50")" -eq 381 ] || e2e_fail "grid column at 10 incomplete"
[ "$(e2e_count_colour "$shot" $green)" -eq $((11 * 557 + 13 * 381 - 143)) ] \
    || e2e_fail "the grid has $(e2e_count_colour "$shot" $green) green pixels"
[ "$(e2e_count_colour "$shot" $chart)" -eq $((557 * 381 - (11 * 557 + 13 * 381 - 143))) ] \
    || e2e_fail "chart background pixels missing"
[ "$(e2e_count_colour "$shot" 255,0,0 "557x381+90+50")" -eq 0 ] || e2e_fail "red on the chart at start"

# Toolbar: light grey faces at 0, 24, 48 and 88, 25 pixels square; background between them.
for left in 0 24 48 88; do
    [ "$(pixel $((left + 3)) 3)" = "192,192,192" ] || e2e_fail "no grey button face at $left"
    [ "$(pixel $((left + 3)) 21)" = "192,192,192" ] || e2e_fail "button at $left is not 25 high"
done
[ "$(pixel 80 12)" = "$face" ] || e2e_fail "Command2 does not stand apart"
[ "$(pixel 12 26)" = "$face" ] || e2e_fail "buttons reach below 25 pixels"
[ "$(e2e_count_colour "$shot" 0,0,0 "16x16+5+5")" -gt 10 ] || e2e_fail "New glyph missing"

# Read-out captions in blue over their boxes; white boxes.
[ "$(count_near "$shot" 0,0,255 65x17+512+0)" -gt 20 ] || e2e_fail "Label3 not blue"
[ "$(count_near "$shot" 0,0,255 57x17+592+0)" -gt 20 ] || e2e_fail "Label19 not blue"
[ "$(count_near "$shot" 0,0,255 664x469+0+0)" -eq $(($(count_near "$shot" 0,0,255 65x17+512+0) + \
    $(count_near "$shot" 0,0,255 57x17+592+0))) ] || e2e_fail "blue outside the captions"
for at in "520 26" "592 26" "45 58" "45 426" "92 450" "612 450"; do
    [ "$(pixel $at)" = "255,255,255" ] || e2e_fail "no white text box at $at"
done
# Axis captions: ink inside each caption's rectangle.
for top in 72 104 136 168 200 232 264 296 328 360 392; do
    [ "$(e2e_count_dark "$shot" 41 17 40 $top)" -gt 8 ] || e2e_fail "y caption at $top empty"
done
for left in 144 224 304 384 464 544; do
    [ "$(e2e_count_dark "$shot" 49 17 $left 440)" -gt 8 ] || e2e_fail "x caption at $left empty"
done

# Resizing moves nothing: the chart keeps its place and the new space is plain background.
# Wine (10 and later) does not follow a resize that no window manager made: the Windows edition
# is sized through Windows, by the test-only helper built beside it.
if [ -n "$E2E_WINDOWS" ]; then
    "${E2E_APP_WRAPPER[@]}" "$(dirname "$(realpath "$binary")")/vok-tell-window.exe" size 800 \
        $((600 - client_top)) || e2e_fail "vok-tell-window failed"
    for _ in $(seq 100); do [ "$(e2e_geometry "$APP_WIN")" != "$x $y $w $h" ] && break; sleep 0.1; done
else
    xdotool windowsize --sync "$APP_WIN" 800 600 2>/dev/null || xdotool windowsize "$APP_WIN" 800 600
fi
e2e_wait_until_painted
read -r x y w h < <(e2e_geometry "$APP_WIN")
[ "$w" -eq 800 ] || e2e_fail "the window did not grow"
import -window root -crop "${w}x${h}+${x}+${y}" +repage "$window"
[ "$(e2e_first_row "$window" 95 "$chart")" = "$chart_top" ] || e2e_fail "the chart moved"
[ "$(e2e_pixel "$window" 750 $((client_top + 300)))" = "$face" ] || e2e_fail "new space not background"
[ "$(e2e_pixel "$window" 646 $((client_top + 430)))" = "$chart" ] || e2e_fail "the chart changed size"
[ "$(e2e_pixel "$window" 647 $((client_top + 431)))" != "$chart" ] || e2e_fail "the chart grew"

# The New button's tool tip shows when the pointer rests on it (the Qt edition's tool tips are
# checked by its widget tests).
if [ -n "$E2E_WINDOWS" ]; then
    e2e_pointer_to $((x + $(e2e_px 187))) $((y + client_top + $(e2e_px 187)))
    for _ in $(seq 100); do [ -n "$(e2e_other_windows)" ] && break; sleep 0.1; done
    [ -n "$(e2e_other_windows)" ] || e2e_fail "no tool tip over the New button"
fi

e2e_app_alive || e2e_fail "the program ended"
echo "1 passed, 0 failed"
