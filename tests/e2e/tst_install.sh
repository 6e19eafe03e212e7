#!/usr/bin/env bash
# The Windows installer and the portable zip under Wine, as a user meets them: an older version
# installed, then replaced by this one; the Start-menu shortcut and the Apps & features entry;
# the installed program starting; the uninstall leaving none of the install's files or keys;
# then the zip's program, run where it was unpacked.
# Usage: tst_install.sh EXE MSI ZIP (the exe the packages were made from, for the older one).
source "$(dirname "$0")/lib.sh"
exe=$(realpath "$1")
msi=$(realpath "$2")
zip=$(realpath "$3")
version=${zip##*/kelvane-vok-}
version=${version%-windows-x64.zip}

e2e_start_xvfb
e2e_wine_setup
prefix="$E2E_WINE_DIR/prefix"
home="$prefix/drive_c/users/$(id -un)"
installed="$home/AppData/Local/Programs/Kelvane VOK"
shortcut="$home/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Kelvane VOK.lnk"

# msiexec ARGS...: runs Windows Installer silently and waits until the registry is on disk.
msiexec() {
    local status=0
    "${E2E_APP_WRAPPER[@]}" msiexec "$@" /qn >>"$E2E_TMP/msiexec.log" 2>&1 || status=$?
    e2e_wine_stop
    [ "$status" -eq 0 ] || e2e_fail "msiexec $* ended with status $status"
}

# The prefix's files (the system folder only for Windows Installer's cache) and registry keys,
# one a line.
snapshot() {
    (cd "$prefix" && find drive_c -path drive_c/windows -prune -o -print \
        && find drive_c/windows/Installer 2>/dev/null) || true
    sed -n 's/^\(\[.*\]\) [0-9]*$/HKCU\1/p' "$prefix/user.reg"
    sed -n 's/^\(\[.*\]\) [0-9]*$/HKLM\1/p' "$prefix/system.reg"
}

# The values of the Apps & features entries named Kelvane VOK, one entry's values a line.
uninstall_entries() {
    awk '/^\[/ { if (entry ~ /"DisplayName"="Kelvane VOK"/) print entry; entry = "" }
         /^\[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\/ { inside = 1; next }
         /^\[/ { inside = 0 }
         inside { entry = entry " " $0 }
         END { if (entry ~ /"DisplayName"="Kelvane VOK"/) print entry }' "$prefix/system.reg"
}

snapshot | sort >"$E2E_TMP/before.txt"

bash "$(dirname "$0")/../../packaging/windows/make-packages.sh" "$exe" "$E2E_TMP/old" 0.9.0 \
    >/dev/null
msiexec /i "$(e2e_wine_path "$E2E_TMP/old/kelvane-vok-0.9.0-windows-x64.msi")"
[[ "$(uninstall_entries)" == *'"DisplayVersion"="0.9.0"'* ]] || e2e_fail "0.9.0 not installed"
msiexec /i "$(e2e_wine_path "$msi")"
e2e_log "installed 0.9.0, then $version"

entries=$(uninstall_entries)
[ "$(wc -l <<<"$entries")" -eq 1 ] || e2e_fail "not one Apps & features entry: $entries"
for value in "\"DisplayVersion\"=\"$version\"" '"Publisher"="Kelvane"' 'MsiExec.exe /X{'; do
    [[ "$entries" == *"$value"* ]] || e2e_fail "the Apps & features entry lacks $value: $entries"
done
icon=$(sed -n 's/^"ProductIcon"="C:\\\\\(.*\)"$/\1/p' "$prefix/user.reg" | sed 's/\\\\/\//g')
[ -n "$icon" ] && [ -s "$prefix/drive_c/$icon" ] || e2e_fail "no product icon ('$icon')"
for file in kelvane-vok.exe LICENSE.txt README.txt; do
    [ -s "$installed/$file" ] || e2e_fail "$file is not installed"
done
cmp -s "$exe" "$installed/kelvane-vok.exe" || e2e_fail "the installed program is not this one"
for log in "$(dirname "$0")"/../../examples/*.log; do
    cmp -s "$log" "$installed/examples/${log##*/}" || e2e_fail "${log##*/} is not installed"
done
grep -qa 'kelvane-vok.exe' "$shortcut" 2>/dev/null || e2e_fail "no Start-menu shortcut to it"

e2e_start_app "$installed/kelvane-vok.exe"
e2e_log "the installed program shows its window"
e2e_exit_app
e2e_wine_stop

msiexec /x "$(e2e_wine_path "$msi")"
# Windows Installer keeps its own emptied containers for the next product it installs.
left=$(snapshot | sort | comm -13 "$E2E_TMP/before.txt" - \
    | grep -Ev 'Installer[\\]+(Features|Products|UpgradeCodes)\]$' \
    | grep -Ev 'Installer[\\]+UserData[\\]+[^\\]+[\\]+(Components|Products)\]$' \
    | grep -Ev '^drive_c/(windows|users/[^/]+/AppData/Roaming/Microsoft)/Installer$' || true)
[ -z "$left" ] || e2e_fail "left after the uninstall: $left"
e2e_log "uninstalled without a trace"

# The X server may give the next window the id the last one had.
APP_WIN=""
mkdir "$E2E_TMP/portable"
unzip -q "$zip" -d "$E2E_TMP/portable"
e2e_start_app "$E2E_TMP/portable/kelvane-vok-$version-windows-x64/kelvane-vok.exe" \
    "$E2E_TMP/portable/kelvane-vok-$version-windows-x64"
e2e_log "the zip's program runs where it was unpacked"
e2e_exit_app
echo PASS
