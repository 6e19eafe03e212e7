#!/usr/bin/env bash
# The Windows edition under Wine for the end-to-end tests.
#
#   wine.sh prepare DIR   makes the Wine prefix that every test of a run copies (wineboot takes
#                         seconds, so a ctest fixture does it once)
#   wine.sh remove DIR    removes it again
#
# lib.sh sources this file when the binary under test is an .exe. Each test then runs the
# program in a prefix of its own inside its scratch space: tests side by side under ctest -j2
# never share a wineserver, a registry or a dpi, and the test's end stops its wineserver.

E2E_WINE=$(command -v wine64 || echo /usr/lib/wine/wine64)
E2E_WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver)

# wine_environment DIR: the environment Wine runs in, the prefix being DIR/prefix. No debug
# output; no Mono or Gecko installer and no menu entries written into the user's desktop.
# fontconfig keeps its cache under XDG_CACHE_HOME, inside DIR. TMPDIR is unset (for env): Debian
# 13's Wine 10 aborts at start ("free(): invalid pointer") whenever it is set, and each prefix has
# a server of its own wherever its socket lies.
wine_environment() {
    WINE_ENV=(-u TMPDIR WINEPREFIX="$1/prefix" WINEARCH=win64 WINEDEBUG=-all
        WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
        XDG_CACHE_HOME="$1/cache")
    mkdir -p "$1/cache"
}

# The settings a test desktop needs. Thai text: the faces the program asks for first are
# replaced by their Thai-capable relatives from fonts-thai-tlwg. Focus: with no window manager
# to offer it, a window that gets the X input focus takes the keyboard. The dpi is 96 here and
# set per test.
wine_settings() {
    cat <<'EOF'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"AngsanaUPC"="Kinnari"
"MS Sans Serif"="Loma"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"UseTakeFocus"="N"

[HKEY_CURRENT_USER\Control Panel\Desktop]
"LogPixels"=dword:00000060

[HKEY_CURRENT_USER\Control Panel\International]
"sDecimal"="."
EOF
}

# wine_prepare DIR: a new prefix in DIR/prefix.
# Made with no display, so that nothing of it shows on the desktop of whoever runs the tests.
wine_prepare() (
    local dir=$1 link
    unset DISPLAY WAYLAND_DISPLAY
    rm -rf "$dir"
    mkdir -p "$dir"
    wine_environment "$dir"
    wine_settings >"$dir/settings.reg"
    env "${WINE_ENV[@]}" "$E2E_WINE" wineboot --init >"$dir/wineboot.log" 2>&1 \
        || { cat "$dir/wineboot.log" >&2; return 1; }
    env "${WINE_ENV[@]}" "$E2E_WINE" regedit /S "$dir/settings.reg"
    wine_stop "$dir" --wait
    # The user's folders are links into the home of whoever made the prefix; plain folders keep
    # a test's dialogs from reaching it.
    while IFS= read -r link; do
        rm "$link" && mkdir "$link"
    done < <(find "$dir/prefix/drive_c/users" -maxdepth 2 -type l)
    # Names the server's socket folder, which went with the server.
    rm -f "$dir/prefix/wineserver"
    rm -rf "$dir/cache"
)

# wine_link_prefix FROM TO: a prefix in TO/prefix like the one in FROM/prefix. Its files are
# linked, not copied, for they are some 700 MB that Wine only reads; the files Wine opens for
# writing are copied: the registry, which the server rewrites, and the stamp of the prefix's last
# update.
wine_link_prefix() {
    mkdir -p "$2"
    cp -al "$1/prefix" "$2/prefix" 2>/dev/null \
        || { rm -rf "$2/prefix" && cp -a "$1/prefix" "$2/prefix"; }
    for file in system.reg user.reg userdef.reg .update-timestamp; do
        cp --remove-destination "$1/prefix/$file" "$2/prefix/$file"
    done
}

# e2e_wine_setup: the test's own prefix, linked from VOK_WINE_TEMPLATE's (made here when unset,
# for a script run by hand), at E2E_DPI; the program will start through Wine.
e2e_wine_setup() {
    local template=${VOK_WINE_TEMPLATE:-} file started=$SECONDS
    [ -z "${E2E_WINE_DIR:-}" ] || return 0
    if [ -z "$template" ]; then
        template="$E2E_TMP/wine-template"
        wine_prepare "$template" || e2e_fail "no Wine prefix could be made"
    fi
    [ -f "$template/prefix/system.reg" ] || e2e_fail "no Wine prefix at $template"
    # Beside the template, not in E2E_TMP, so that its files can be linked: /tmp is often a file
    # system of its own (a tmpfs on Debian 13). e2e_cleanup removes it.
    E2E_WINE_DIR=$(mktemp -d "$template-test.XXXXXX")
    wine_link_prefix "$template" "$E2E_WINE_DIR"
    sed -i "s/^\"LogPixels\"=dword:00000060\$/\"LogPixels\"=dword:$(printf %08x "$E2E_DPI")/" \
        "$E2E_WINE_DIR/prefix/user.reg"
    sed -i "s/^\"sDecimal\"=\".\"\$/\"sDecimal\"=\"$E2E_DECIMAL\"/" "$E2E_WINE_DIR/prefix/user.reg"
    wine_environment "$E2E_WINE_DIR"
    E2E_APP_WRAPPER=(env "${WINE_ENV[@]}" "$E2E_WINE")
    e2e_log "Wine prefix ready in $((SECONDS - started)) s"
}

# wine_stop DIR [--wait]: ends every process of the prefix in DIR and its server (with --wait,
# waits for them to end by themselves), then removes the server's socket folder. Debian's Wine
# makes one in /tmp (wine-XXXXXX/server-DEVICE-INODE, named by the prefix's folder) and leaves it
# behind; upstream's lies in /tmp/.wine-UID.
wine_stop() {
    local server folder
    wine_environment "$1"
    if [ "${2:-}" != --wait ]; then
        env "${WINE_ENV[@]}" "$E2E_WINESERVER" --kill 2>/dev/null || true
    fi
    env "${WINE_ENV[@]}" "$E2E_WINESERVER" --wait 2>/dev/null || true
    [ -d "$1/prefix" ] || return 0
    server=$(stat -c server-%D "$1/prefix")-$(printf %x "$(stat -c %i "$1/prefix")")
    for folder in /tmp/wine-*/"$server" "/tmp/.wine-$(id -u)/$server"; do
        [ -d "$folder" ] || continue
        rm -rf "$folder"
        rmdir "$(dirname "$folder")" 2>/dev/null || true
    done
}

# e2e_wine_stop: ends every process of the test's prefix and its server.
e2e_wine_stop() {
    [ -z "${E2E_WINE_DIR:-}" ] || wine_stop "$E2E_WINE_DIR"
}

# e2e_wine_path PATH: the name Windows gives a Unix path (Wine's drive Z: is the root).
e2e_wine_path() {
    local path=$1
    [[ $path == /* ]] && path="Z:${path//\//\\}"
    echo "$path"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    case ${1:-} in
    prepare) wine_prepare "$2" ;;
    remove) rm -rf "$2" ;;
    *)
        echo "usage: wine.sh prepare|remove DIR" >&2
        exit 2
        ;;
    esac
fi
