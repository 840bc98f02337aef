# The keyboard stays where the user types while the mascot wanders: every
# key typed into another program's window arrives, and so does every digit
# typed into the options dialog that command 32793 opens, which leaves the
# mascot wandering.
. "$PELMO_E2E_LIB"

install_program
make_test_skins
start_mascot
expect_moving "the mascot does not move at start"

typed="the quick brown fox 12345"
start_typebox 9000
xdotool type --delay 60 "$typed"
expect_moving "the mascot stood still while keys were typed"
wait "$box" || fail "the window to type into failed"
arrived=$(tr -d '\r' <"$e2e_scratch/typed")
[ "$arrived" = "$typed" ] || fail "of '$typed' typed beside the wandering mascot, '$arrived' arrived"
echo "typed beside the mascot: '$arrived'"

dialog=$(probe post "$mascot_hwnd" 32793 && probe owned "$mascot_hwnd" 10000) || fail "command 32793 opened no dialog"
focus_dialog
xdotool key --clearmodifiers Tab
xdotool type --delay 60 "1234567"
expect_moving "the mascot stood still behind the options command's dialog"
[ "$(probe text "$dialog" 1005)" = "1234567" ] ||
    fail "of 1234567 typed into the dialog, '$(probe text "$dialog" 1005)' arrived"
focus_dialog
xdotool key --clearmodifiers Escape
probe gone "$dialog" || fail "Esc did not close the dialog"
stop_mascot
echo "keyboard e2e passed"
