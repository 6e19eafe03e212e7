#!/usr/bin/env bash
# A start that fails as a Windows user can meet it: a leaking program has filled the session's
# atom table, so the main window's class cannot be registered. The viewer says why in a box with no owner, titled
# with the program's name, shows nothing else, and ends with status 1.
source "$(dirname "$0")/lib.sh"
binary=$(realpath "$1")
use_up=$(realpath "$2")

e2e_start_xvfb
e2e_wine_setup
"${E2E_APP_WRAPPER[@]}" "$use_up" 0 >"$E2E_TMP/use-up.out" 2>&1 &
E2E_PIDS+=($!)
for _ in $(seq 600); do [ -s "$E2E_TMP/use-up.out" ] && break; sleep 0.1; done
[ -s "$E2E_TMP/use-up.out" ] || e2e_fail "the atoms were not used up"
e2e_log "$(cat "$E2E_TMP/use-up.out") atoms held by the leaking program"

(cd "$E2E_TMP" && exec "${E2E_APP_WRAPPER[@]}" "$binary") >"$E2E_TMP/app.log" 2>&1 &
APP_PID=$!
E2E_PIDS+=("$APP_PID")
box=$(e2e_wait_for_message 60) || e2e_fail "no error box appeared"
[ "$(e2e_other_windows | wc -l)" -eq 1 ] || e2e_fail "more than the box is on view"
xprop -id "$box" WM_TRANSIENT_FOR | grep -q "not found" || e2e_fail "the box has an owner"
text=$(e2e_message_text "$box")
[[ $text == "Drawing error: cannot register the window class: "* ]] || e2e_fail "the box says: $text"
e2e_log "the box says: $text"
e2e_dismiss_message "$box"
deadline=$((SECONDS + 10))
while e2e_app_alive && [ $SECONDS -lt $deadline ]; do sleep 0.1; done
e2e_app_alive && e2e_fail "the program did not end after the box"
status=0
wait "$APP_PID" || status=$?
[ "$status" -eq 1 ] || e2e_fail "the program ended with status $status, not 1"
echo "1 passed, 0 failed"
