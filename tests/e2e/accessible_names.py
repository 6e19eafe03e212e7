#!/usr/bin/python3
"""What a screen reader finds in the running viewer: switches accessibility on for the session
as a desktop does when a screen reader starts, finds the viewer by its process id among the
applications on the accessibility bus, and checks the names and roles of its controls.

Usage: accessible_names.py PID; exits non-zero with the reasons when something is missing."""

import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402
import pyatspi  # noqa: E402

MEASUREMENT = "\u0e27\u0e31\u0e14\u0e04\u0e23\u0e31\u0e49\u0e07\u0e17\u0e35\u0e48"
TEMPERATURE = "\u0e2d\u0e38\u0e13\u0e2b\u0e20\u0e39\u0e21\u0e34"
EXPECTED = [
    (pyatspi.ROLE_PUSH_BUTTON, "New"),
    (pyatspi.ROLE_PUSH_BUTTON, "Open"),
    (pyatspi.ROLE_PUSH_BUTTON, "Copy image"),
    (pyatspi.ROLE_PUSH_BUTTON, "Exit"),
    (pyatspi.ROLE_CHART, "Temperature chart"),
    (pyatspi.ROLE_TEXT, MEASUREMENT),
    (pyatspi.ROLE_TEXT, TEMPERATURE),
]


def switch_accessibility_on():
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                  GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled",
                                         GLib.Variant("b", True))),
                  None, Gio.DBusCallFlags.NONE, -1, None)


def find_application(pid, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for index in range(desktop.childCount):
            application = desktop.getChildAtIndex(index)
            if application is not None and application.get_process_id() == pid:
                return application
        time.sleep(0.2)
    sys.exit(f"the viewer (process {pid}) never showed up on the accessibility bus")


def descendants(node):
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield child
            yield from descendants(child)


def main():
    switch_accessibility_on()
    found = {}
    for node in descendants(find_application(int(sys.argv[1]))):
        found.setdefault((node.getRole(), node.name), []).append(node)
    problems = []
    for role, name in EXPECTED:
        count = len(found.get((role, name), []))
        if count != 1:
            problems.append(f"{count} controls of role '{Atspi.role_get_name(role)}' "
                            f"named {name!r}")
    if not problems:
        # Each read-out box has the caption above it: the measurement number is the left one.
        x = {name: found[(pyatspi.ROLE_TEXT, name)][0].queryComponent()
             .getExtents(pyatspi.DESKTOP_COORDS).x for name in (MEASUREMENT, TEMPERATURE)}
        if not x[MEASUREMENT] < x[TEMPERATURE]:
            problems.append(f"the read-out boxes' names are swapped: {x}")
    if problems:
        print("\n".join(problems), file=sys.stderr)
        print("found:", sorted((Atspi.role_get_name(role), name) for role, name in found
                               if name), file=sys.stderr)
        sys.exit(1)


main()
