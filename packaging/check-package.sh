#!/usr/bin/env bash
# Checks a built Debian package as a user meets it: unpacks it into a throw-away
# root, runs both programs from there on a shipped example, and validates what a
# desktop reads (entry, metainfo, MIME types, icons, man pages).
# Usage: packaging/check-package.sh build/lumivorexan_VERSION_amd64.deb
set -euo pipefail
deb=${1:?usage: check-package.sh lumivorexan_VERSION_amd64.deb}
src=$(cd "$(dirname "$0")/.." && pwd)
root=$(mktemp -d "${TMPDIR:-/tmp}/lumi_package_XXXXXX")
trap 'rm -rf "$root"' EXIT
fail() { echo "check-package: $deb: $*" >&2; exit 1; }

dpkg-deb -x "$deb" "$root"
version=$(dpkg-deb -f "$deb" Version)
bin=$root/usr/bin
share=$root/usr/share
id=org.lumivorexan.Lumivorexan

[ "$("$bin/lumivorexan-cli" --version)" = "lumivorexan-cli $version" ] || fail "lumivorexan-cli --version"
# The window program answers without a display.
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY "$bin/lumivorexan" --version)" = "lumivorexan $version" ] ||
  fail "lumivorexan --version"
"$bin/lumivorexan-cli" analyze "$src/examples/defocus-rings.frg" --json > "$root/analyze.json"
grep -q '"fittedCoefficients": \[' "$root/analyze.json" || fail "analyze printed no coefficients"

desktop-file-validate "$share/applications/$id.desktop"
grep -qx 'Exec=lumivorexan %F' "$share/applications/$id.desktop" || fail "desktop entry Exec"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml" > /dev/null ||
  appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml"
# The MIME package builds into a database that knows both data files.
XDG_DATA_DIRS=$share update-mime-database "$share/mime"
grep -q ':application/x-lumivorexan-fringe-data:\*\.frg$' "$share/mime/globs2" || fail "no .frg type"
grep -q ':application/x-lumivorexan-zernike:\*\.zrk$' "$share/mime/globs2" || fail "no .zrk type"

[ -s "$share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no SVG icon"
for size in 16 24 32 48 64 128 256; do
  png=$share/icons/hicolor/${size}x$size/apps/$id.png
  [ "$(file -b "$png" | cut -d, -f2)" = " $size x $size" ] || fail "icon $png is not $size px"
done
for page in lumivorexan lumivorexan-cli; do
  [ -s "$share/man/man1/$page.1.gz" ] || fail "no man page $page.1.gz"
done
manual=$(man -P cat -l "$share/man/man1/lumivorexan-cli.1.gz" 2> /dev/null)
[[ $manual == *--input-wavelength* ]] || fail "the man page of lumivorexan-cli lacks the options of analyze"
[ -s "$share/doc/lumivorexan/README.md" ] || fail "no README"
# Dependencies come from the linked shared libraries.
[[ $(dpkg-deb -f "$deb" Depends) == *libqt6widgets6* ]] || fail "Depends lacks the Qt libraries"
echo "check-package: $(basename "$deb") ($(du -k "$deb" | cut -f1) KiB): installs, runs and validates"
