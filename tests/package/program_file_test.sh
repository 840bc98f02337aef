#!/bin/sh
# The program file as Windows reads it: its header (the oldest system it
# names, no link time, no debug sections), its version resource, and the
# DLLs that it and skincheck import, which must all be KnownDLLs: any other
# Windows would first look for beside the program, where downloads land.
# Usage: program_file_test.sh PELMO_EXE VERSION SKINCHECK_EXE
set -eu
exe="$1" version="$2" skincheck="$3"
. "$(dirname "$0")/known_dlls.sh"
failures=0
check() { # what, found, wanted
    if [ "$2" != "$3" ]; then
        echo "FAIL: $1: '$2', wanted '$3'" >&2
        failures=$((failures + 1))
    fi
}
header="$(x86_64-w64-mingw32-objdump -p "$exe")"
field() { printf '%s\n' "$header" | awk -v k="$1" '$1 == k { print $2; exit }'; }
check "OS version" "$(field MajorOSystemVersion).$(field MinorOSystemVersion)" 6.0
check "subsystem version" "$(field MajorSubsystemVersion).$(field MinorSubsystemVersion)" 6.0
# objdump prints the time stamp as a local date: read it from the file
# (four bytes, 8 past the PE signature that the word at 0x3c points to).
u32() { od -An -tu4 -j "$1" -N 4 "$exe" | tr -d ' '; }
check "link time stamp" "$(u32 $(($(u32 60) + 8)))" 0
check "debug sections" "$(x86_64-w64-mingw32-objdump -h "$exe" | grep -c ' \.debug' || true)" 0

resources="$(x86_64-w64-mingw32-windres -i "$exe" -O rc)"
value() { printf '%s\n' "$resources" | sed -n "s/^ *VALUE \"$1\", \"\(.*\)\"$/\1/p" | sed 's/\\0$//'; }
numbers="$(printf '%s\n' "$version.0.0.0" | cut -d. -f1-4 | tr . ,)"
check "FILEVERSION" "$(printf '%s\n' "$resources" | awk '$1 == "FILEVERSION" { $1 = ""; gsub(/ /, ""); print; exit }')" "$numbers"
check "ProductName" "$(value ProductName)" Pelmo
check "FileVersion" "$(value FileVersion)" "$version"
check "ProductVersion" "$(value ProductVersion)" "$version"
check "OriginalFilename" "$(value OriginalFilename)" pelmo.exe
[ -n "$(value FileDescription)" ] || { echo "FAIL: no FileDescription" >&2; failures=$((failures + 1)); }
# Per-monitor DPI awareness, version 2 first, so that Windows never
# stretches the mascot; Windows 8.1 reads the older element.
manifest="$(printf '%s\n' "$resources" | sed -n '/^1 24 /,/^END/p')"
for element in '<dpiAwareness xmlns=""http://schemas.microsoft.com/SMI/2016/WindowsSettings"">PerMonitorV2, PerMonitor</dpiAwareness>' \
    '<dpiAware xmlns=""http://schemas.microsoft.com/SMI/2005/WindowsSettings"">true/pm</dpiAware>'; do
    printf '%s\n' "$manifest" | grep -qF "$element" || { echo "FAIL: the manifest lacks $element" >&2; failures=$((failures + 1)); }
done
for program in "$exe" "$skincheck"; do
    imports="$(x86_64-w64-mingw32-objdump -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p')"
    [ -n "$imports" ] || { echo "FAIL: no imports read from $program" >&2; failures=$((failures + 1)); }
    for dll in $imports; do
        is_known_dll "$dll" || { echo "FAIL: $(basename "$program") imports $dll, which is no KnownDLL" >&2; failures=$((failures + 1)); }
    done
done
[ "$failures" -eq 0 ] || exit 1
echo "pelmo.exe: $(wc -c <"$exe") bytes, header and version resource as wanted; both programs import KnownDLLs alone"
