#!/usr/bin/env bash
# Makes the Windows installer (Debian's wixl) and the portable zip from a built program:
#
#   make-packages.sh EXE OUTDIR VERSION
#
# gives OUTDIR/kelvane-vok-VERSION-windows-x64.msi and .zip. The files are staged in
# OUTDIR/stage under the names the installer description gives them, with Windows line ends.
set -euo pipefail
command -v wixl >/dev/null || { echo "make-packages.sh needs wixl (Debian package wixl)" >&2; exit 1; }
command -v zip >/dev/null || { echo "make-packages.sh needs zip" >&2; exit 1; }
exe=$1 out=$2 version=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
name=kelvane-vok-$version-windows-x64
stage="$out/stage"

rm -rf "$stage" "$out/$name" "$out/$name.msi" "$out/$name.zip"
mkdir -p "$stage/examples"
cp "$exe" "$stage/kelvane-vok.exe"
cp "$root/resources/icon.ico" "$stage/icon.ico"
sed 's/$/\r/' "$root/LICENSE" >"$stage/LICENSE.txt"
sed -e "s/@VERSION@/$version/" -e 's/$/\r/' "$here/README.txt" >"$stage/README.txt"
cp "$root"/examples/*.log "$stage/examples/"
# Every sample log must be one the installer lists.
for log in "$stage"/examples/*.log; do
    grep -q "Source=\"examples/${log##*/}\"" "$here/kelvane-vok.wxs" \
        || { echo "kelvane-vok.wxs does not install ${log##*/}" >&2; exit 1; }
done

(cd "$stage" && wixl -a x64 -D Version="$version" -o "$out/$name.msi" "$here/kelvane-vok.wxs")

mkdir "$out/$name"
cp -r "$stage/kelvane-vok.exe" "$stage/LICENSE.txt" "$stage/README.txt" "$stage/examples" \
    "$out/$name/"
# -X: no Unix owners or times beyond the plain ones, as a Windows zip has.
(cd "$out" && zip -qrX "$name.zip" "$name")
rm -rf "$out/$name"
