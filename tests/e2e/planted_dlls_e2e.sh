# DLLs planted where downloads land never run inside the programs. Every
# DLL that pelmo.exe (opening its options dialog) and skincheck.exe load
# under Wine, or that the system loads on their behalf, is planted beside
# the program and in the working folder as a stand-in that leaves a marker
# when loaded, and made native-first, as Windows searches for any DLL that
# is not a KnownDLL. Left out: the KnownDLLs, which Windows never looks for
# there, and the DLLs that Wine's own DLLs bring in before the program's
# first line runs (a program that ends at once shows them), which no
# program controls and Windows does not load.
. "$PELMO_E2E_LIB"
: "${PELMO_SKINCHECK:?}" "${PELMO_MARKER_DLL:?}" "${PELMO_BARE:?}"
. "$(dirname "$PELMO_E2E_LIB")/../package/known_dlls.sh"

app="$e2e_dir/app" work="$e2e_dir/work" markers="$e2e_dir/markers"
mkdir -p "$app" "$work" "$markers"
cp "$PELMO_EXE" "$app/pelmo.exe"
cp "$PELMO_SKINCHECK" "$app/skincheck.exe"
cp "$PELMO_BARE" "$app/bare.exe"
cd "$work"
park_cursor

# The baseline imports every KnownDLL that the programs import, so that it
# loads whatever those bring in with them.
imports() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^[[:space:]]*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u; }
imports "$app/bare.exe" >"$e2e_scratch/bare.imports"
for program in pelmo skincheck; do
    for dll in $(imports "$app/$program.exe" | comm -23 - "$e2e_scratch/bare.imports"); do
        ! is_known_dll "$dll" || fail "$program.exe imports $dll, which bare.exe does not: the baseline would miss what it brings in"
    done
done

# The DLLs named in a +loaddll log, lower case.
loaded() { grep -o 'Loaded L"[^"]*"' "$1" | sed 's/.*\\//; s/"$//' | tr 'A-Z' 'a-z' | grep '\.dll$' | sort -u; }

# Runs pelmo.exe with its log in $1, opens its options dialog, checks that
# the mascot shows, and ends it.
run_mascot() {
    WINEDEBUG=+loaddll wine "$app/pelmo.exe" 2>"$1" &
    mascot_pid=$!
    started_pids="$started_pids $mascot_pid"
    mascot_hwnd="$(probe find 20000)" || fail "the mascot window did not appear"
    expect_moving "the mascot does not move"
    probe visible "$mascot_hwnd" || fail "the mascot is not shown"
    probe post "$mascot_hwnd" 32793 || fail "could not send the options command"
    probe owned "$mascot_hwnd" 10000 >/dev/null || fail "the options command opened no dialog"
    stop_mascot
}

# Runs skincheck.exe with its log in $1; it finds no skin folder and says
# so in one line a skin.
run_skincheck() {
    code=0
    WINEDEBUG=+loaddll wine "$app/skincheck.exe" </dev/null >"$e2e_scratch/skincheck.out" 2>"$1" || code=$?
    [ "$code" -eq 0 ] || fail "skincheck ended with exit code $code"
    [ "$(grep -c 'built-in copy' "$e2e_scratch/skincheck.out")" -eq 4 ] || fail "skincheck said: $(cat "$e2e_scratch/skincheck.out")"
}

# A desk's prefix that no program has started yet boots with the first
# one, loading DLLs of its own into it: the baseline is the second run.
wine "$app/bare.exe" 2>/dev/null || true
WINEDEBUG=+loaddll wine "$app/bare.exe" 2>"$e2e_scratch/bare.log" || true
run_mascot "$e2e_scratch/pelmo.log"
run_skincheck "$e2e_scratch/skincheck.log"
loaded "$e2e_scratch/bare.log" >"$e2e_scratch/before"
[ -s "$e2e_scratch/before" ] || fail "no DLL in Wine's log of bare.exe"
names=""
for name in $({ loaded "$e2e_scratch/pelmo.log"; loaded "$e2e_scratch/skincheck.log"; } | sort -u |
    comm -23 - "$e2e_scratch/before"); do
    is_known_dll "$name" || names="$names $name"
done
[ -n "$names" ] || fail "no DLL loaded after the programs' start: nothing to plant"
echo "planted:" $names

overrides=""
for name in $names; do
    cp "$PELMO_MARKER_DLL" "$app/$name"
    cp "$PELMO_MARKER_DLL" "$work/$name"
    overrides="$overrides${overrides:+,}${name%.dll}"
done
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$overrides=n,b"
export PELMO_MARKER_DIR="Z:$(printf '%s' "$markers" | tr / '\\')"
# The stand-in itself runs where it is loaded on purpose.
set -- $names
WINEDEBUG=-all wine rundll32.exe "$app/$1",Nothing 2>/dev/null || true
[ -n "$(ls "$markers")" ] || fail "the stand-in DLL leaves no marker when it is loaded"
rm -f "$markers"/*

run_mascot "$e2e_scratch/pelmo-planted.log"
run_skincheck "$e2e_scratch/skincheck-planted.log"
ran=$(ls "$markers")
[ -z "$ran" ] || fail "planted DLLs ran inside the programs: $ran"
# The random source of a save's name comes in with the first save, not before.
! loaded "$e2e_scratch/pelmo.log" | grep -qx bcrypt.dll || fail "pelmo.exe loads bcrypt.dll without saving"
echo "planted DLLs e2e passed: none of the planted DLLs ran"
