#!/usr/bin/env python3
"""A virtual pointer for a wlroots compositor that has none of its own, such as a headless one.

Usage: wl-pointer.py WIDTH HEIGHT. Each line "X Y" read from standard input moves the pointer to
the centre of device pixel X, Y of a WIDTH x HEIGHT output and prints "ok" once the compositor has
handled the move, so that whatever is sent to the compositor afterwards reaches clients after the
motion. The centre, because clients get positions in 1/256 of a logical pixel, which at a
fractional scale lands a pixel's edge a hair short of the pixel. With --globals instead, prints
the interfaces the compositor offers. Speaks the Wayland wire protocol itself: nothing but Python
is needed.
"""
import itertools
import os
import socket
import struct
import sys
import time

sock = socket.socket(socket.AF_UNIX)
sock.connect(os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ["WAYLAND_DISPLAY"]))
received = b""
ids = itertools.count(2)  # 1 is the display; the compositor wants new ids in order


def send(target, opcode, *args):
    body = b""
    for arg in args:
        if isinstance(arg, str):
            text = arg.encode() + b"\0"
            body += struct.pack("<I", len(text)) + text + b"\0" * (-len(text) % 4)
        else:
            body += struct.pack("<I", arg)
    sock.sendall(struct.pack("<II", target, (8 + len(body)) << 16 | opcode) + body)


def roundtrip(on_event=lambda target, opcode, body: None):
    """wl_display.sync: returns when the compositor has handled every request sent before."""
    global received
    callback = next(ids)
    send(1, 0, callback)
    while True:
        while len(received) < 8 or len(received) < struct.unpack_from("<I", received, 4)[0] >> 16:
            chunk = sock.recv(4096)
            if not chunk:
                sys.exit("wl-pointer: the compositor closed the connection")
            received += chunk
        target, word = struct.unpack_from("<II", received)
        body, received = received[8 : word >> 16], received[word >> 16 :]
        if target == callback:
            return
        on_event(target, word & 0xFFFF, body)


MANAGER = "zwlr_virtual_pointer_manager_v1"
registry = next(ids)
send(1, 1, registry)  # wl_display.get_registry
globals_ = {}


def on_global(target, opcode, body):
    if target == registry and opcode == 0:
        name, length = struct.unpack_from("<II", body)
        globals_[body[8 : 8 + length - 1].decode()] = name


roundtrip(on_global)
if sys.argv[1:] == ["--globals"]:
    sys.exit(print(*globals_, sep="\n"))
if MANAGER not in globals_:
    sys.exit("wl-pointer: the compositor offers no virtual pointer")
manager, pointer = next(ids), next(ids)
send(registry, 0, globals_[MANAGER], MANAGER, 1, manager)  # wl_registry.bind
send(manager, 0, 0, pointer)  # create_virtual_pointer on the default seat
width, height = int(sys.argv[1]), int(sys.argv[2])
for line in sys.stdin:
    x, y = map(int, line.split())
    # Through the pixel to the right: a window that the pointer enters is told only where it
    # entered, and acts on the motion that follows.
    for step_x in (x + 1, x):
        when = int(time.monotonic() * 1000) & 0xFFFFFFFF
        send(pointer, 1, when, 2 * step_x + 1, 2 * y + 1, 2 * width, 2 * height)
        send(pointer, 4)  # frame
    roundtrip()
    print("ok", flush=True)
