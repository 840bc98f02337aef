#!/bin/sh
# Installs what is missing, builds everything and runs every test: the
# native unit tests and the Windows tests under Wine on a virtual display.
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/tools/install-deps.sh"
build="${BUILD_DIR:-$root/build}"
# The Windows tests share nothing but the machine: each takes one desk
# (display, window manager, Wine prefix) for itself, and several desks let
# them run side by side. The desks are set up while the build runs.
desks="${PELMO_DESKS:-2}"
PELMO_DESKS="$desks" PELMO_SESSION_LATER=1
. "$root/tools/wine-session.sh"
"$root/tools/build.sh"
pelmo_session_wait
spec="$pelmo_session_dir/desks.json"
printf '{"version":{"major":1,"minor":0},"local":[{"desks":[' >"$spec"
for desk in $(seq "$desks"); do
    [ "$desk" -gt 1 ] && printf ',' >>"$spec"
    printf '{"id":"%s","slots":1}' "$desk" >>"$spec"
done
printf ']}]}\n' >>"$spec"
cd "$build"
ctest --output-on-failure -j "$((desks + 1))" --resource-spec-file "$spec" "$@"
