#!/bin/sh
# Installs the Debian packages the build, tests and program need, when missing.
set -e
pkgs="cmake make g++ qt6-base-dev qt6-image-formats-plugins libgl-dev libgtest-dev libgmock-dev libbenchmark-dev ccache\
  nlohmann-json3-dev libcli11-dev clang-format poppler-utils libfftw3-dev libeigen3-dev\
  help2man librsvg2-bin dpkg-dev file desktop-file-utils appstream shared-mime-info man-db"
[ -n "$LUMI_EXTRA_PKGS" ] && pkgs="$pkgs $LUMI_EXTRA_PKGS"
missing=""
for p in $pkgs; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing
