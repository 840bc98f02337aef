# Where the frames come from. The program laid out as its package lays it
# out (pelmo.exe beside a/ to d/) and started from an empty folder, as a
# shortcut or an autostart entry may start it: the shipped skin shows. A
# skin folder put into the working folder takes over at the next paint;
# removed again, the program's own shows, as it does beside a file named
# like the skin folder. Files cut short in either folder
# show nothing and never end the program.
. "$PELMO_E2E_LIB"

[ -f "$PELMO_SKINS/a/w0.bmp" ] || fail "no generated skins in '$PELMO_SKINS'"
program_dir="$e2e_dir/Pelmo-1.0-win64"
work="$e2e_dir/work"
mkdir -p "$program_dir" "$work"
cp "$PELMO_EXE" "$program_dir/pelmo.exe"
for skin in a b c d; do cp -r "$PELMO_SKINS/$skin" "$program_dir/$skin"; done
cd "$work"
park_cursor
xsetroot -solid "$desktop_colour"

frames="w0 w1 w2 w3 w4 w5 n0 j0 jj0 d0 f0 ff0 p0 kan0 st0 kime0 sleep0 k0"

start_mascot "$program_dir/pelmo.exe"
wander_and_freeze
import -window root "$e2e_dir/shot-program.png"
frame=$(matching_frame "$e2e_dir/shot-program.png" "$program_dir/a" "$frozen_x" "$frozen_y")
[ -n "$frame" ] || fail "started from an empty folder, the window shows no frame of the program's skin a/"
echo "from an empty folder: the program's a/ shows $frame"

# A skin a/ of the working folder's own: one red block for every frame.
"${PELMO_SKINMAKER:?}" --stand-ins "$work" a
wander_and_freeze
import -window root "$e2e_dir/shot-work.png"
frame=$(matching_frame "$e2e_dir/shot-work.png" "$work/a" "$frozen_x" "$frozen_y")
[ -n "$frame" ] || fail "the working folder's skin a/ does not show"
echo "with a/ in the working folder: its $frame shows"

rm -rf "$work/a"
wander_and_freeze
import -window root "$e2e_dir/shot-back.png"
frame=$(matching_frame "$e2e_dir/shot-back.png" "$program_dir/a" "$frozen_x" "$frozen_y")
[ -n "$frame" ] || fail "with the working folder's a/ gone, the program's a/ does not show again"
echo "with a/ gone again: the program's $frame shows"

# A file of the skin's name is no skin folder.
printf 'not a folder' >"$work/a"
wander_and_freeze
import -window root "$e2e_dir/shot-file.png"
frame=$(matching_frame "$e2e_dir/shot-file.png" "$program_dir/a" "$frozen_x" "$frozen_y")
[ -n "$frame" ] || fail "a file named a in the working folder hides the program's a/"
rm "$work/a"

# Cut files: first in the working folder (whose a/ then rules, so nothing
# shows), then in the program's folder.
mkdir "$work/a"
length=100
for f in $frames; do
    head -c "$length" "$program_dir/a/$f.bmp" >"$work/a/$f.bmp"
    length=$((length + 613))
done
wander_and_freeze
count=$(non_key_pixels "$e2e_dir/shot-cut-work.png" "$frozen_x" "$frozen_y" 60 60)
[ "$count" -eq 0 ] || fail "$count pixels show with every frame of the working folder's a/ cut short"
rm -rf "$work/a"
for f in $frames; do
    truncate -s $(($(stat -c %s "$program_dir/a/$f.bmp") - 1)) "$program_dir/a/$f.bmp"
done
wander_and_freeze
count=$(non_key_pixels "$e2e_dir/shot-cut-program.png" "$frozen_x" "$frozen_y" 60 60)
[ "$count" -eq 0 ] || fail "$count pixels show with every frame of the program's a/ cut short"
probe visible "$mascot_hwnd" || fail "the mascot window is gone after the cut files"
echo "cut files in either folder: nothing shows, the program runs on"

park_cursor
stop_mascot
echo "skin folders e2e passed"
