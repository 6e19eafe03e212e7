#!/usr/bin/env bash
# The real program starts with its one window: the right title and client area size.
source "$(dirname "$0")/lib.sh"
binary=$1

e2e_start_xvfb
e2e_start_app "$binary"

[ "$(xdotool getwindowname "$APP_WIN")" = "Kelvane  VOK" ] || e2e_fail "window title differs"
read -r x y w h < <(e2e_geometry "$APP_WIN")
[ "$w" -eq 664 ] || e2e_fail "client width is $w, not 664"
[ "$h" -gt 469 ] || e2e_fail "window height $h leaves no room for a menu bar above 469 pixels"
e2e_log "window ${w}x${h} at $x,$y"
e2e_exit_app
echo "1 passed, 0 failed"
