#!/bin/sh
# Installs what is missing, builds the mascot and starts it on this display
# (through Wine on Linux), from the folder that holds its skins, under the
# user's own locale. Without a display it records the mascot instead.
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh"
"$root/tools/build.sh" program
build="${BUILD_DIR:-$root/build}"
if [ -n "$DISPLAY" ]; then
    . "$root/tools/wine-prefix.sh"
    pelmo_make_prefix
    cd "$build/windows"
    export WINEDEBUG=-all
    exec wine ./pelmo.exe
fi
exec "$root/tools/record.sh" "$build/windows"
