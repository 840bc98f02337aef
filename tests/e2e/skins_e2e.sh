# The shipped skins on screen: the window shows exactly one frame of skin
# a/, and after a left click one of skin b/.
. "$PELMO_E2E_LIB"

[ -f "$PELMO_SKINS/a/w0.bmp" ] || fail "no generated skins in '$PELMO_SKINS'"
install_program
copy_shipped_skins
start_mascot
sleep 1

# Rest the cursor on the mascot so that it stands still for the shots.
freeze_mascot
x=$frozen_x y=$frozen_y
import -window root "$e2e_dir/shot-a.png"
frame=$(matching_frame "$e2e_dir/shot-a.png" a "$x" "$y")
[ -n "$frame" ] || fail "the window at $x,$y shows no frame of skin a/"
echo "skin a/ shows $frame"
if matching_frame "$e2e_dir/shot-a.png" b "$x" "$y" | grep -q .; then
    fail "skin a/ on screen also matches a frame of skin b/: skins too alike"
fi

xdotool click 1
sleep 0.5
import -window root "$e2e_dir/shot-b.png"
frame=$(matching_frame "$e2e_dir/shot-b.png" b "$x" "$y")
[ -n "$frame" ] || fail "after a left click the window shows no frame of skin b/"
echo "skin b/ shows $frame"

park_cursor
stop_mascot
echo "skins e2e passed"
