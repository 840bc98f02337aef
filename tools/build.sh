#!/bin/sh
# Configures and builds both targets (native and Windows) in BUILD_DIR.
# "build.sh program" builds only what the run command runs: the skins (and
# their native generator), then the Windows program beside its skins.
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug >/dev/null
if [ "${1:-}" = program ]; then
    cmake --build "$build" -j "$(nproc)" --target mascot_windows-configure
    cmake --build "$build/windows" -j "$(nproc)" --target pelmo
else
    cmake --build "$build" -j "$(nproc)"
fi
