#!/usr/bin/env bash
# Logs dragged from another program onto the running viewer, the pointer moved as a user moves
# it: a file dropped on the chart and one dropped on a text box each add their trace, and the
# source is told they were copied, never moved. The first lies in folders past 300 characters,
# as synced and shared folders give them.
source "$(dirname "$0")/lib.sh"
binary=$1
drag_source=$(realpath "$2")

# Flat logs at 25 and 85 degrees: traces along the chart's pixel rows 248 and 152.
deep=$E2E_TMP$(printf '/a folder named at some length%.0s' $(seq 10))
mkdir -p "$deep"
for _ in $(seq 200); do e2e_record 0 50 12 16; done >"$deep/warm.log"
for _ in $(seq 200); do e2e_record 0 170 12 16; done >"$E2E_TMP/hot.log"

e2e_start_xvfb
e2e_start_app "$binary"
inner_x=90
inner_y=50

# drag_and_drop PATH CLIENT-X CLIENT-Y: presses a drag source offering PATH, moves the pointer
# to the viewer's client coordinates in steps, to and fro by a pixel until the viewer takes the
# drop as a copy, releases, and sets drag_result to how the source saw the drag end.
drag_and_drop() {
    local pid window sx sy w h ox oy tx ty i
    "$drag_source" "$1" >"$E2E_TMP/drag.out" 2>"$E2E_TMP/drag.log" &
    pid=$!
    E2E_PIDS+=("$pid")
    window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$pid" --name '^drag source$' \
        | head -n 1) || e2e_fail "the drag source did not appear"
    e2e_wait_until_painted "$window"
    read -r sx sy w h < <(e2e_geometry "$window")
    sx=$((sx + w / 2)) sy=$((sy + h / 2))
    read -r ox oy < <(e2e_client_origin)
    tx=$((ox + $2)) ty=$((oy + $3))
    e2e_pointer_to "$sx" "$sy"
    xdotool mousedown 1
    for _ in $(seq 100); do grep -qx dragging "$E2E_TMP/drag.log" && break; sleep 0.1; done
    for i in 1 2 3 4 5 6 7; do
        xdotool mousemove $((sx + (tx - sx) * i / 8)) $((sy + (ty - sy) * i / 8))
    done
    for i in $(seq 100); do
        xdotool mousemove $((tx + i % 2)) "$ty"
        grep -qx "action copy" "$E2E_TMP/drag.log" && break
        sleep 0.1
    done
    xdotool mouseup 1
    for _ in $(seq 200); do [ -s "$E2E_TMP/drag.out" ] && break; sleep 0.1; done
    drag_result=$(cat "$E2E_TMP/drag.out")
    [ -n "$drag_result" ] || e2e_fail "the drag did not end: $(cat "$E2E_TMP/drag.log")"
    # The source stays until the viewer has read what was dropped.
    e2e_wait_until_painted
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}

red_in_row() { e2e_count_colour "$E2E_TMP/shot.png" 255,0,0 "557x1+${inner_x}+$((inner_y + $1))"; }

drag_and_drop "$deep/warm.log" $((inner_x + 280)) $((inner_y + 190))
[ "$drag_result" = copy ] || e2e_fail "the drop on the chart ended as '$drag_result', not 'copy'"
e2e_expect_no_message
e2e_screenshot_client "$E2E_TMP/shot.png"
# 557 pixels less the 13 vertical grid lines on top.
[ "$(red_in_row 248)" -eq 544 ] || e2e_fail "no trace after the drop on the chart: $(red_in_row 248)"

# The temperature read-out box takes dragged text of its own, but not a file.
drag_and_drop "$E2E_TMP/hot.log" 616 26
[ "$drag_result" = copy ] || e2e_fail "the drop on a text box ended as '$drag_result', not 'copy'"
e2e_expect_no_message
e2e_screenshot_client "$E2E_TMP/shot.png"
[ "$(red_in_row 152)" -eq 544 ] || e2e_fail "no trace after the drop on a text box: $(red_in_row 152)"
[ "$(red_in_row 248)" -eq 544 ] || e2e_fail "the first trace went away"
# Under Wine the box may show a read-out: Wine reports the pointer where the first drop left it.
[[ "$(e2e_read_box 616 26)" != *hot.log* ]] || e2e_fail "the text box took the drop as text"

e2e_exit_app
echo "1 passed, 0 failed"
