#!/usr/bin/env bash
# A session of Open, New, Copy image and Exit with a fresh home and fresh XDG folders writes
# no file: every call that could create or change one is traced, and the fresh folders are
# searched afterwards. What Qt's own file dialog keeps is listed apart and allowed.
source "$(dirname "$0")/lib.sh"
binary=$(realpath "$1")

fresh="$E2E_TMP/fresh"
mkdir -p "$fresh"/{home,config,data,cache,state,start,logs}
for _ in $(seq 200); do e2e_record 0 50 12 16; done >"$fresh/logs/flat.log"
log_before=$(stat -c '%s %y' "$fresh/logs/flat.log")$(md5sum <"$fresh/logs/flat.log")

e2e_start_xvfb
export HOME="$fresh/home" XDG_CONFIG_HOME="$fresh/config" XDG_DATA_HOME="$fresh/data"
export XDG_CACHE_HOME="$fresh/cache" XDG_STATE_HOME="$fresh/state"
# e2e_start_xvfb gave the runtime folder; make it fresh too, it must exist with mode 0700.
export XDG_RUNTIME_DIR="$fresh/runtime"
mkdir -m 0700 "$XDG_RUNTIME_DIR"
[ -z "$E2E_WINDOWS" ] || e2e_wine_setup
touch "$E2E_TMP/started"

trace="$E2E_TMP/trace.txt"
tracing=""
# Where the kernel allows it, strace stops the viewer only at the calls it records, not at each
# of the many calls that draw and read events, which would slow it several times over.
strace_options=(-f -qq)
if strace "${strace_options[@]}" --seccomp-bpf -o /dev/null true 2>/dev/null; then
    strace_options+=(--seccomp-bpf)
fi
if strace "${strace_options[@]}" -o /dev/null true 2>/dev/null; then
    tracing=yes
    # The tracer's child is the viewer; the harness finds windows by the viewer's own process.
    # LeakSanitizer cannot run under a tracer; the other end-to-end tests check for leaks.
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
    (cd "$fresh/start" && exec strace "${strace_options[@]}" -o "$trace" \
        -e trace=open,openat,creat,mkdir,mkdirat,rename,renameat,renameat2,link,linkat,symlink,symlinkat,unlink,unlinkat,rmdir,truncate,chmod,fchmodat,utimensat \
        "${E2E_APP_WRAPPER[@]}" "$binary") >"$E2E_TMP/app.log" 2>&1 &
    tracer=$!
    E2E_PIDS+=("$tracer")
    for _ in $(seq 100); do
        APP_PID=$(pgrep -P "$tracer" | head -n 1 || true)
        [ -n "$APP_PID" ] && break
        sleep 0.1
    done
    [ -n "$APP_PID" ] || e2e_fail "the traced viewer did not start"
    APP_WIN=$(e2e_wait_for_window "^Kelvane  VOK\$" 30) || e2e_fail "no main window appeared"
    e2e_wait_until_painted
else
    e2e_log "strace cannot trace here; only the fresh folders are searched"
    e2e_start_app "$binary" "$fresh/start"
fi

e2e_open_file "$fresh/logs/flat.log"
e2e_expect_no_message
e2e_click_new
e2e_clear_clipboard
e2e_click_camera
e2e_clipboard_image "$E2E_TMP/copy.png" || e2e_fail "Copy image put no image on the clipboard"
e2e_expect_no_message

if [ -n "$tracing" ]; then
    e2e_click_exit
    for _ in $(seq 100); do kill -0 "$tracer" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$tracer" 2>/dev/null && e2e_fail "the program did not end after Exit"
    status=0
    wait "$tracer" || status=$?
    [ "$status" -eq 0 ] || e2e_fail "the program ended with status $status"
else
    e2e_exit_app
fi

# Qt's file dialog remembers its folder and view in QtProject.conf (with a lock and a temporary
# file while it saves), and fontconfig or Mesa may fill their caches: the toolkit's, not ours.
toolkit_pattern="^($XDG_CONFIG_HOME/QtProject\\.conf|$XDG_CACHE_HOME/(fontconfig|mesa_shader_cache)/)"
# Under Wine, the registry in the test's own prefix and the server's socket folder: Wine's too.
if [ -n "$E2E_WINDOWS" ]; then
    toolkit_pattern="${toolkit_pattern%)}|$E2E_WINE_DIR/|/tmp/(wine-[^/]+|\.wine-[0-9]+)(/|\$))"
fi

written=""
if [ -n "$tracing" ]; then
    # Calls that succeeded and could create or change a file: opens for writing or creating,
    # and every call that makes, renames, removes or re-dates a name. /dev and /proc are devices;
    # an O_TMPFILE open makes no name (only a later link, traced too, would).
    written=$(grep -v ' = -1 ' "$trace" | grep -v O_TMPFILE | grep -E \
        'open(at)?\(.*O_(WRONLY|RDWR|CREAT|TRUNC)|^[0-9]+ +(creat|mkdir|mkdirat|rename|renameat2?|link|linkat|symlink|symlinkat|unlink|unlinkat|rmdir|truncate|chmod|fchmodat|utimensat)\(' \
        | grep -oE '"[^"]*"' | tr -d '"' | grep -vE '^/(dev|proc)/' | sort -u || true)
    # Wine's server names its registry and socket relative to its prefix; the fresh folders,
    # where the viewer starts, are searched below all the same.
    [ -z "$E2E_WINDOWS" ] || written=$(grep '^/' <<<"$written" || true)
fi
created=$(find "$fresh" "$XDG_RUNTIME_DIR" -newer "$E2E_TMP/started" \( -type f -o -type l \) \
    2>/dev/null | sort -u || true)

toolkit=$(printf '%s\n%s\n' "$written" "$created" | grep -E "$toolkit_pattern" | sort -u || true)
ours=$(printf '%s\n%s\n' "$written" "$created" | grep -vE "$toolkit_pattern" | grep . | sort -u \
    || true)

if [ -n "$toolkit" ]; then
    e2e_log "written by the toolkit (allowed):"
    sed 's/^/    /' <<<"$toolkit"
fi
[ -z "$ours" ] || e2e_fail "files created or changed by the session:"$'\n'"$ours"
[ "$(stat -c '%s %y' "$fresh/logs/flat.log")$(md5sum <"$fresh/logs/flat.log")" = "$log_before" ] \
    || e2e_fail "the log changed"
echo "1 passed, 0 failed"
