#!/usr/bin/env bash
# The sample logs as a first-time user meets them: started in examples/, each log picked by its
# bare name in the open-file dialog, its trace drawn and, for the broken ones, the error shown.
# Usage: tst_examples.sh BINARY [SCREENSHOT.png]; with a second argument it also saves the
# window, day.log's trace and a read-out, as the README's picture.
source "$(dirname "$0")/lib.sh"
binary=$1
screenshot=${2:-}
examples=$(realpath "$(dirname "$0")/../../examples")

# The chart's inner area starts at client pixel (90, 50) and is 557 x 381 pixels; sample n is
# at x = 4n, 0 degrees at y = 288.
inner_x=90
inner_y=50

red_in() { e2e_count_colour "$E2E_TMP/shot.png" 255,0,0 "$1"; }
# red_right_of SAMPLE: red pixels right of that sample's column.
red_right_of() {
    local x=$((4 * $1))
    red_in "$((557 - x))x381+$((inner_x + x))+$inner_y"
}

# open_example NAME: New, then Open with the name typed as it is: the dialog must start in the
# working directory for a bare name to be found.
open_example() {
    e2e_click_new
    e2e_open_file "$1"
}

# expect_error KIND-TEXT DETAIL: a message box that names the error's kind and its place.
expect_error() {
    local id text
    id=$(e2e_wait_for_message 10) || e2e_fail "no message for $current"
    text=$(e2e_message_text "$id")
    [[ "$text" == *"$1"* && "$text" == *"$2"* ]] \
        || e2e_fail "$current: message '$text' lacks '$1' or '$2'"
    e2e_dismiss_message "$id"
    e2e_app_alive || e2e_fail "$current: the program ended after the message"
}

# broken_example NAME KIND-TEXT DETAIL RECORDS: the first RECORDS samples are drawn, then the
# error is shown and the trace ends where the broken record is.
broken_example() {
    current=$1
    open_example "$current"
    expect_error "$2" "$3"
    e2e_screenshot_client "$E2E_TMP/shot.png"
    [ "$(red_in "$((4 * ($4 - 1)))x381+$inner_x+$inner_y")" -gt 0 ] || e2e_fail "$1: no trace"
    [ "$(red_right_of $(($4 + 1)))" -eq 0 ] || e2e_fail "$1 drawn past its $4 good records"
}

e2e_start_xvfb
e2e_start_app "$binary" "$examples"

current=day.log
open_example "$current"
e2e_expect_no_message
e2e_screenshot_client "$E2E_TMP/shot.png"
# The trace reaches the chart's right end: 288 records, the first 141 drawn.
[ "$(red_in "24x381+$((inner_x + 4 * 133))+$inner_y")" -gt 0 ] || e2e_fail "day.log stops short"
# Read-out over the midday peak: sample 84, about 87 degrees.
e2e_move_client $((inner_x + 4 * 84)) $((inner_y + 149))
if [ -n "$screenshot" ]; then
    e2e_wait_until_painted
    read -r x y w h < <(e2e_geometry "$APP_WIN")
    import -window root -crop "${w}x${h}+${x}+${y}" +repage -strip "$screenshot"
    e2e_log "saved $screenshot"
fi
[ "$(e2e_read_box 544 26)" = "84." ] || e2e_fail "sample read-out over day.log"
[ "$(e2e_read_box 616 26)" = "86.875" ] || e2e_fail "temperature read-out over day.log"

current=cold-store.log
open_example "$current"
e2e_expect_no_message
e2e_screenshot_client "$E2E_TMP/shot.png"
[ "$(red_in "557x90+$inner_x+$((inner_y + 291))")" -gt 0 ] || e2e_fail "cold store never below 0"
[ "$(red_right_of 135)" -gt 0 ] || e2e_fail "cold-store.log stops short"

broken_example still-writing.log "Overflow" "incomplete record of 3 bytes" 80
broken_example bad-record.log "Floating-point fault" "record 90" 90

e2e_exit_app
echo "1 passed, 0 failed"
