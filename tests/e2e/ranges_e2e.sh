# Wander ranges at the limits saved through the real program's dialog from
# another process: the bytes in "savedata" are right, the program goes on
# wandering with each of them, a range of 1 brings it to the screen's
# top-left corner and keeps it there, and command 105 ends it with exit
# code 0.
. "$PELMO_E2E_LIB"

# Opens the dialog with command 32793, types $1 and $2, presses "保存" and
# checks the eight bytes at offset 512 against $3.
save_range() {
    probe post "$mascot_hwnd" 32793 || fail "could not post command 32793"
    dialog=$(probe owned "$mascot_hwnd" 10000) || fail "command 32793 opened no dialog"
    probe settext "$dialog" 1005 "$1" || fail "no field 1005"
    probe settext "$dialog" 1006 "$2" || fail "no field 1006"
    probe post "$dialog" 1
    probe gone "$dialog" || fail "IDOK did not close the dialog"
    [ "$(stat -c %s savedata)" -eq 552 ] || fail "savedata is $(stat -c %s savedata) bytes after saving $1, $2"
    range=$(od -An -tx1 -j512 -N8 savedata | tr -s ' ' | sed 's/^ //;s/ $//')
    [ "$range" = "$3" ] || fail "saving $1, $2 wrote '$range', not '$3'"
}

install_program
make_test_skins
# The cursor where only a mascot standing at x 0 to 4 could be under it:
# with targets far out on the screen, one in the bottom-right corner might.
xdotool mousemove 0 1023
start_mascot
expect_moving "the mascot does not move at start"

save_range 2147483647 -2147483648 "ff ff ff 7f 00 00 00 80"
expect_moving "the mascot stands still with the range 2147483647, -2147483648"
save_range -2147483648 2147483647 "00 00 00 80 ff ff ff 7f"
expect_moving "the mascot stands still with the range -2147483648, 2147483647"
save_range -500 -500 "0c fe ff ff 0c fe ff ff"
expect_moving "the mascot stands still with the range -500, -500"

# Every target is now (0, 0): within a new target's choice (about 4 s)
# and the way there, the mascot comes to stand within 70 pixels of the
# corner, and then stays exactly there.
save_range 1 1 "01 00 00 00 01 00 00 00"
settled=""
previous=""
for _ in $(seq 60); do
    sleep 0.5
    now=$(mascot_rect)
    set -- $now
    if [ "$now" = "$previous" ] && [ "$1" -ge -70 ] && [ "$1" -le 70 ] && [ "$2" -ge -75 ] && [ "$2" -le 75 ]; then
        settled=yes
        break
    fi
    previous=$now
done
[ -n "$settled" ] || fail "with the range 1, 1 the mascot did not come to stand at the corner; it is at $(mascot_rect)"
sleep 2
[ "$(mascot_rect)" = "$now" ] || fail "with the range 1, 1 the mascot left its place at the corner, $now, for $(mascot_rect)"

probe send "$mascot_hwnd" 105 || fail "command 105 was not answered"
expect_clean_exit "$mascot_pid" "command 105"
mascot_pid=""
echo "ranges e2e passed"
