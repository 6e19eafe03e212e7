#!/usr/bin/env bash
# Shared helpers for end-to-end tests: the real binary on a private Xvfb display, driven with
# xdotool, read back with screenshots and xclip. Source it; call e2e_start_xvfb first.
#
# Coordinates called "client" are pixels from the top-left corner of the window's client area
# (below the menu bar), the origin every layout figure is measured from.
#
# E2E_DPI (96 unless the script sets it before e2e_start_xvfb) is the desktop's dpi, set as
# desktops set it: Xft.dpi in the root window's resources, never in the program's environment.
# Under Wine it is the Windows desktop's LogPixels.
#
# E2E_DECIMAL (. unless set) is the user's decimal separator; a comma is set as the user's
# German number format: LC_NUMERIC for the Linux edition, the regional settings under Wine.
#
# A binary whose name ends in .exe is the Windows edition: it runs under Wine (wine.sh).

set -euo pipefail

# Every test has a session bus of its own. Qt talks to D-Bus: with no session bus, libdbus would
# autolaunch one (dbus-launch) that outlives the test, and with the user's it would share theirs.
# The script runs itself again under dbus-run-session, which ends the bus when the script ends;
# the services the bus started go with it. Without dbus-run-session no bus can be launched.
if [ -z "${E2E_PRIVATE_BUS:-}" ]; then
    export E2E_PRIVATE_BUS=1
    if command -v dbus-run-session >/dev/null; then
        exec dbus-run-session -- bash "$0" "$@"
    fi
    unset DBUS_SESSION_BUS_ADDRESS
fi

E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/vok-e2e.XXXXXX")
E2E_PIDS=()
# A command the viewer is started through, such as setpriv to run it as another user.
E2E_APP_WRAPPER=()
E2E_DPI=${E2E_DPI:-96}
E2E_DECIMAL=${E2E_DECIMAL:-.}
APP_PID=""
APP_WIN=""
E2E_WINDOWS=""
if [[ ${1:-} == *.exe ]]; then
    E2E_WINDOWS=yes
    source "$(dirname "${BASH_SOURCE[0]}")/wine.sh"
fi

e2e_cleanup() {
    local pid
    [ -z "$E2E_WINDOWS" ] || e2e_wine_stop
    for pid in "${E2E_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$E2E_TMP" ${E2E_WINE_DIR:+"$E2E_WINE_DIR"}
}
trap e2e_cleanup EXIT

e2e_fail() {
    echo "FAIL: $*" >&2
    if [ -n "$APP_PID" ] && [ -f "$E2E_TMP/app.log" ]; then
        echo "--- program output ---" >&2
        cat "$E2E_TMP/app.log" >&2
    fi
    exit 1
}

e2e_log() { echo "e2e: $*"; }

# e2e_px TWIPS: the pixel of a twip position at the desktop's dpi, halves rounded up.
e2e_px() { echo $(((2 * $1 * E2E_DPI + 1440) / 2880)); }

# Starts Xvfb on a free display at E2E_DPI and exports DISPLAY.
e2e_start_xvfb() {
    local fifo="$E2E_TMP/displayfd"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1600x1200x24 -dpi "$E2E_DPI" -nolisten tcp -noreset 3>"$fifo" \
        >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_PIDS+=($!)
    local display
    read -r -t 20 display <"$fifo" || e2e_fail "Xvfb did not start"
    export DISPLAY=":$display"
    E2E_CLIENT_HEIGHT=$(e2e_px 7035)
    [ "$E2E_DPI" = 96 ] || xprop -root -f RESOURCE_MANAGER 8s -set RESOURCE_MANAGER "Xft.dpi:	$E2E_DPI"
    unset WAYLAND_DISPLAY
    export QT_QPA_PLATFORM=xcb
    # Qt wants a private runtime folder; give it one inside the test's scratch space.
    export XDG_RUNTIME_DIR="$E2E_TMP/runtime"
    mkdir -m 0700 -p "$XDG_RUNTIME_DIR"
    # Qt's file dialog keeps its last folder in the user's configuration; a private one keeps
    # tests that run side by side from opening each other's folders.
    export XDG_CONFIG_HOME="$E2E_TMP/config"
    e2e_log "Xvfb on $DISPLAY"
}

# e2e_start_app BINARY [working-dir [arguments...]]: starts the viewer, waits for its window (a
# minute: a new Wine prefix on a loaded machine can take most of that to show one).
e2e_start_app() {
    local binary workdir=${2:-$E2E_TMP}
    binary=$(realpath "$1")
    if [ -n "$E2E_WINDOWS" ]; then
        e2e_wine_setup
    elif [ "$E2E_DECIMAL" = , ]; then
        E2E_APP_WRAPPER=(env LC_NUMERIC=de_DE.UTF-8 "${E2E_APP_WRAPPER[@]}")
    fi
    (cd "$workdir" && exec "${E2E_APP_WRAPPER[@]}" "$binary" "${@:3}") >"$E2E_TMP/app.log" 2>&1 &
    APP_PID=$!
    E2E_PIDS+=("$APP_PID")
    APP_WIN=$(e2e_wait_for_window "^Kelvane  VOK\$" 60) || e2e_fail "no main window appeared"
    e2e_wait_until_painted
}

# e2e_wait_until_painted [WINDOW]: waits until the window's pixels (the main window's unless
# given) stop changing, so that a busy machine's late first paint is not mistaken for the
# program's picture, and a dialog is drawn before it is typed into.
e2e_wait_until_painted() {
    local window=${1:-$APP_WIN} deadline=$((SECONDS + 20)) previous="" current
    while [ $SECONDS -lt $deadline ]; do
        sleep 0.25
        current=$(import -window "$window" rgb:- 2>/dev/null | md5sum)
        [ "$current" = "$previous" ] && return 0
        previous=$current
    done
    e2e_fail "the window never settled"
}

e2e_app_alive() { kill -0 "$APP_PID" 2>/dev/null; }

# e2e_wait_for_window NAME-REGEX SECONDS: prints the id of the first visible window of the app
# whose name matches, other than the main window. With 0 seconds it looks once.
e2e_wait_for_window() {
    local pattern=$1 seconds=${2:-10} deadline ids id
    deadline=$((SECONDS + seconds))
    while true; do
        # --all: xdotool's default is any condition, which would take every window of the app.
        ids=$(xdotool search --all --onlyvisible --pid "$APP_PID" --name "$pattern" 2>/dev/null \
            || true)
        for id in $ids; do
            if [ "$id" != "$APP_WIN" ]; then
                echo "$id"
                return 0
            fi
        done
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

# e2e_wait_for_no_window ID SECONDS: waits until window ID is gone or unmapped.
e2e_wait_for_no_window() {
    local id=$1 seconds=${2:-10} deadline
    deadline=$((SECONDS + seconds))
    while [ $SECONDS -lt $deadline ]; do
        [[ "$(xwininfo -id "$id" 2>/dev/null)" == *IsViewable* ]] || return 0
        sleep 0.1
    done
    return 1
}

# The other windows of the app that are visible now (dialogs, message boxes), one id a line.
e2e_other_windows() {
    xdotool search --all --onlyvisible --pid "$APP_PID" --name "" 2>/dev/null \
        | grep -vx "$APP_WIN" || true
}

# Window geometry: e2e_geometry ID prints "x y width height" of its inner area on the screen.
e2e_geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
        /^  Width/{w=$NF} /^  Height/{h=$NF} END{print x, y, w, h}'
}

# The client area is the window less the menu bar, which sits on top; its height at start is
# 7035 twips (469 pixels at 96 dpi), so the menu bar is whatever the window has above that.
E2E_CLIENT_HEIGHT=469
e2e_client_origin() {
    local x y w h
    read -r x y w h < <(e2e_geometry "$APP_WIN")
    echo "$x $((y + h - E2E_CLIENT_HEIGHT))"
}

# e2e_pointer_to X Y: moves the pointer to screen coordinates. xdotool's --sync waits for a
# motion event, which never comes when the pointer is there already.
e2e_pointer_to() {
    local x y
    eval "$(xdotool getmouselocation --shell | grep -E '^[XY]=' | tr 'XY' 'xy')"
    [ "$x $y" = "$1 $2" ] || xdotool mousemove --sync "$1" "$2"
}

# e2e_click_client X Y: a left click at client coordinates of the main window.
e2e_click_client() {
    e2e_point_client "$1" "$2"
    xdotool click 1
}

# e2e_point_client X Y: moves the pointer to client coordinates of the main window.
e2e_point_client() {
    local ox oy
    read -r ox oy < <(e2e_client_origin)
    e2e_pointer_to $((ox + $1)) $((oy + $2))
}

# e2e_move_client X Y: moves the pointer to client coordinates over the chart, and waits for
# the read-out to show them; it fails where the read-out would not change. Under Wine a move the
# program has not taken yet merges into the next one, so the next input waits for this one.
e2e_move_client() {
    e2e_pointer_over_chart "$1" "$2" \
        || e2e_fail "the read-out did not follow the pointer to $1 $2"
}

# e2e_pointer_over_chart X Y [X2]: moves the pointer to X Y and waits up to ten seconds for the
# read-out (both boxes) to change. With X2 it goes by X2 Y, and goes again where the read-out has
# not followed within four seconds, up to three times: Qt on X may drop every jump that soon
# follows a click on a toolbar button, where a real mouse would send many moves.
e2e_pointer_over_chart() {
    local ox oy region attempt
    region="$(e2e_px 2055)x$(e2e_px 315)+$(e2e_px 7680)+$(e2e_px 240)"
    e2e_screenshot_client "$E2E_TMP/readout.png"
    convert "$E2E_TMP/readout.png" -crop "$region" +repage "$E2E_TMP/readout.png"
    read -r ox oy < <(e2e_client_origin)
    if [ -z "${3:-}" ]; then
        e2e_pointer_to $((ox + $1)) $((oy + $2))
        e2e_wait_for_change "$E2E_TMP/readout.png" "$region"
        return
    fi
    for attempt in 1 2 3; do
        e2e_pointer_to $((ox + $3)) $((oy + $2))
        e2e_pointer_to $((ox + $1)) $((oy + $2))
        e2e_wait_for_change "$E2E_TMP/readout.png" "$region" 4 && return 0
    done
    return 1
}

# Toolbar buttons, clicked at their centres.
e2e_click_new() { e2e_click_client "$(e2e_px 187)" "$(e2e_px 187)"; }
e2e_click_open() {
    e2e_point_open
    xdotool click 1
}
e2e_point_open() { e2e_point_client "$(e2e_px 547)" "$(e2e_px 187)"; }
e2e_click_camera() { e2e_click_client "$(e2e_px 907)" "$(e2e_px 187)"; }
e2e_click_exit() { e2e_click_client "$(e2e_px 1507)" "$(e2e_px 187)"; }

# e2e_type_into WINDOW TEXT: types into a window. Without a window manager the keyboard
# follows the pointer, so the pointer is parked over the window first.
e2e_type_into() {
    local id=$1 text=$2 x y w h
    read -r x y w h < <(e2e_geometry "$id")
    e2e_pointer_to $((x + w / 2)) $((y + 10))
    xdotool windowfocus --sync "$id" 2>/dev/null || true
    xdotool type --delay 2 -- "$text"
}

e2e_key_into() {
    local id=$1
    shift
    local x y w h
    read -r x y w h < <(e2e_geometry "$id")
    e2e_pointer_to $((x + w / 2)) $((y + 10))
    xdotool windowfocus --sync "$id" 2>/dev/null || true
    xdotool key "$@"
}

# e2e_dialog_name PATH: PATH as a user types it into the open-file dialog.
e2e_dialog_name() { if [ -n "$E2E_WINDOWS" ]; then e2e_wine_path "$1"; else echo "$1"; fi; }

# e2e_show_open_dialog: Open from the toolbar; prints the open-file dialog's id once it is drawn.
# Where none has come within ten seconds it aims and clicks again, three clicks at most, as
# e2e_pointer_over_chart goes again for a lost move; a dialog that is only slow (a sanitized
# build's first one on a busy machine has come eleven seconds after the click) is found in any
# round. It clicks only where the pointer rests on the main window and no other window of the
# program shows: the dialog comes over the button, and a click there would act on it. A click
# that reaches a program still busy with the one before finds the dialog open and the main
# window taking no input.
e2e_show_open_dialog() {
    local attempt dialog window
    for attempt in 1 2 3; do
        e2e_point_open
        window=$(xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p')
        if [ "$window" = "$APP_WIN" ] && [ -z "$(e2e_other_windows)" ]; then
            [ "$attempt" = 1 ] || e2e_log "no open-file dialog after ten seconds; clicking again" >&2
            xdotool click 1
        fi
        if dialog=$(e2e_wait_for_window "." 10); then
            e2e_wait_until_painted "$dialog"
            echo "$dialog"
            return 0
        fi
    done
    e2e_fail "the open-file dialog did not appear"
}

# e2e_open_file PATH: Open from the toolbar, the path typed into the dialog's name field, then
# Return. Waits for the dialog to close, as long as it may take to come; the load may still run.
# Callers wait for its message box, or call e2e_expect_no_message, which returns once the load
# has ended.
e2e_open_file() {
    local path dialog
    path=$(e2e_dialog_name "$1")
    dialog=$(e2e_show_open_dialog)
    # A slow program shows the name field's completion list while the name is still coming.
    # Qt's list can take the Return, and keys that reach it as it closes are lost: the dialog
    # then opens the folder typed so far, empties the field and stays. So where the dialog is
    # still shown, whatever it says is closed and the whole name goes into the field again.
    local attempt window
    for attempt in 1 2 3; do
        if [ "$attempt" != 1 ]; then
            [[ "$(xwininfo -id "$dialog" 2>/dev/null)" == *IsViewable* ]] || return 0
            e2e_log "the open-file dialog is still shown; typing the name again" >&2
            for window in $(e2e_other_windows); do
                [ "$window" = "$dialog" ] || e2e_key_into "$window" Return
            done
            e2e_key_into "$dialog" Home shift+End
        fi
        e2e_type_into "$dialog" "$path"
        e2e_key_into "$dialog" Return
        e2e_wait_for_no_window "$dialog" 10 && return 0
    done
    e2e_fail "the open-file dialog did not close for $path"
}

# e2e_cancel_open: Open from the toolbar, then Escape in the dialog.
e2e_cancel_open() {
    local dialog
    dialog=$(e2e_show_open_dialog)
    e2e_key_into "$dialog" Escape
    e2e_wait_for_no_window "$dialog" 30 || e2e_fail "the open-file dialog did not close"
}

# e2e_wait_for_message SECONDS: waits for a message box; prints its id.
e2e_wait_for_message() {
    e2e_wait_for_window "^Kelvane  VOK\$" "${1:-10}"
}

# The clipboard is given this text before each copy that a test reads, so that text from
# before is never taken for the copy.
E2E_NOTHING_COPIED="vok-e2e: nothing copied yet"

# e2e_read_clipboard [XCLIP-OPTIONS]: the clipboard's content. A read sent to an owner that is
# just giving the clipboard up is never answered, and xclip would wait for ever: it gives up after
# five seconds, and the callers that wait for a copy ask again.
e2e_read_clipboard() { timeout 5 xclip -selection clipboard "$@" -o 2>/dev/null; }
e2e_clear_clipboard() {
    printf %s "$E2E_NOTHING_COPIED" | xclip -selection clipboard >/dev/null 2>&1
}

# e2e_copied_text [SECONDS]: the clipboard's text once the program has copied some (under Wine it
# reaches X a moment after the program sets it); fails after ten seconds with nothing copied.
e2e_copied_text() {
    local deadline=$((SECONDS + ${1:-10})) text
    while true; do
        text=$(e2e_read_clipboard) || text=$E2E_NOTHING_COPIED
        if [ "$text" != "$E2E_NOTHING_COPIED" ]; then
            printf '%s\n' "$text"
            return 0
        fi
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

# e2e_copy COMMAND...: runs a command that makes the program copy text, and prints the text. It
# asks again, up to three times, where nothing comes within three seconds: Wine holds the
# clipboard open for a moment when another program takes it, and a copy in that moment fails.
e2e_copy() {
    local attempt
    for attempt in 1 2 3; do
        e2e_clear_clipboard
        "$@"
        e2e_copied_text 3 && return 0
    done
    return 1
}

# e2e_message_text ID: the text of a message box, copied with Ctrl+C as a user would.
e2e_message_text() {
    local id=$1 text
    text=$(e2e_copy e2e_key_into "$id" ctrl+c) || return 0
    if [ -n "$E2E_WINDOWS" ]; then
        # A Windows box copies its title, text and buttons, each between dashed lines.
        printf '%s\n' "$text" | tr -d '\r' | awk '/^-+$/ { n++; next } n == 2'
    else
        printf '%s\n' "$text"
    fi
}

# e2e_dismiss_message ID: presses Return on a message box and waits for it to close, and for the
# window beneath to paint where it lay: until then the screen keeps the box's pixels there, and a
# busy program's chart would show the box's red icon. Callers have read the box's text, so it is
# drawn by then.
e2e_dismiss_message() {
    local x y w h shown="$E2E_TMP/box.png" now="$E2E_TMP/box-now.png" deadline
    read -r x y w h < <(e2e_geometry "$1")
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$shown"
    e2e_key_into "$1" Return
    e2e_wait_for_no_window "$1" 10 || e2e_fail "the message box did not close"
    deadline=$((SECONDS + 10))
    while import -window root -crop "${w}x${h}+${x}+${y}" +repage "$now" \
        && compare -metric AE "$shown" "$now" null: 2>/dev/null; do
        [ $SECONDS -lt $deadline ] || e2e_fail "the window beneath the message box did not paint"
        sleep 0.1
    done
}

# e2e_wait_for_change PICTURE [REGION [SECONDS]]: waits until the client area on the screen, or
# the region of it (WxH+X+Y) that PICTURE shows, differs from PICTURE; fails after ten seconds,
# or SECONDS.
e2e_wait_for_change() {
    local deadline=$((SECONDS + ${3:-10})) now="$E2E_TMP/now.png"
    while true; do
        e2e_screenshot_client "$now"
        [ -z "${2:-}" ] || convert "$now" -crop "$2" +repage "$now"
        [ "$(compare -metric AE "$1" "$now" null: 2>&1 || true)" != 0 ] && return 0
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
}

# e2e_sync: returns once the main window has handled all input sent to it before, by moving
# the pointer over the chart and waiting for the read-out to follow. A command still running
# holds the move back, and a modal box blocks it: then it fails after twelve seconds. The two
# samples it takes in turn read differently from each other and from every place a test reads.
# It moves between two pixels that read the same, as often as e2e_pointer_over_chart needs.
E2E_SYNC_TURN=0
e2e_sync() {
    local x
    E2E_SYNC_TURN=$((1 - E2E_SYNC_TURN))
    x=$(($(e2e_px $((1320 + 60 * (33 + E2E_SYNC_TURN)))) + 2))
    e2e_pointer_over_chart "$x" $(($(e2e_px $((720 + 2000))) + 2)) $((x - 1))
}

# e2e_expect_no_message: fails if a message box is on view once the main window has handled
# everything sent to it (e2e_sync): a box the last command shows comes before that.
e2e_expect_no_message() {
    local id synced=yes
    e2e_sync || synced=""
    if id=$(e2e_wait_for_message 0); then
        e2e_fail "unexpected message: $(e2e_message_text "$id")"
    fi
    [ -n "$synced" ] || e2e_fail "the window took no input for twelve seconds"
    # What the command drew may reach the screen after the read-out does.
    e2e_wait_until_painted
}

# e2e_screenshot_client OUT.png: the main window's client area as it is on the screen.
e2e_screenshot_client() {
    local out=$1 x y w h
    read -r x y w h < <(e2e_geometry "$APP_WIN")
    import -window root -crop "${w}x${E2E_CLIENT_HEIGHT}+${x}+$((y + h - E2E_CLIENT_HEIGHT))" \
        +repage "$out"
}

# e2e_expect_copy_matches_screen WIDTH HEIGHT: camera click, then the clipboard's image against
# the client area on the screen. The pointer stays on the camera, so the copy's end is seen on
# the clipboard rather than through e2e_sync.
e2e_expect_copy_matches_screen() {
    local width=$1 height=$2 size differing
    # A click on the bare background first makes the window active, so that the camera button
    # already shows its focus when the copy is taken, as it does on the screenshot afterwards.
    e2e_click_client "$(e2e_px 6000)" "$(e2e_px 187)"
    e2e_sync || e2e_fail "the window took no input for twelve seconds"
    e2e_clear_clipboard
    e2e_click_camera
    # The program owns the selection and serves it, so it is read while the program runs. Asked
    # again where nothing comes within three seconds, as e2e_copy does for text.
    local tries=1 copied=yes
    until e2e_clipboard_image "$E2E_TMP/copy.png" 3; do
        if [ $tries -ge 3 ]; then
            copied=""
            break
        fi
        tries=$((tries + 1))
        e2e_click_camera
    done
    if [ -z "$copied" ]; then
        local id
        id=$(e2e_wait_for_message 0) && e2e_fail "unexpected message: $(e2e_message_text "$id")"
        e2e_fail "the clipboard holds no image"
    fi
    # The image is the copy's last step; a box would have come before it.
    ! e2e_wait_for_message 0 >/dev/null || e2e_fail "a message box came with the copy"
    size=$(identify -format "%w %h" "$E2E_TMP/copy.png") || e2e_fail "the clipboard PNG is unreadable"
    [ "$size" = "$width $height" ] || e2e_fail "copied image is $size, not $width $height"
    # The pointer still rests on the camera, as it did when the copy was taken.
    e2e_screenshot_client "$E2E_TMP/screen.png"
    differing=$(compare -metric AE "$E2E_TMP/copy.png" "$E2E_TMP/screen.png" null: 2>&1 || true)
    [ "$differing" = "0" ] || e2e_fail "$differing pixels of the copy differ from the screen"
}

# e2e_clipboard_image OUT.png: the clipboard's image as PNG, once there is one (Wine hands the
# clipboard to X a moment after the program fills it). Wine serves a bitmap as BMP only.
e2e_clipboard_image() {
    local target=image/png deadline=$((SECONDS + ${2:-10}))
    [ -z "$E2E_WINDOWS" ] || target=image/bmp
    until e2e_read_clipboard -t TARGETS | grep -x "$target" >/dev/null; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.1
    done
    e2e_read_clipboard -t "$target" | convert - -alpha off "png:$1"
}

# e2e_pixel FILE X Y: the pixel's colour as "R,G,B" (0-255).
e2e_pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# e2e_count_colour FILE R,G,B [X Y W H]: how many pixels have exactly that colour.
e2e_count_colour() {
    local file=$1 colour=$2 region=${3:-}
    local args=("$file")
    [ -n "$region" ] && args+=(-crop "$region" +repage)
    convert "${args[@]}" -fill black +opaque "rgb($colour)" -fill white -opaque "rgb($colour)" \
        -format "%[fx:int(mean*w*h+0.5)]" info:
}

# e2e_exit_app: Exit from the toolbar; fails unless the program ends with status 0 in time.
e2e_exit_app() {
    e2e_click_exit
    e2e_expect_exit
}

# e2e_expect_exit: fails unless the program ends with status 0 in time.
e2e_expect_exit() {
    local deadline=$((SECONDS + 10))
    while e2e_app_alive && [ $SECONDS -lt $deadline ]; do sleep 0.1; done
    e2e_app_alive && e2e_fail "the program did not end after Exit"
    local status=0
    wait "$APP_PID" || status=$?
    [ "$status" -eq 0 ] || e2e_fail "the program ended with status $status"
}

# e2e_record SIGN HALF REMAIN PERDEGREE: writes one four-byte log record to standard output.
e2e_record() {
    printf "$(printf '\\%03o\\%03o\\%03o\\%03o' "$1" "$2" "$3" "$4")"
}

# e2e_read_box CLIENT-X CLIENT-Y: the text of a text box, selected and copied as a user would;
# nothing when the box is empty, which copies nothing.
e2e_read_box() { e2e_copy e2e_select_and_copy "$1" "$2" || true; }

e2e_select_and_copy() {
    e2e_click_client "$1" "$2"
    # Wine's edit box does not take Ctrl+A: the text is selected from its end to its start.
    if [ -n "$E2E_WINDOWS" ]; then
        xdotool key End shift+Home ctrl+c
    else
        xdotool key ctrl+a ctrl+c
    fi
}
