#!/bin/sh
# Two builds of the program and its zip from two copies of the sources in
# two folders, at two moments: the bytes must be the same. Each copy makes
# its own skins with the native generator, then builds only the program and
# the zip.
set -eu
: "${PELMO_SOURCE:?}" "${PELMO_SKINMAKER:?}" "${PELMO_WORK:?}" "${PELMO_PACKAGE_NAME:?}"
# The sources as a clone has them: the tracked files and any new ones.
files="$(git -C "$PELMO_SOURCE" ls-files -co --exclude-standard 2>/dev/null)" || {
    echo "SKIP: the sources are not a git checkout" >&2
    exit 77
}
rm -rf "$PELMO_WORK"
build_in() { # folder
    src="$1/src"
    mkdir -p "$src"
    # Files of their own time, as a clone's are (tar -m); none deleted since.
    (cd "$PELMO_SOURCE" && printf '%s\n' "$files" | while read -r f; do [ -f "$f" ] && echo "$f"; done |
        tar -cf - -T -) | tar -xmf - -C "$src"
    "$PELMO_SKINMAKER" "$src/skins" "$1/skins"
    cmake -S "$src" -B "$1/windows" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DMASCOT_SKIN_DIR="$1/skins" >"$1/configure.log"
    # Behind the tests that run under Wine beside it, whose timing counts.
    nice -n 15 cmake --build "$1/windows" -j "$(nproc)" --target pelmo package >"$1/build.log"
}
one="$PELMO_WORK/one"
two="$PELMO_WORK/a-second-folder/further/down"
build_in "$one"
build_in "$two"
status=0
for f in pelmo.exe "$PELMO_PACKAGE_NAME.zip"; do
    if cmp "$one/windows/$f" "$two/windows/$f"; then
        echo "$f: $(wc -c <"$one/windows/$f") bytes, the same in both folders"
    else
        cmp -l "$one/windows/$f" "$two/windows/$f" | head -20 >&2
        status=1
    fi
done
[ "$status" -eq 0 ] && rm -rf "$PELMO_WORK"
exit "$status"
