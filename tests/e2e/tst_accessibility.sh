#!/usr/bin/env bash
# What a screen reader finds in the running viewer, through the desktop's accessibility bus on
# the test's own session bus: names and roles of the toolbar buttons, chart and read-out boxes.
source "$(dirname "$0")/lib.sh"
binary=$1

e2e_start_xvfb
# The accessibility bus is started by the session bus on demand; it finds its display and keeps
# its socket in the test's runtime folder, not in the user's.
dbus-update-activation-environment DISPLAY XDG_RUNTIME_DIR
e2e_start_app "$binary"
# Debian's interpreter, whose packages hold the accessibility bindings.
/usr/bin/python3 "$(dirname "$0")/accessible_names.py" "$APP_PID" \
    || e2e_fail "a screen reader does not find the controls it should"
e2e_exit_app
echo "1 passed, 0 failed"
