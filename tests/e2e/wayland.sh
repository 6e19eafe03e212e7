#!/usr/bin/env bash
# Wayland helpers for end-to-end tests: a headless sway, keys typed with wtype, a virtual pointer
# (wl-pointer.py), screenshots with grim and the clipboard read with wl-paste. Source it after
# lib.sh and call wl_start_sway first.
#
# sway will not run as root, so as root the compositor and the viewer run as the system user
# vok-e2e, created when missing; files the viewer opens must be readable by it. What that user
# runs is copied into its home, since the checkout may be private to its owner. Keys do not
# repeat: Qt repeats a key itself until it reads the release, which a slow program (a sanitized
# build on a busy machine) may read after the repeat delay, typing a letter twice. The viewer's
# window floats undecorated at the output's top-left corner, so its client area is the window's
# bottom E2E_CLIENT_HEIGHT logical pixels. "Device" pixels are the output's, at its scale, which
# may be fractional: the client area then starts at a fraction of a device pixel, which Qt rounds
# halves up.

WL_APP_ID=org.kelvane.vok
# The output in device pixels: room for the window and its dialogs at scale 2, and a whole number
# of logical pixels at 1.25, 1.5 and 1.75, where sway would otherwise scale windows slightly.
WL_MODE=(2520 1890)
WL_SCALE=1
WL_OUTPUT=HEADLESS-1 # the output the window is on
WL_HOME="$E2E_TMP/wayland" # the user's home, runtime folder, configuration and viewer binary
WL_RUN=()                  # runs a command as that user, in the compositor's session
WL_WINDOW=""               # sway's id of the main window

# Qt's Wayland plugin leaves Wayland objects and the clipboard's contents undestroyed at exit,
# which a sanitized build's leak check cannot tell from the program's own leaks; those are
# checked by the X11 tests.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

wl_msg() { "${WL_RUN[@]}" swaymsg "$@"; }

# wl_start_sway: starts the compositor at scale 1 and the virtual pointer. Exits with 77 (skip)
# when the compositor cannot start at all.
wl_start_sway() {
    mkdir -p "$WL_HOME/runtime"
    chmod 0700 "$WL_HOME" "$WL_HOME/runtime"
    install -m 0644 "$(dirname "${BASH_SOURCE[0]}")/wl-pointer.py" "$WL_HOME/wl-pointer.py"
    WL_RUN=(env)
    if [ "$(id -u)" -eq 0 ]; then
        id vok-e2e >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin \
            vok-e2e || e2e_fail "cannot create the user vok-e2e"
        chmod 0711 "$E2E_TMP"
        chown -R vok-e2e: "$WL_HOME"
        WL_RUN=(setpriv --reuid=vok-e2e --regid=vok-e2e --clear-groups env)
    fi
    WL_RUN+=(-u DISPLAY PATH=/usr/local/bin:/usr/bin:/bin HOME="$WL_HOME"
        XDG_RUNTIME_DIR="$WL_HOME/runtime" XDG_CONFIG_HOME="$WL_HOME/config" QT_QPA_PLATFORM=wayland)
    cat >"$E2E_TMP/sway.conf" <<EOF
xwayland disable
output HEADLESS-1 mode ${WL_MODE[0]}x${WL_MODE[1]} scale 1
default_border none
default_floating_border none
input type:keyboard repeat_rate 0
input type:pointer map_to_output HEADLESS-1
for_window [app_id="$WL_APP_ID"] floating enable, move position 0 0
EOF
    chmod 0644 "$E2E_TMP/sway.conf"
    command -v sway >/dev/null || { echo "SKIP: sway is not installed"; exit 77; }
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        "${WL_RUN[@]}" sway -c "$E2E_TMP/sway.conf" >"$E2E_TMP/sway.log" 2>&1 &
    E2E_PIDS+=($!)
    local deadline=$((SECONDS + 20)) display="" socket=""
    while [ -z "$display" ] || [ -z "$socket" ]; do
        if [ $SECONDS -ge $deadline ] || ! kill -0 $! 2>/dev/null; then break; fi
        sleep 0.1
        display=$(cd "$WL_HOME/runtime" && ls -d wayland-? 2>/dev/null) || true
        socket=$(ls -d "$WL_HOME"/runtime/sway-ipc.*.sock 2>/dev/null) || true
    done
    if [ -z "$display" ] || [ -z "$socket" ]; then
        echo "SKIP: the compositor cannot start:" && cat "$E2E_TMP/sway.log"
        exit 77
    fi
    WL_RUN+=(WAYLAND_DISPLAY="$display" SWAYSOCK="$socket")
    e2e_log "sway on $display as $("${WL_RUN[@]}" id -un)"
    # A keyboard that stays, idle: every wtype brings its own and takes it away again, and a
    # window whose last keyboard goes counts as inactive, hiding its focus and closing its menus.
    "${WL_RUN[@]}" wtype -s 600000 &
    E2E_PIDS+=($!)
    coproc WL_POINTER { exec "${WL_RUN[@]}" python3 "$WL_HOME/wl-pointer.py" "${WL_MODE[@]}"; }
    E2E_PIDS+=("$WL_POINTER_PID")
}

wl_set_scale() {
    wl_msg output "$WL_OUTPUT" scale "$1" >/dev/null
    WL_SCALE=$1
}

# wl_second_output: makes the second output, HEADLESS-2, when missing. It must exist before the
# viewer starts: a window moved to an output whose announcement its program has not read yet (a
# slow program, a sanitized build on a busy machine) takes the output's scale without Qt 6.4
# drawing it again, and shows its old picture scaled, or nothing, from then on.
wl_second_output() {
    wl_msg -t get_outputs | jq -e '.[] | select(.name == "HEADLESS-2")' >/dev/null \
        || wl_msg create_output >/dev/null || e2e_fail "cannot make a second output"
}

# wl_move_to_other_output SCALE: the main window to the other of two outputs, at that scale, at
# its top-left corner; the second output, made by wl_second_output, is put right of the first.
wl_move_to_other_output() {
    local to=HEADLESS-1
    [ "$WL_OUTPUT" = HEADLESS-2 ] || to=HEADLESS-2
    wl_msg output "$to" mode "${WL_MODE[0]}x${WL_MODE[1]}" pos "${WL_MODE[0]}" 0 scale "$1" \
        >/dev/null
    [ "$to" = HEADLESS-2 ] || wl_msg output HEADLESS-1 pos 0 0 >/dev/null
    wl_msg "[con_id=$WL_WINDOW]" move container to output "$to", focus >/dev/null
    wl_msg "[con_id=$WL_WINDOW]" move position 0 0 >/dev/null
    WL_OUTPUT=$to WL_SCALE=$1
}

# wl_no_fractional BINARY: succeeds, saying why, where the viewer cannot be exact at a fractional
# scale. That takes Qt 6.5 or newer, which draws at the scale the compositor prefers for the
# window, and a compositor that offers fractional-scale-v1; older Qt draws at the next whole
# scale and the compositor scales the window down.
wl_no_fractional() {
    local core qt=""
    core=$(ldd "$1" 2>/dev/null | awk '$1 ~ /^libQt6Core/ { print $3 }')
    [ -z "$core" ] || qt=$(basename "$(realpath "$core")")
    qt=${qt##*.so.}
    if ! printf '%s\n' 6.5 "$qt" | sort -V -C; then
        echo "the viewer runs on Qt ${qt:-of unknown version}, before 6.5, which draws at the next" \
            "whole scale for the compositor to scale down"
    elif ! "${WL_RUN[@]}" python3 "$WL_HOME/wl-pointer.py" --globals \
        | grep -x wp_fractional_scale_manager_v1 >/dev/null; then
        echo "the compositor offers no fractional-scale-v1"
    else
        return 1
    fi
}

# wl_start_app BINARY: starts a copy of the viewer that the user can reach, waits for its window.
wl_start_app() {
    install -m 0755 "$1" "$WL_HOME/kelvane-vok"
    wl_park_pointer
    (cd "$WL_HOME" && exec "${WL_RUN[@]}" ./kelvane-vok) >"$E2E_TMP/app.log" 2>&1 &
    APP_PID=$!
    E2E_PIDS+=("$APP_PID")
    WL_WINDOW=""
    WL_WINDOW=$(wl_until wl_windows .focused) || e2e_fail "no main window appeared"
    wl_settle "$E2E_TMP/settle.png"
}

# wl_until COMMAND...: runs the command every tenth of a second until it succeeds, for at most
# 20 seconds.
wl_until() {
    local deadline=$((SECONDS + 20))
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

# wl_windows JQ-CONDITION: prints the sway ids of the app's windows that meet the condition on
# their node in sway's tree, where $main is the main window's id; fails when none does.
wl_windows() {
    wl_msg -t get_tree | jq -e --argjson main "${WL_WINDOW:-0}" \
        ".. | objects | select(.app_id? == \"$WL_APP_ID\") | select($1) | .id"
}

# wl_settle OUT.png [BEFORE.png]: waits until the client area differs from BEFORE, when given,
# and then stops changing, so that a busy machine's late paint is not mistaken for the program's
# picture; OUT is the settled client area.
wl_settle() {
    local before="" previous="" current="" deadline=$((SECONDS + 20))
    [ -z "${2:-}" ] || before=$(md5sum <"$2")
    while [ -z "$previous" ] || [ "$current" != "$previous" ] || [ "$current" = "$before" ]; do
        [ $SECONDS -lt $deadline ] || e2e_fail "the window never settled"
        previous=$current
        sleep 0.25
        wl_screenshot_client "$1"
        current=$(md5sum <"$1")
    done
}

# The main window's logical "x y width height", from the corner of its output.
wl_geometry() {
    local origin
    origin=$(wl_msg -t get_outputs | jq -c --arg name "$WL_OUTPUT" \
        '.[] | select(.name == $name) | .rect')
    wl_msg -t get_tree | jq -r --argjson id "$WL_WINDOW" --argjson at "$origin" \
        '.. | objects | select(.id? == $id) | .rect
        | "\(.x - $at.x) \(.y - $at.y) \(.width) \(.height)"'
}

# wl_calc 'EXPRESSION, ...': the values, in awk at the output's scale s, where dev(n) is layout
# pixel n and tw(t) twip t in device pixels, halves rounded up as the viewer and Qt round them;
# even(v) rounds halves to even, and lines() lists the device pixels of twips from, from + step ...
# to.
wl_calc() {
    awk -v s="$WL_SCALE" 'function dev(n) { return int(n * s + 0.5) }
        function tw(t) { return dev(t / 15) }
        function even(v, f) { f = int(v); if (v - f > 0.5 || (v - f == 0.5 && f % 2)) f++; return f }
        function lines(from, to, step, t, l) {
            for (t = from; t <= to; t += step) l = l (t > from ? "," : "") tw(t)
            return l
        }
        BEGIN { print '"$1"' }'
}

# The client area's device "x y width height" on the output: its corner rounded as Qt rounds it,
# its size as the viewer copies it.
wl_client_rect() {
    local x y w h
    read -r x y w h < <(wl_geometry)
    wl_calc "dev($x), dev($((y + h - E2E_CLIENT_HEIGHT))), even($w * s), even($E2E_CLIENT_HEIGHT * s)"
}

# wl_screenshot_client OUT.png: the client area as on the screen, in device pixels. The whole
# output is taken and cut, since grim resamples a region that starts at a fraction of a pixel.
wl_screenshot_client() {
    local x y w h
    read -r x y w h < <(wl_client_rect)
    # Without the time of writing, so that equal pictures make equal files.
    "${WL_RUN[@]}" grim -t ppm -o "$WL_OUTPUT" - | convert ppm:- -crop "${w}x$h+$x+$y" +repage \
        -define png:exclude-chunks=date,time "png:$1"
}

# wl_keys WTYPE-ARGUMENTS: keys to the focused window. wtype's keyboard loses what it sends in
# its first moments, hence the pause.
wl_keys() { "${WL_RUN[@]}" wtype -s 700 "$@"; }

# wl_menu LETTER: the File menu's item with that access key. The letter goes once the menu has
# come over the client area and is drawn: a slow program (a sanitized build on a busy machine)
# opens it later than any fixed pause, and a letter before that would go to the main window.
wl_menu() {
    wl_screenshot_client "$E2E_TMP/menu.png"
    wl_keys -M alt f -m alt
    wl_settle "$E2E_TMP/menu.png" "$E2E_TMP/menu.png"
    wl_keys "$1"
}

# wl_point X Y: the pointer to device pixel X, Y of HEADLESS-1, the one output it is kept on;
# returns once the compositor has passed the move on, so that keys sent afterwards reach the
# viewer after it.
wl_point() {
    local reply=""
    echo "$1 $2" >&"${WL_POINTER[1]}"
    read -r -t 10 reply <&"${WL_POINTER[0]}" || true
    [ "$reply" = ok ] || e2e_fail "the virtual pointer did not move"
}

# The pointer out of the way: the compositor draws it into screenshots, and over a button it
# would light the button up.
wl_park_pointer() { wl_point $((WL_MODE[0] - 1)) $((WL_MODE[1] - 1)); }

# wl_point_client X Y: the pointer to device pixel X, Y of the client area.
wl_point_client() {
    local x y
    read -r x y _ < <(wl_client_rect)
    wl_point $((x + $1)) $((y + $2))
}

# wl_open PATH: File > Open, the path typed into the dialog, Return; waits for the dialog to go.
# A window that learns its scale late redraws as the menu is asked for, and the access key can go
# before the menu. Where no dialog comes, two Escapes close any menu and the menu bar's key
# navigation (which would take later Tabs), and the menu is asked for again.
wl_open() {
    local dialog="" attempt
    for attempt in 1 2 3; do
        if [ "$attempt" != 1 ]; then
            e2e_log "no open-file dialog; asking the menu again" >&2
            wl_keys -k Escape -k Escape
        fi
        wl_menu o
        dialog=$(wl_until wl_windows '.focused and .id != $main') && break
    done
    [ -n "$dialog" ] || e2e_fail "no open-file dialog"
    wl_keys "$1" -k Return
    wl_until wl_windows ".focused and .id != $dialog" >/dev/null \
        || e2e_fail "the open-file dialog did not close for $1"
}

# wl_copied WTYPE-ARGUMENTS [-- WL-PASTE-ARGUMENTS]: empties the clipboard, sends the keys, and
# prints what the viewer then puts on the clipboard.
wl_copied() {
    local keys=()
    while [ $# -gt 0 ] && [ "$1" != -- ]; do keys+=("$1") && shift; done
    shift || true
    "${WL_RUN[@]}" wl-copy --clear
    wl_keys "${keys[@]}"
    wl_until wl_paste "$@"
}
wl_paste() { "${WL_RUN[@]}" wl-paste -n "$@" 2>/dev/null; }
