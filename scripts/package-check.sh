#!/usr/bin/env bash
# Builds the Debian package from a configured build folder and checks it: Debian's own checker
# (lintian) without errors or warnings, control data, exact contents, valid desktop entry and
# metainfo, icon sizes, and that the unpacked program starts.
# Usage: scripts/package-check.sh BUILD-DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:?usage: $0 BUILD-DIR}")
source "$root/tests/e2e/lib.sh" # scratch folder, clean-up and Xvfb helpers

fail() {
    echo "package-check: FAIL: $*" >&2
    exit 1
}

cmake --build "$build" -j2 --target kelvane-vok vok-docs
rm -rf "$build/package"
(cd "$build" && cpack -G DEB >"$E2E_TMP/cpack.log") \
    || { cat "$E2E_TMP/cpack.log" >&2; fail "cpack did not build the package"; }
deb=$(ls "$build"/package/kelvane-vok_*.deb)
echo "package-check: $deb"

# Debian's checker, informational tags shown too; a tag that is wrong for this package would be
# overridden, with its reason, in the package's lintian overrides.
echo "package-check: lintian:"
lintian --fail-on error,warning --display-info --show-overrides "$deb" \
    || fail "lintian reports errors or warnings"

# names LIST NAME: whether a control field's package list names NAME, versions aside.
names() { sed 's/, /\n/g; s/ ([^)]*)//g' <<<"$1" | grep -Fxq "$2"; }

info=$(dpkg-deb --info "$deb")
depends=$(sed -n 's/^ Depends: //p' <<<"$info")
echo "package-check: Depends: $depends"
# Fonts and the platform plugin by hand; the libraries from the binary itself.
for dependency in fonts-thai-tlwg qt6-qpa-plugins libqt6widgets6 libc6 libstdc++6; do
    names "$depends" "$dependency" || fail "Depends lacks $dependency"
done
# Wayland sessions want Qt's Wayland plugin; X11-only systems do without it.
recommends=$(sed -n 's/^ Recommends: //p' <<<"$info")
echo "package-check: Recommends: $recommends"
names "$recommends" qt6-wayland || fail "Recommends lacks qt6-wayland"
# The changelog's newest entry is the version being packaged.
version=$(sed -n 's/^ Version: //p' <<<"$info")
[ "$(dpkg-parsechangelog -l "$root/packaging/changelog" -S Version)" = "$version" ] \
    || fail "packaging/changelog does not start with version $version"

# Exactly the program's files: no tests, no generator, no libraries or headers.
actual=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ {print $NF}' | sort)
expected=$(sort <<'EOF'
./usr/bin/kelvane-vok
./usr/share/applications/org.kelvane.vok.desktop
./usr/share/doc/kelvane-vok/changelog.gz
./usr/share/doc/kelvane-vok/copyright
./usr/share/doc/kelvane-vok/examples/bad-record.log
./usr/share/doc/kelvane-vok/examples/cold-store.log
./usr/share/doc/kelvane-vok/examples/day.log
./usr/share/doc/kelvane-vok/examples/still-writing.log
./usr/share/icons/hicolor/16x16/apps/org.kelvane.vok.png
./usr/share/icons/hicolor/32x32/apps/org.kelvane.vok.png
./usr/share/icons/hicolor/48x48/apps/org.kelvane.vok.png
./usr/share/man/man1/kelvane-vok.1.gz
./usr/share/metainfo/org.kelvane.vok.metainfo.xml
EOF
)
[ "$actual" = "$expected" ] || fail "contents differ:
$(diff <(echo "$expected") <(echo "$actual") || true)"

unpacked="$E2E_TMP/root"
dpkg-deb -x "$deb" "$unpacked"
usr="$unpacked/usr"
desktop-file-validate "$usr/share/applications/org.kelvane.vok.desktop" \
    || fail "desktop entry is not valid"
appstreamcli validate --no-net --pedantic "$usr/share/metainfo/org.kelvane.vok.metainfo.xml" \
    || fail "metainfo is not valid"
for size in 16 32 48; do
    file "$usr/share/icons/hicolor/${size}x${size}/apps/org.kelvane.vok.png" \
        | grep -q "PNG image data, $size x $size," || fail "the ${size}x$size icon is not a PNG of that size"
done
readelf -d "$usr/bin/kelvane-vok" | grep -Eq "RPATH|RUNPATH" \
    && fail "the installed program carries a library search path"

e2e_start_xvfb
e2e_start_app "$usr/bin/kelvane-vok"
sleep 1
e2e_app_alive || fail "the unpacked program ended after showing its window"
e2e_log "unpacked program shows its window"
echo "package-check: the package is good"
