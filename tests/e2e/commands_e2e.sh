# Commands sent by another process: 32784 does nothing, 32793 opens the
# options dialog while the mascot keeps moving, 105 ends the program with
# exit code 0.
. "$PELMO_E2E_LIB"

install_program
make_test_skins
start_mascot
sleep 1

probe send "$mascot_hwnd" 32784 || fail "command 32784 was not answered"
probe owned "$mascot_hwnd" 500 >/dev/null && fail "command 32784 opened a window"
probe visible "$mascot_hwnd" || fail "the mascot is gone after command 32784"

probe post "$mascot_hwnd" 32793
dialog=$(probe owned "$mascot_hwnd" 10000) || fail "command 32793 opened no dialog"
[ "$(probe title "$dialog")" = "オプション" ] || fail "the dialog's title is not オプション"
before=$(mascot_rect)
sleep 1
after=$(mascot_rect)
[ "$before" != "$after" ] || fail "the mascot stood still behind a dialog opened by command 32793"
probe post "$dialog" 2
probe gone "$dialog" || fail "Esc (IDCANCEL) did not close the dialog"

probe send "$mascot_hwnd" 105 || true
expect_clean_exit "$mascot_pid" "command 105"
mascot_pid=""
echo "commands e2e passed"
