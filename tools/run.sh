#!/bin/sh
# Installs what is missing, builds the mascot and starts it on this display
# (through Wine on Linux), from the folder that holds its skins.
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh"
"$root/tools/build.sh"
build="${BUILD_DIR:-$root/build}"
cd "$build/windows"
if [ -n "$DISPLAY" ]; then
    export WINEDEBUG=-all
    # Japanese locale for Wine, so the dialog's Japanese texts show (see
    # tools/wine-session.sh).
    export LC_ALL=ja_JP.UTF-8
    exec wine ./pelmo.exe
fi
exec "$root/tools/record.sh" "$build/windows"
