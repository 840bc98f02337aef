# The options dialog as a user meets it: a right click on the mascot opens
# "オプション" and the mascot stands still; typing 640 and 480 and pressing
# Enter saves them to "savedata", even while another program reads the
# file; the mascot moves again; the next opening holds what was saved and
# saves even where the folder takes no new file, where no save can land
# it stays open with what was typed; a flood of right clicks
# and options commands opens no second dialog; Esc closes without touching
# the file; closing the mascot with its dialog open ends it with code 0.
# All of it in the root folder of a drive.
. "$PELMO_E2E_LIB"

# Fails with $1 if the mascot moves within a second, the cursor away.
expect_paused() {
    park_cursor
    before=$(mascot_rect)
    sleep 1
    [ "$(mascot_rect)" = "$before" ] || fail "$1"
}

saved_range="80 02 00 00 e0 01 00 00"

# savedata holds 640 and 480, is one regular file of 552 bytes, and the
# folder holds nothing else but the program and its skins.
expect_saved() {
    [ -f savedata ] && [ ! -L savedata ] || fail "$1: savedata is not a regular file"
    [ "$(stat -c %s savedata)" -eq 552 ] || fail "$1: savedata is $(stat -c %s savedata) bytes, not 552"
    [ "$(range_in_file)" = "$saved_range" ] || fail "$1: the range in savedata is '$(range_in_file)', not 640 and 480"
    left=$(ls -A | tr '\n' ' ')
    [ "$left" = "a b c d pelmo.exe savedata " ] || fail "$1: the folder holds $left"
}

# Closes the folder to new files: for its owner by permission, for root
# (whom permissions do not stop) by the immutable attribute where the file
# system has it. Fails where neither holds.
lock_folder() {
    chmod a-w "$e2e_dir"
    if touch "$e2e_dir/.probe" 2>/dev/null; then
        rm -f "$e2e_dir/.probe"
        chmod u+w "$e2e_dir"
        chattr +i "$e2e_dir" 2>/dev/null || return 1
    fi
}
unlock_folder() {
    chattr -i "$e2e_dir" 2>/dev/null || true
    chmod u+w "$e2e_dir"
}

map_drive
install_program
make_test_skins
# An older savedata; the leftover of a save cut short by a crash; and, in
# the form of such a leftover, a link to a file of someone else.
"${PELMO_SKINMAKER:?}" --savedata savedata 111 222
printf 'crashed' >savedata.00000000000000aa.tmp
printf 'not yours' >"$e2e_scratch/victim"
ln -s "$e2e_scratch/victim" savedata.00000000000000bb.tmp
start_mascot
expect_moving "the mascot does not move at start"

dialog=$(open_dialog)
[ "$(probe title "$dialog")" = "オプション" ] || fail "the dialog's title is not オプション"
# Paused, not frozen by the cursor: with the cursor away it still stands.
expect_paused "the mascot moved while the dialog was open"

# The keyboard as a user would use it: the focus starts on "保存"; Tab
# selects the whole of each field in turn, Enter presses the default
# button. Meanwhile another program reads savedata for 3 s, as backup
# tools and editors do with "rb", which lets others write: the save lands
# all the same, into the very file that program holds.
focus_dialog
xdotool key --clearmodifiers Tab
xdotool type --delay 50 640
xdotool key --clearmodifiers Tab
xdotool type --delay 50 480
probe hold savedata 3000 "$e2e_scratch/held" >"$e2e_scratch/read" &
holder=$!
started_pids="$started_pids $holder"
for _ in $(seq 50); do [ -e "$e2e_scratch/held" ] && break; sleep 0.2; done
[ -e "$e2e_scratch/held" ] || fail "the reader did not open savedata"
focus_dialog
xdotool key --clearmodifiers Return
probe gone "$dialog" || fail "Enter did not close the dialog"
wait "$holder" || fail "the reader failed: $(cat "$e2e_scratch/read")"
[ "$(tr -d '\r' <"$e2e_scratch/read")" = "552 bytes, 640 480" ] ||
    fail "the held file reads '$(tr -d '\r' <"$e2e_scratch/read")', not the saved range"
[ "$(cat "$e2e_scratch/victim")" = "not yours" ] || fail "the save wrote or removed through a link"
[ -L savedata.00000000000000bb.tmp ] || fail "the save removed a link it did not make"
rm savedata.00000000000000bb.tmp
expect_saved "after a save under a reader"
expect_moving "the mascot stands still after the dialog closed"

# Opened again, the fields hold what was saved; and they are what a save
# takes: while the dialog is open another writer puts 111 and 222 into the
# file, and Enter writes the fields' 640 and 480 back, here with the folder
# closed to new files, so in place.
dialog=$(open_dialog)
[ "$(probe text "$dialog" 1005)" = "640" ] || fail "the reopened dialog shows x '$(probe text "$dialog" 1005)'"
[ "$(probe text "$dialog" 1006)" = "480" ] || fail "the reopened dialog shows y '$(probe text "$dialog" 1006)'"
"${PELMO_SKINMAKER:?}" --savedata "$e2e_scratch/other" 111 222
mv "$e2e_scratch/other" savedata
locked=yes
lock_folder || locked=no
focus_dialog
xdotool key --clearmodifiers Return
probe gone "$dialog" || fail "Enter did not close the reopened dialog"
unlock_folder
[ "$locked" = yes ] || echo "note: this file system cannot close a folder to root; saved with the folder open" >&2
expect_saved "after a save in a folder closed to new files"

# Where the save cannot land, in a folder closed to new files, Enter keeps
# the dialog open with what was typed and the file as it was: savedata
# made unwritable, then savedata a link to someone else's file, which
# must never be written through. That file lies on the same drive, where
# Wine shows it with its own id and volume: only its place gives it away.
if [ "$locked" = yes ]; then
    cp savedata "$e2e_scratch/saved-copy"
    mkdir elsewhere
    printf 'not yours either' >elsewhere/victim2
    for kind in unwritable link; do
        if [ $kind = link ]; then
            mv savedata "$e2e_scratch/saved-away"
            ln -s elsewhere/victim2 savedata
        else
            chattr +i savedata
        fi
        lock_folder
        dialog=$(open_dialog)
        focus_dialog
        xdotool key --clearmodifiers Tab
        xdotool type --delay 50 999
        xdotool key --clearmodifiers Return
        sleep 1
        probe visible "$dialog" || fail "Enter closed the dialog though the save ($kind) could not land"
        [ "$(probe text "$dialog" 1005)" = "999" ] || fail "the dialog kept '$(probe text "$dialog" 1005)', not 999"
        focus_dialog
        xdotool key --clearmodifiers Escape
        probe gone "$dialog" || fail "Esc did not close the dialog after a failed save"
        unlock_folder
        chattr -i savedata 2>/dev/null || true
    done
    [ "$(cat elsewhere/victim2)" = "not yours either" ] || fail "a save in place wrote through a link"
    rm -r elsewhere
    [ -L savedata ] || fail "the link savedata was replaced"
    rm savedata
    mv "$e2e_scratch/saved-away" savedata
    cmp -s savedata "$e2e_scratch/saved-copy" || fail "the unwritable savedata changed"
    expect_saved "after saves that could not land"
fi

# A hundred right clicks and options commands posted to the open dialog:
# still one dialog, the mascot still paused; Esc ends it without touching
# the file, and the mascot moves again.
cp savedata "$e2e_scratch/saved-copy"
dialog=$(open_dialog)
probe flood "$mascot_hwnd" 100 || fail "could not post to the mascot"
sleep 1
[ "$(probe dialogs "$mascot_hwnd")" = 1 ] || fail "$(probe dialogs "$mascot_hwnd") dialogs after the flood"
probe visible "$dialog" || fail "the dialog went with the flood"
expect_paused "the mascot moved while the flooded dialog was open"
focus_dialog
xdotool key --clearmodifiers Escape
probe gone "$dialog" || fail "Esc did not close the dialog"
cmp -s savedata "$e2e_scratch/saved-copy" || fail "Esc changed savedata"
expect_moving "the mascot stands still after the flooded dialog closed"

# WM_CLOSE with the dialog open ends the program with exit code 0.
dialog=$(open_dialog)
probe close "$mascot_hwnd" || fail "could not post WM_CLOSE"
probe gone "$mascot_hwnd" || fail "WM_CLOSE with the dialog open left the mascot window"
code=0
wait "$mascot_pid" || code=$?
mascot_pid=""
[ "$code" -eq 0 ] || fail "exit code $code with the dialog open, expected 0"
echo "dialog e2e passed"
