# Two copies in one folder run independently and share "savedata": what one
# saves, the other's dialog shows next time, always as a whole pair.
. "$PELMO_E2E_LIB"

install_program
make_test_skins
start_mascot
first_pid=$mascot_pid first_hwnd=$mascot_hwnd
wine ./pelmo.exe &
second_pid=$!
started_pids="$started_pids $second_pid"
for _ in $(seq 1 100); do
    second_hwnd=$(probe find-other "$first_hwnd" 2>/dev/null) && break
    sleep 0.2
done
[ -n "${second_hwnd:-}" ] || fail "the second copy's window did not appear"

probe shared "$first_hwnd" "$second_hwnd" 10 || fail "copies disagree about savedata"
[ "$(stat -c %s savedata)" -eq 552 ] || fail "savedata is not 552 bytes"
ls savedata.* 2>/dev/null && fail "a temporary file was left behind"

# Both still run on their own: each moves, and ending one leaves the other.
probe close "$second_hwnd"
expect_clean_exit "$second_pid" "WM_CLOSE to the second copy"
probe visible "$first_hwnd" || fail "ending the second copy ended the first"
stop_mascot
echo "copies e2e passed"
