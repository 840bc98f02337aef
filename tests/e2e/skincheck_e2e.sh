# skincheck.exe as a skin author runs it: in a folder named outside every
# ANSI code page, beside the shipped skin a/ only, started from another
# folder. First that skin: one "ok" a frame, the three skins without a
# folder said to be built in, exit code 0. Then a broken a/ in the working
# folder, which takes over: a frame missing, a PNG renamed, a picture over
# the decoded limit, smoothed edges, a file cut short; exit code 1.
. "$PELMO_E2E_LIB"
: "${PELMO_SKINCHECK:?}"

[ -f "$PELMO_SKINS/a/w0.bmp" ] || fail "no generated skins in '$PELMO_SKINS'"
program_dir="$e2e_dir/Пелмо ペルモ"
mkdir -p "$program_dir" "$e2e_dir/work"
cp "$PELMO_SKINCHECK" "$program_dir/skincheck.exe"
cp -r "$PELMO_SKINS/a" "$program_dir/a"
cd "$e2e_dir/work"
frames="w0 w1 w2 w3 w4 w5 n0 j0 jj0 d0 f0 ff0 p0 kan0 st0 kime0 sleep0 k0"

# Runs skincheck without arguments and compares its lines with $expected;
# $1 is the exit code it must end with.
expect_skincheck() {
    code=0
    wine "$program_dir/skincheck.exe" </dev/null >"$e2e_scratch/raw" || code=$?
    tr -d '\r' <"$e2e_scratch/raw" >"$e2e_scratch/seen"
    printf '%s\n' "$expected" >"$e2e_scratch/expected"
    diff "$e2e_scratch/expected" "$e2e_scratch/seen" || fail "skincheck's lines differ from those expected (above)"
    [ "$code" -eq "$1" ] || fail "skincheck ended with exit code $code, expected $1"
}

built_in() {
    for skin in "$@"; do
        printf 'Skin %s: no folder %s\\ in the working folder or beside skincheck.exe, ' "$skin" "$skin"
        printf 'so pelmo.exe draws its built-in copy of skin %s.\n' "$skin"
    done
}

expected="$(
    printf 'Skin a, from beside skincheck.exe: %s\\a\\\n' "$(winepath -w "$program_dir" 2>/dev/null)"
    for f in $frames; do echo "$f.bmp: ok"; done
    built_in b c d
)"
expect_skincheck 0
echo "the shipped skin: 18 frames ok"

mkdir a
cp "$PELMO_SKINS"/a/*.bmp a/
rm a/k0.bmp
convert -size 60x60 xc:red png:a/n0.bmp
convert -size 4096x4096 xc:red -type TrueColor BMP3:a/j0.bmp
# A block with a smoothed edge (a quarter of its red in the key colour) in
# the corner that shows; past it, which does not show, a band and a column
# of the same edge colour.
convert -size 80x80 'xc:#00FF00' -fill '#30BF00' -draw 'rectangle 9,9 50,50' -draw 'rectangle 0,65 79,79' \
    -draw 'rectangle 65,0 79,79' -fill '#C00000' -draw 'rectangle 10,10 49,49' -type TrueColor BMP3:a/jj0.bmp
head -c 5000 "$PELMO_SKINS/a/d0.bmp" >a/d0.bmp
expected="$(
    printf 'Skin a, from the working folder: a\\\n'
    for f in $frames; do
        case $f in
        n0) echo "n0.bmp: error: not a BMP but a PNG; save it as a BMP" ;;
        j0) echo "j0.bmp: error: over the limits: 4096 x 4096 pixels at 24 bits, 48 MiB decoded;" \
            "the limits are 4096 pixels a side and 16 MiB decoded" ;;
        jj0) echo "jj0.bmp: warning: 164 pixels near the key colour #00FF00 show as a green fringe;" \
             "only the top-left 60 x 60 of its 80 x 80 pixels shows" ;;
        d0) echo "d0.bmp: error: cut short: 5000 bytes of the $(stat -c %s "$PELMO_SKINS/a/d0.bmp") it needs" ;;
        k0) echo "k0.bmp: error: missing" ;;
        *) echo "$f.bmp: ok" ;;
        esac
    done
    built_in b c d
)"
expect_skincheck 1
echo "skincheck e2e passed"
