#!/bin/sh
# Runs a Windows program under Wine and passes its exit code through.
# The test command provides DISPLAY and WINEPREFIX (or a desk of its own,
# tools/desk.sh); run alone, this falls back to one prefix per user under
# TMPDIR (set up at its first use and kept) and a virtual display of its own.
set -e
. "$(dirname "$0")/desk.sh"
export WINEDEBUG="${WINEDEBUG:--all}"
if [ -z "$WINEPREFIX" ]; then
    export WINEPREFIX="${TMPDIR:-/tmp}/pelmo-wine-$(id -u)"
fi
. "$(dirname "$0")/wine-prefix.sh"
pelmo_make_prefix
if [ -z "$DISPLAY" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" wine "$@"
fi
exec wine "$@"
