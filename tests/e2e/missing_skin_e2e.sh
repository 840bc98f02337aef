# A whole skin folder missing: started without a/, the mascot is invisible
# but runs (its window exists and wanders) and still answers a left click,
# which brings skin b/ on screen; command 105 then ends it with exit code 0.
. "$PELMO_E2E_LIB"

[ -f "$PELMO_SKINS/b/w0.bmp" ] || fail "no generated skins in '$PELMO_SKINS'"
install_program
copy_shipped_skins
rm -rf a
start_mascot

probe visible "$mascot_hwnd" || fail "the mascot window is not visible"
set -- $(mascot_rect)
x0=$1 y0=$2
sleep 1.5
set -- $(mascot_rect)
[ "$1" != "$x0" ] || [ "$2" != "$y0" ] || fail "the mascot without a skin did not move from $x0,$y0"

# Where it stands, the screen shows the desktop and nothing else.
freeze_mascot
x=$frozen_x y=$frozen_y
count=$(non_key_pixels "$e2e_dir/shot-none.png" "$x" "$y" 60 60)
[ "$count" -eq 0 ] || fail "$count pixels at the window's place without a skin folder"

# A click at a see-through pixel of a colour-keyed window goes to whatever
# lies below (Wine cuts such pixels out of the X window's shape, as Windows
# does in its hit test), so the click is addressed to the mascot's own X
# window, at the cursor resting on it.
xid=$(xdotool search --onlyvisible --name '^Pelmo$' | head -1)
[ -n "$xid" ] || fail "no visible X window titled Pelmo"
xdotool click --window "$xid" 1
sleep 0.5
set -- $(mascot_rect)
[ "$1" = "$x" ] && [ "$2" = "$y" ] || fail "the frozen mascot moved from $x,$y to $1,$2"
import -window root "$e2e_dir/shot-b.png"
frame=$(matching_frame "$e2e_dir/shot-b.png" b "$x" "$y")
[ -n "$frame" ] || fail "after a left click the window shows no frame of skin b/"
echo "skin b/ shows $frame"

park_cursor
probe send "$mascot_hwnd" 105 || fail "command 105 was not answered"
expect_clean_exit "$mascot_pid" "command 105"
mascot_pid=""
echo "missing skin e2e passed"
