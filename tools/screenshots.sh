#!/bin/sh
# Builds lumi-screenshots and writes docs/screenshots/*.png offscreen.
# Usage: tools/screenshots.sh [build-dir] [--sample N]
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
[ $# -gt 0 ] && shift
cmake -S "$root" -B "$build" -DLUMI_BUILD_GUI=ON >/dev/null
cmake --build "$build" --target lumi-screenshots -j2
QT_QPA_PLATFORM=offscreen "$build/tools/screenshots/lumi-screenshots" --out "$root/docs/screenshots" "$@"
