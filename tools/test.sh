#!/bin/sh
# Installs what is missing, builds everything and runs every test: the
# native unit tests and the Windows tests under Wine on a virtual display.
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh"
"$root/tools/build.sh"
build="${BUILD_DIR:-$root/build}"
. "$root/tools/wine-session.sh"
cd "$build"
ctest --output-on-failure -j 2 "$@"
