# The mascot on a display at 200 %: a window of 120 x 120 in which every
# pixel of the sprite is a block of 2 x 2 (the frame of the skin, exactly,
# and no green fringe), frozen by the cursor resting near its far corner,
# and a click on it shows the next skin. The icon menu's Size 3x gives
# 180 x 180, in savedata and again after a restart.
. "$PELMO_E2E_LIB"

own_prefix
set_registry 'HKCU\Control Panel\Desktop' LogPixels REG_DWORD 192
install_program
copy_shipped_skins
start_mascot
set -- $(mascot_rect)
[ "$3" -eq 120 ] && [ "$4" -eq 120 ] || fail "at 192 DPI the window is $3 x $4, not 120 x 120"
expect_moving "the mascot does not move at 192 DPI"

# Which frame of skin folder $1 the 120 x 120 window at $2 $3 of the
# screenshot $4 shows, taken back to its own size; blocks not of one colour
# fail.
scaled_frame() {
    convert "$4" -crop "120x120+$2+$3" +repage "$e2e_dir/window.png"
    convert "$e2e_dir/window.png" -sample 50% "$e2e_dir/small.png"
    convert "$e2e_dir/small.png" -sample 200% "$e2e_dir/blocks.png"
    blurred=$(compare -metric AE "$e2e_dir/window.png" "$e2e_dir/blocks.png" null: 2>&1 || true)
    [ "$blurred" = "0" ] || fail "$blurred pixels of the window are not their 2 x 2 block's colour"
    matching_frame "$e2e_dir/small.png" "$1" 0 0
}

freeze_mascot 110
import -window root -depth 8 "$e2e_dir/shot1.png"
frame=$(scaled_frame "$e2e_dir/a" $frozen_x $frozen_y "$e2e_dir/shot1.png")
[ -n "$frame" ] || fail "the window shows no frame of skin a at twice its size"
echo "192 DPI: 120 x 120, frame $frame of skin a in blocks of 2 x 2, frozen with the cursor 110 pixels in"
cp "$e2e_dir/shot1.png" "${TMPDIR:-/tmp}/pelmo-scale-192.png"

# A click lands where the sprite is opaque, as at 60 x 60 (where it shows
# the desktop, the click goes to the desktop): inside the first 2 x 2 block
# that is not the desktop's (some frames leave the middle rows empty).
opaque=$(convert "$e2e_dir/shot1.png" -crop "120x120+$frozen_x+$frozen_y" +repage txt:- |
    grep -v -i "$desktop_colour" | sed -n 's/^\([0-9]*\),\([0-9]*\):.*/\1 \2/p' | head -1)
[ -n "$opaque" ] || fail "no opaque pixel in the mascot's window"
set -- $opaque
xdotool mousemove $((frozen_x + $1 + 1)) $((frozen_y + $2 + 1)) click 1
sleep 0.5
[ "$(mascot_rect)" = "$frozen_x $frozen_y 120 120" ] || fail "the click moved the frozen mascot"
import -window root -depth 8 "$e2e_dir/shot2.png"
frame=$(scaled_frame "$e2e_dir/b" $frozen_x $frozen_y "$e2e_dir/shot2.png")
[ -n "$frame" ] || fail "a click on the scaled window did not show skin b"

# Size 3x, chosen in the icon's menu.
park_cursor
tray=$(probe tray "$mascot_hwnd") || fail "no window of the icon"
probe post "$tray" 40013 || fail "could not choose Size 3x"
set -- $(wait_for_side 180)
[ "$3" -eq 180 ] && [ "$4" -eq 180 ] || fail "Size 3x gave $3 x $4"
[ "$(od -An -tu4 -j520 -N4 savedata | tr -d ' ')" = 3 ] || fail "Size 3x is not in savedata"
stop_mascot
start_mascot
set -- $(mascot_rect)
[ "$3" -eq 180 ] && [ "$4" -eq 180 ] || fail "after a restart the window is $3 x $4, not 180 x 180"
stop_mascot
echo "scale e2e passed"
