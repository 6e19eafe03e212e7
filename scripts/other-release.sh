#!/usr/bin/env bash
# Runs the Linux edition's suite in a root of the other supported Debian release (on Debian 12 a
# Debian 13 root, on 13 a 12 root): the project's own set-up, the build, ctest and the package
# check, so that each release's package is built and checked on that release. Needs root (it
# mounts and chroots); skipped, saying why, as another user or with VOK_SKIP_OTHER_RELEASE=1.
#
# The fresh root, made once with debootstrap from the archive apt already uses, is kept in
# build/other-release/RELEASE/pristine; every run works in a new copy of it (…/root), whose logs
# stay until the next run. Downloaded packages are kept beside it, so later runs fetch only
# updates.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

skip() {
    echo "other-release: skipped: $*"
    exit 0
}
fail() {
    echo "other-release: FAIL: $*" >&2
    exit 1
}

# Inside the root (run as "other-release.sh inside" by the part below): the suite, each step
# timed. The Windows edition is not repeated here.
if [ "${1:-}" = inside ]; then
    step() {
        local start=$SECONDS status=0
        "$@" || status=$?
        echo "other-release: $VOK_RELEASE: '$*' took $((SECONDS - start)) s"
        return $status
    }
    # No clang: the sanitized and fuzz runs stay on the host. apt's progress goes to a log.
    setup() {
        vok_install_packages "${VOK_RUN_PACKAGES[@]}" "${VOK_TEST_PACKAGES[@]}" \
            >/var/log/vok-setup.log 2>&1 || { tail -n 30 /var/log/vok-setup.log; return 1; }
    }
    tests() { (cd "$VOK_ROOT/build" && ctest --output-on-failure -j2); }
    step setup
    step vok_build "$VOK_ROOT/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
    status=0
    step tests || status=$?
    step "$VOK_ROOT/scripts/package-check.sh" "$VOK_ROOT/build" || status=$?
    exit $status
fi

[ "${VOK_SKIP_OTHER_RELEASE:-}" = 1 ] && skip "VOK_SKIP_OTHER_RELEASE=1"
[ "$(id -u)" -eq 0 ] || skip "making and entering a root of the other release needs root"
case "$VOK_RELEASE" in
bookworm) other=trixie ;;
trixie) other=bookworm ;;
*) skip "this is not Debian 12 or 13 ('$VOK_RELEASE'), so there is no other supported release" ;;
esac

# The archive apt uses for this release: the first source whose suite is the release itself
# (not -updates or -security), in deb822 files or one-line sources.list entries.
archive=$(
    {
        cat /etc/apt/sources.list.d/*.sources 2>/dev/null | awk -v suite="$VOK_RELEASE" '
            BEGIN { RS = ""; FS = "\n" }
            {
                uris = ""; found = 0; deb = 0
                for (i = 1; i <= NF; i++) {
                    if ($i ~ /^URIs:/) { uris = $i; sub(/^URIs:[ \t]*/, "", uris) }
                    if ($i ~ /^Types:.*(^|[ \t])deb([ \t]|$)/) deb = 1
                    if ($i ~ /^Suites:/ && (" " $i " ") ~ (" " suite " ")) found = 1
                }
                if (deb && found && uris != "") { split(uris, u, " "); print u[1] }
            }' || true
        cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null \
            | sed -E 's/\[[^]]*\]//' | awk -v suite="$VOK_RELEASE" '$1 == "deb" && $3 == suite { print $2 }' || true
    } | head -n 1
)
[ -n "$archive" ] || fail "found no Debian archive for $VOK_RELEASE in apt's sources"

dir="$VOK_ROOT/build/other-release/$other"
mkdir -p "$dir/apt-archives"
dir=$(realpath "$dir")
pristine="$dir/pristine"
root="$dir/root"

# unmount_all: ends what still runs in the root (a test's display server, say), unmounts whatever
# is mounted inside it, deepest first, and makes sure nothing is left before the root is ever
# removed (removing through a mounted /dev would be ruinous).
unmount_all() {
    local target pid
    for pid in $(ls /proc | grep -E '^[0-9]+$'); do
        if [ "$(readlink "/proc/$pid/root" 2>/dev/null)" = "$root" ]; then
            kill -9 "$pid" 2>/dev/null || true
        fi
    done
    findmnt -rn -o TARGET | grep -F "$root/" | sort -r | while IFS= read -r target; do
        umount "$target" 2>/dev/null || umount -l "$target"
    done
    ! findmnt -rn -o TARGET | grep -qF "$root/"
}
trap 'exit 130' INT TERM HUP
trap 'unmount_all || echo "other-release: could not unmount everything under $root" >&2' EXIT
unmount_all || fail "something under $root is still mounted"

start=$SECONDS
if [ ! -d "$pristine" ]; then
    echo "other-release: making a Debian $other root from $archive"
    rm -rf --one-file-system "$pristine.new"
    debootstrap --variant=minbase "$other" "$pristine.new" "$archive" >"$dir/debootstrap.log" 2>&1 \
        || { tail -n 20 "$dir/debootstrap.log" >&2; fail "debootstrap did not make the root"; }
    mv "$pristine.new" "$pristine"
    echo "other-release: debootstrap took $((SECONDS - start)) s"
fi
rm -rf --one-file-system "$root"
cp -a "$pristine" "$root"
cp /etc/resolv.conf "$root/etc/resolv.conf"

# The committed sources with the checkout's uncommitted changes on top, as a git checkout of
# their own (the format check lists the sources with git).
git -c safe.directory='*' clone -q --no-hardlinks "$VOK_ROOT" "$root/src"
git -c safe.directory='*' -C "$VOK_ROOT" ls-files -z --modified | while IFS= read -r -d '' file; do
    if [ -f "$VOK_ROOT/$file" ]; then cp -p "$VOK_ROOT/$file" "$root/src/$file"; fi
done

# /dev is the host's, bound privately so that the mounts on top of it stay inside the root.
mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
mount --make-private "$root/dev"
mount --bind /dev/pts "$root/dev/pts"
mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
mount -t tmpfs -o mode=1777 tmp "$root/tmp"
mount --bind "$dir/apt-archives" "$root/var/cache/apt/archives"
echo "other-release: Debian $other root ready in $((SECONDS - start)) s: $root"

chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    bash /src/scripts/other-release.sh inside \
    || fail "the Linux edition's suite failed on Debian $other (root kept in $root)"
echo "other-release: Debian $other passed in $((SECONDS - start)) s"
