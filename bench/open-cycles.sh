#!/usr/bin/env bash
# Resident-memory growth of the real program per cycle of Open (a 16 MiB log), Copy image and
# New, driven on Xvfb through the keyboard and the toolbar as a user would. Memory that a cycle
# leaves behind shows up here however small, as it adds up over a long session.
# Usage: open-cycles.sh BINARY [CYCLES, default 100] [WARM-UP CYCLES, default 20]
# Prints notes as "note: ..." and the figure as "memory_growth_per_open_kib: N".
source "$(dirname "$0")/../tests/e2e/lib.sh"
binary=$1 cycles=${2:-100} warmup=${3:-20}
e2e_log() { echo "note: $*"; }

# 16 MiB of valid records: a sawtooth for the drawn part, repeated to the full size.
log="$E2E_TMP/16mib.log"
for i in $(seq 0 1023); do e2e_record 0 $((60 + i % 40)) 8 16; done >"$log"
for _ in $(seq 12); do
    cat "$log" "$log" >"$log.next"
    mv "$log.next" "$log"
done

rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$APP_PID/status"; }

# Lets everything the last cycle queued run before memory is read. A window or popup left open
# would have taken a click meant for the main window, so the cycles would not have been what
# they seem.
settle() {
    sleep 1
    e2e_app_alive || e2e_fail "the program ended"
    [ -z "$(e2e_other_windows)" ] || e2e_fail "a window of the program stayed open after a cycle"
}

# file_menu KEY: opens the File menu with Alt+F and chooses the item by its access key, once the
# menu shows: a key that comes before it would go to the window instead.
file_menu() {
    local menu
    e2e_key_into "$APP_WIN" alt+f
    menu=$(e2e_wait_for_window "" 10) || e2e_fail "the File menu did not open"
    e2e_key_into "$menu" "$1"
    e2e_wait_for_no_window "$menu" 10 || e2e_fail "the File menu did not close"
}

# Open through Alt+F, O with the path typed into the dialog; Copy image from the camera button;
# New through Alt+F, N. The dialog must close, so a name that did not arrive whole fails here.
open_log() {
    local dialog
    file_menu o
    dialog=$(e2e_wait_for_window "." 10) || e2e_fail "the open-file dialog did not appear"
    e2e_type_into "$dialog" "$log"
    e2e_key_into "$dialog" Return
    e2e_wait_for_no_window "$dialog" 10 || e2e_fail "the open-file dialog did not close"
}
cycle() {
    open_log
    e2e_click_camera
    file_menu n
}

e2e_start_xvfb
e2e_start_app "$binary"

# Once by hand with checks that each step did its work: a trace, an image, a clear chart.
open_log
sleep 0.5
e2e_screenshot_client "$E2E_TMP/loaded.png"
[ "$(e2e_count_colour "$E2E_TMP/loaded.png" 255,0,0 557x381+90+50)" -gt 100 ] \
    || e2e_fail "Open drew no trace"
e2e_click_camera
sleep 0.5
[[ "$(xclip -selection clipboard -t TARGETS -o 2>/dev/null)" == *image/* ]] \
    || e2e_fail "Copy image put no image on the clipboard"
file_menu n
sleep 0.5
e2e_screenshot_client "$E2E_TMP/cleared.png"
[ "$(e2e_count_colour "$E2E_TMP/cleared.png" 255,0,0 557x381+90+50)" -eq 0 ] \
    || e2e_fail "New left the trace"

for ((i = 1; i < warmup; i++)); do cycle; done
settle
before=$(rss_kib)
start=$SECONDS
for ((i = 0; i < cycles; i++)); do cycle; done
settle
after=$(rss_kib)
e2e_log "resident memory ${before} KiB after $warmup cycles," \
    "${after} KiB after $cycles more ($((SECONDS - start)) s)"
awk -v a="$before" -v b="$after" -v n="$cycles" \
    'BEGIN { printf "memory_growth_per_open_kib: %.1f\n", (b - a) / n }'
