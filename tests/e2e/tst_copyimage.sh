#!/usr/bin/env bash
# Copy image on the real program: the clipboard's PNG is the client area as seen on the screen.
source "$(dirname "$0")/lib.sh"
binary=$1

e2e_start_xvfb
e2e_start_app "$binary"

# A trace on the chart makes the comparison cover the drawn image, not only the static layout:
# a sawtooth, so that the trace rises and falls.
for sample in $(seq 0 140); do
    e2e_record 0 $((60 + sample % 40)) 8 16
done >"$E2E_TMP/trace.log"
e2e_open_file "$E2E_TMP/trace.log"
e2e_expect_no_message

e2e_expect_copy_matches_screen 664 469
[ "$(e2e_count_colour "$E2E_TMP/copy.png" 255,0,0)" -gt 100 ] || e2e_fail "the copy shows no trace"
e2e_log "copy at the starting size matches the screen"

# Another program's window over the chart is not copied: the window draws its own image.
cp "$E2E_TMP/screen.png" "$E2E_TMP/uncovered.png"
read -r ox oy < <(e2e_client_origin)
xmessage -geometry "300x200+$((ox + 200))+$((oy + 150))" "covering the chart" &
cover_pid=$!
E2E_PIDS+=("$cover_pid")
timeout 10 xdotool search --sync --onlyvisible --name "^xmessage$" >/dev/null \
    || e2e_fail "the covering window did not appear"
e2e_wait_for_change "$E2E_TMP/uncovered.png" || e2e_fail "the covering window is not on the screen"
e2e_clear_clipboard
e2e_click_camera
e2e_clipboard_image "$E2E_TMP/copy.png" || e2e_fail "no image after covering"
differing=$(compare -metric AE "$E2E_TMP/copy.png" "$E2E_TMP/uncovered.png" null: 2>&1 || true)
[ "$differing" = "0" ] || e2e_fail "$differing pixels of the covered copy differ from the window"
e2e_log "a covered window copies as uncovered"
kill "$cover_pid"
wait "$cover_pid" 2>/dev/null || true

e2e_exit_app
