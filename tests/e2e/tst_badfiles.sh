#!/usr/bin/env bash
# Hostile files opened through the real dialog, one running program for all of them: each gets
# a message naming the right kind, the program stays up, what was drawn before stays drawn, the
# next Open works, and no file is changed or created.
source "$(dirname "$0")/lib.sh"
binary=$1

# The files live where another user can reach them, so that the viewer can run as one: as root
# every file is readable and the unreadable case would prove nothing.
chmod 0711 "$E2E_TMP"
logs="$E2E_TMP/logs"
mkdir -m 0755 "$logs"

# A good record at 25.0 degrees with no zero byte in it (sign byte 1 is non-negative): the
# trace is flat on pixel row 248 of the chart.
good_records() { printf '\001\062\014\020%.0s' $(seq "$1"); }
good_records 600 >"$E2E_TMP/good600"

# with_fault NAME RECORD SIGN HALF REMAIN PERDEGREE: 600 good records, one replaced.
with_fault() {
    local name=$1 at=$2
    shift 2
    {
        head -c $((4 * at)) "$E2E_TMP/good600"
        e2e_record "$@"
        tail -c +$((4 * at + 5)) "$E2E_TMP/good600"
    } >"$logs/$name"
}

good_records 200 >"$logs/good.log"
: >"$logs/empty.log"
printf '\001' >"$logs/1byte.log"
printf '\001\062' >"$logs/2bytes.log"
printf '\001\062\014' >"$logs/3bytes.log"
{ good_records 100; printf '\001\062'; } >"$logs/tail2.log"
{ good_records 100; printf '\001\062\014'; } >"$logs/tail3.log"
for at in 0 1 139 140 141 599; do
    with_fault "sign-$at.log" "$at" 255 0 12 16
    with_fault "remain-$at.log" "$at" 1 50 17 16
    with_fault "zero-$at.log" "$at" 1 50 0 0
done
convert -size 16x16 xc:red "png:$logs/photo.png"
mkdir "$logs/folder"
mkfifo "$logs/fifo"
good_records 10 >"$logs/unreadable.log"
chmod 0000 "$logs/unreadable.log"
missing="$logs/missing.log"

snapshot() { (cd "$logs" && stat -c '%n %s %y %a' * && md5sum -- *.log *.png); }
before=$(snapshot)

unreadable_case=yes
as_nobody=()
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null && id nobody >/dev/null 2>&1; then
    as_nobody=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
fi
if [ "$(id -u)" -eq 0 ]; then
    # Wine refuses to run in a prefix that another user owns, so under Wine the case is skipped.
    if [ ${#as_nobody[@]} -gt 0 ] && [ -z "$E2E_WINDOWS" ] \
        && "${as_nobody[@]}" test -x "$(realpath "$binary")"; then
        # Its own home and runtime folder, so that Qt finds nothing of root's.
        home="$E2E_TMP/nobody-home"
        mkdir -m 0700 "$home" "$home/runtime"
        chown -R nobody "$home"
        E2E_APP_WRAPPER=(env HOME="$home" XDG_RUNTIME_DIR="$home/runtime" "${as_nobody[@]}")
        e2e_log "running the viewer as nobody"
    else
        unreadable_case=""
        e2e_log "SKIP unreadable file: running as root, and the viewer cannot run as nobody" \
            "(no setpriv, no user nobody, the binary out of nobody's reach, or Wine)"
    fi
fi

e2e_start_xvfb
# Started elsewhere: a full path typed at machine speed into a dialog that already shows the
# file's folder races the dialog's completer, which then takes the Return.
mkdir -m 0755 "$E2E_TMP/start"
e2e_start_app "$binary" "$E2E_TMP/start"

# The chart's inner area: 557 x 381 pixels from client (90, 50); the trace's row is 248.
chart="557x381+90+50"
trace_row="557x1+90+298"
failures=0
passed=0

check() {
    if eval "$1"; then
        return 0
    fi
    echo "FAIL: $2" >&2
    failures=$((failures + 1))
    return 1
}

# red_pixels REGION: red pixels of the chart now on the screen.
red_pixels() {
    e2e_screenshot_client "$E2E_TMP/shot.png"
    e2e_count_colour "$E2E_TMP/shot.png" 255,0,0 "$1"
}

# Red pixels on the trace's row when samples 0..LAST are drawn: pixels 0..4*LAST (clipped to the
# inner area), less the vertical grid lines every 40 pixels, which stay on top.
expected_row_red() {
    local last=$1 right
    [ "$last" -le 0 ] && { echo 0; return; }
    right=$((4 * last))
    [ "$right" -gt 556 ] && right=556
    echo $((right + 1 - right / 40))
}

# open_expecting FILE KIND-TEXT [RECORD]: opens FILE and expects a message box of that kind
# naming the record; prints nothing, counts failures.
open_expecting() {
    local file=$1 kind=$2 record=${3:-} box text
    e2e_open_file "$file"
    if ! box=$(e2e_wait_for_message 10); then
        check false "$(basename "$file"): no message"
        return
    fi
    text=$(e2e_message_text "$box")
    e2e_dismiss_message "$box"
    check '[[ $text == "$kind"* ]]' "$(basename "$file"): message '$text' is not of kind '$kind'"
    if [ -n "$record" ]; then
        check '[[ $text == *"record $record ("* ]]' \
            "$(basename "$file"): message '$text' does not name record $record"
    fi
    check e2e_app_alive "$(basename "$file"): the program ended" || e2e_fail "cannot go on"
}

# --- Nothing drawn by these; a full trace drawn beforehand must survive each of them. ---
e2e_open_file "$logs/good.log"
e2e_expect_no_message
full=$(expected_row_red 140)
check '[ "$(red_pixels "$trace_row")" -eq "$full" ]' "the good log's trace is not complete"

no_draw_cases=(
    "empty.log|Floating-point fault|0"
    "1byte.log|Floating-point fault|0"
    "2bytes.log|Floating-point fault|0"
    "3bytes.log|Overflow|0"
    "photo.png|Overflow|0"
    "fifo|File error|"
)
[ -n "$unreadable_case" ] && no_draw_cases+=("unreadable.log|File error|")
for case in "${no_draw_cases[@]}"; do
    IFS='|' read -r name kind record <<<"$case"
    open_expecting "$logs/$name" "$kind" "$record"
    check '[ "$(red_pixels "$chart")" -eq "$full" ]' "$name: the earlier trace changed"
    passed=$((passed + 1))
done
# A device that never ends: refused before any read.
refused=("$missing")
if [ -z "$E2E_WINDOWS" ]; then
    open_expecting /dev/zero "File error"
    check '[ "$(red_pixels "$chart")" -eq "$full" ]' "/dev/zero: the earlier trace changed"
    passed=$((passed + 1))
else
    # Wine's dialog finds no file at a device's name: it refuses /dev/zero itself, as below.
    refused+=(/dev/zero)
fi

# The dialog itself refuses a folder (it opens it) and a name that does not exist (it warns and
# stays); the program never gets either name and nothing appears on disk.
dialog=$(e2e_show_open_dialog)
e2e_type_into "$dialog" "$(e2e_dialog_name "$logs/folder")"
typed=$(import -window "$dialog" rgb:- | md5sum)
e2e_key_into "$dialog" Return
# Going into the folder redraws the dialog (closing it takes its picture away).
for _ in $(seq 100); do
    [ "$(import -window "$dialog" rgb:- 2>/dev/null | md5sum)" != "$typed" ] && break
    sleep 0.1
done
e2e_wait_until_painted "$dialog"
check 'xwininfo -id "$dialog" | grep -q IsViewable' "the dialog closed on a folder"
# another_window_like ID SECONDS: prints a window of the app named like window ID but not ID
# (the dialog's warning box carries the dialog's title, under Wine none; its completer pop-up
# does not).
another_window_like() {
    local deadline=$((SECONDS + $2)) name="" id
    [ -n "$E2E_WINDOWS" ] || name=$(xdotool getwindowname "$1")
    while [ $SECONDS -lt $deadline ]; do
        id=$(xdotool search --all --onlyvisible --pid "$APP_PID" --name "^$name\$" 2>/dev/null \
            | grep -vx "$1" | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}
for name in "${refused[@]}"; do
    # What the field still holds from the name before goes first.
    e2e_key_into "$dialog" End shift+Home BackSpace
    e2e_type_into "$dialog" "$(e2e_dialog_name "$name")"
    e2e_key_into "$dialog" Return
    if warning=$(another_window_like "$dialog" 5); then
        e2e_wait_until_painted "$warning"
        e2e_key_into "$warning" Return
        e2e_wait_for_no_window "$warning" 5 || e2e_fail "the dialog's warning did not close"
    else
        check false "no warning for $name"
    fi
done
e2e_key_into "$dialog" Escape
e2e_wait_for_no_window "$dialog" 10 || e2e_fail "the dialog did not close"
e2e_expect_no_message
check '[ ! -e "$missing" ]' "a file appeared at the missing name"
check e2e_app_alive "the program ended after the folder and the missing name"
check '[ "$(red_pixels "$chart")" -eq "$full" ]' "the folder or missing name changed the trace"
passed=$((passed + 1 + ${#refused[@]}))

# --- Faults part-way: New, then open; the segments before the fault stay drawn. ---
fault_cases=("tail2.log|Floating-point fault|100" "tail3.log|Overflow|100")
for at in 0 1 139 140 141 599; do
    fault_cases+=("sign-$at.log|Overflow|$at" "remain-$at.log|Overflow|$at"
        "zero-$at.log|Floating-point fault|$at")
done
for case in "${fault_cases[@]}"; do
    IFS='|' read -r name kind record <<<"$case"
    e2e_click_new
    open_expecting "$logs/$name" "$kind" "$record"
    # Records 1 .. record-1 drew their segments; the faulty one drew nothing.
    want=$(expected_row_red $((record - 1)))
    row=$(red_pixels "$trace_row")
    all=$(e2e_count_colour "$E2E_TMP/shot.png" 255,0,0 "$chart")
    e2e_log "$name: $row red pixels on the trace's row, $all in the chart"
    # Whether a line's last pixel is set is the drawing surface's choice.
    check '[ "$row" -eq "$want" ] || [ "$row" -eq $((want - 1)) -a "$want" -gt 0 ]' \
        "$name: $row red pixels on the trace's row, expected $want"
    check '[ "$all" -eq "$row" ]' "$name: red outside the trace's row"
    passed=$((passed + 1))
done

# Cancelling the dialog after files were chosen loads nothing again: the cleared chart stays empty.
e2e_click_new
e2e_cancel_open
e2e_expect_no_message
check '[ "$(red_pixels "$chart")" -eq 0 ]' "a cancelled Open drew a trace"

# The next Open still works after all of that.
e2e_click_new
e2e_open_file "$logs/good.log"
e2e_expect_no_message
check '[ "$(red_pixels "$trace_row")" -eq "$full" ]' "the good log no longer draws in full"

check '[ "$(snapshot)" = "$before" ]' "a log's bytes, size, time or mode changed, or a file appeared"
diff <(echo "$before") <(snapshot) >&2 || true
e2e_exit_app

[ "$failures" -eq 0 ] || e2e_fail "$failures checks failed"
echo "$passed files refused as expected, 0 failed"
