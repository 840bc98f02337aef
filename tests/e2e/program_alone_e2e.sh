# The program alone, as a user has it who copies only pelmo.exe or starts
# it from inside its zip: in a folder without any skin folder it shows its
# built-in skin a, left clicks bring b, c, d and a again, and a right click
# opens its dialog. A skin folder of the user's own in the working folder
# takes over at the next paint; once it is gone the built-in copy returns.
# Command 105 ends it with exit code 0.
. "$PELMO_E2E_LIB"

[ -f "$PELMO_SKINS/a/w0.bmp" ] || fail "no generated skins in '$PELMO_SKINS'"
install_program
start_mascot
expect_moving "the program alone does not move"

# Which skin's frame the mascot shows where it stands, frozen under the
# cursor; fails with $2 unless it is one of skin folder $1's.
expect_frame_of() {
    import -window root "$e2e_scratch/shot.png"
    frame=$(matching_frame "$e2e_scratch/shot.png" "$1" "$frozen_x" "$frozen_y")
    [ -n "$frame" ] || fail "$2"
}

freeze_mascot
expect_frame_of "$PELMO_SKINS/a" "the program alone shows no frame of its skin a"
echo "alone: the built-in a shows $frame"

# Clicks addressed to the mascot's own X window, at the cursor resting on it.
xid=$(xdotool search --onlyvisible --name '^Pelmo$' | head -1)
[ -n "$xid" ] || fail "no visible X window titled Pelmo"
for skin in b c d a; do
    xdotool click --window "$xid" 1
    sleep 0.5
    expect_frame_of "$PELMO_SKINS/$skin" "after a left click the program alone shows no frame of skin $skin"
done
echo "left clicks: the built-in b, c, d and a"

xdotool click --window "$xid" 3
dialog=$(probe owned "$mascot_hwnd" 10000) || fail "a right click opened no dialog"
[ "$(probe title "$dialog")" = "オプション" ] || fail "the dialog is titled '$(probe title "$dialog")'"
focus_dialog
xdotool key --clearmodifiers Escape
probe gone "$dialog" || fail "Esc did not close the dialog"

"${PELMO_SKINMAKER:?}" --stand-ins "$e2e_dir" a
wander_and_freeze
expect_frame_of "$e2e_dir/a" "a skin folder a/ in the working folder does not take over"
rm -rf a
wander_and_freeze
expect_frame_of "$PELMO_SKINS/a" "with the working folder's a/ gone the built-in a does not return"
echo "a working folder's a/ takes over, and gives way again"

park_cursor
probe send "$mascot_hwnd" 105 || fail "command 105 was not answered"
expect_clean_exit "$mascot_pid" "command 105"
mascot_pid=""
echo "program alone e2e passed"
