# The options dialog as a user meets it: a right click on the mascot opens
# "オプション" and the mascot stands still; typing 640 and 480 and pressing
# Enter saves them to "savedata"; the mascot moves again; the next opening
# holds what was saved, and Esc closes it without touching the file.
. "$PELMO_E2E_LIB"

# Rests the cursor on the mascot (which freezes it there) and clicks
# button $1 on it.
click_mascot() {
    set -- "$1" $(mascot_rect)
    xdotool mousemove $(($2 + 30)) $(($3 + 30))
    sleep 0.3
    set -- "$1" $(mascot_rect)
    xdotool mousemove $(($2 + 30)) $(($3 + 30)) click "$1"
}

# Waits up to about 3 s for the mascot window to move; fails with $1.
expect_moving() {
    start=$(mascot_rect)
    for _ in $(seq 15); do
        sleep 0.2
        [ "$(mascot_rect)" != "$start" ] && return 0
    done
    fail "$1"
}

# Opens the dialog with a right click and prints its handle.
open_dialog() {
    click_mascot 3
    probe owned "$mascot_hwnd" 10000 || fail "a right click opened no dialog"
}

# Gives the dialog the keyboard. Its X window is found among the
# program's by the UTF-8 title, which does not depend on the locale.
focus_dialog() {
    xid=""
    for w in $(xdotool search --onlyvisible --class pelmo.exe); do
        [ "$(xdotool getwindowname "$w")" = "オプション" ] && xid=$w
    done
    [ -n "$xid" ] || fail "no X window titled オプション"
    xdotool windowfocus "$xid"
    sleep 0.3
}

# The eight bytes of the range in "savedata", as hex pairs.
range_in_file() { od -An -tx1 -j512 -N8 savedata | tr -s ' ' | sed 's/^ //'; }
saved_range="80 02 00 00 e0 01 00 00"

install_program
make_test_skins
start_mascot
expect_moving "the mascot does not move at start"

dialog=$(open_dialog)
[ "$(probe title "$dialog")" = "オプション" ] || fail "the dialog's title is not オプション"

# Paused, not frozen by the cursor: with the cursor away it still stands.
park_cursor
before=$(mascot_rect)
sleep 1
[ "$(mascot_rect)" = "$before" ] || fail "the mascot moved while the dialog was open"

# The keyboard as a user would use it: the focus starts on "保存"; Tab
# selects the whole of each field in turn, Enter presses the default button.
focus_dialog
xdotool key --clearmodifiers Tab
xdotool type --delay 50 640
xdotool key --clearmodifiers Tab
xdotool type --delay 50 480
xdotool key --clearmodifiers Return
probe gone "$dialog" || fail "Enter did not close the dialog"

[ -f savedata ] || fail "no savedata after Enter"
[ "$(stat -c %s savedata)" -eq 552 ] || fail "savedata is $(stat -c %s savedata) bytes, not 552"
[ "$(range_in_file)" = "$saved_range" ] || fail "the range in savedata is '$(range_in_file)', not 640 and 480"
ls savedata.* 2>/dev/null && fail "a temporary file was left behind"
expect_moving "the mascot stands still after the dialog closed"

# Opened again, the fields hold what was saved; and they are what a save
# takes: while the dialog is open another writer puts 111 and 222 into the
# file, and Enter writes the fields' 640 and 480 back.
dialog=$(open_dialog)
[ "$(probe text "$dialog" 1005)" = "640" ] || fail "the reopened dialog shows x '$(probe text "$dialog" 1005)'"
[ "$(probe text "$dialog" 1006)" = "480" ] || fail "the reopened dialog shows y '$(probe text "$dialog" 1006)'"
head -c 552 /dev/zero >"$e2e_dir/other"
printf '\157\000\000\000\336\000\000\000' | dd of="$e2e_dir/other" bs=1 seek=512 conv=notrunc 2>/dev/null
mv "$e2e_dir/other" savedata
focus_dialog
xdotool key --clearmodifiers Return
probe gone "$dialog" || fail "Enter did not close the reopened dialog"
[ "$(range_in_file)" = "$saved_range" ] || fail "the reopened dialog did not show 640 and 480 (saved '$(range_in_file)')"

# Esc closes without touching the file.
cp savedata "$e2e_dir/saved-copy"
dialog=$(open_dialog)
focus_dialog
xdotool key --clearmodifiers Escape
probe gone "$dialog" || fail "Esc did not close the dialog"
cmp -s savedata "$e2e_dir/saved-copy" || fail "Esc changed savedata"

park_cursor
stop_mascot
echo "dialog e2e passed"
