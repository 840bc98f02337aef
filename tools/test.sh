#!/bin/sh
# Installs what is missing, builds everything and runs every test: the
# native unit tests and the Windows tests under Wine on a virtual display.
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh"
started=$(date +%s)
build="${BUILD_DIR:-$root/build}"
# The Windows tests share nothing but the machine: each takes one desk
# (display, window manager, Wine prefix) for itself, and several desks let
# them run side by side. The desks are set up while the build runs.
desks="${PELMO_DESKS:-3}"
PELMO_DESKS="$desks" PELMO_SESSION_LATER=1
. "$root/tools/wine-session.sh"
"$root/tools/build.sh"
pelmo_session_wait
resources="$pelmo_session_dir/desks.json"
printf '{"version":{"major":1,"minor":0},"local":[{"desks":[' >"$resources"
for desk in $(seq "$desks"); do
    [ "$desk" -gt 1 ] && printf ',' >>"$resources"
    printf '{"id":"%s","slots":1}' "$desk" >>"$resources"
done
printf ']}]}\n' >>"$resources"
# Says on which displays the Windows tests run, and under which window
# manager, as each display itself tells.
for desk in $(seq "$desks"); do
    eval "display=\$PELMO_DESK_${desk}_DISPLAY"
    name=$(pelmo_window_manager "$display")
    echo "Desk $desk: virtual display $display, window manager: ${name:-none}"
done
cd "$build"
status=0
ctest --output-on-failure -j "$((desks + 1))" --resource-spec-file "$resources" "$@" || status=$?
echo "The test command took $(($(date +%s) - started)) s from the start of the build."
exit $status
