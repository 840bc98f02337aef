# The mascot steps aside for a full-screen program: another program's
# window without a title bar, over the whole screen, in front. The mascot
# hides within a second and paints nothing; once that window is gone it is
# back within a second, and what is typed into another program still
# arrives there. A maximized window with its title bar leaves it shown.
. "$PELMO_E2E_LIB"
: "${PELMO_PAINT_COUNT:?}"

shots="${TMPDIR:-/tmp}/pelmo-step-aside"
# Waits up to 1.2 s (a second, and the time it takes to look) for the
# mascot to be shown ($1 = 0) or hidden ($1 = 1).
expect_hidden() {
    for _ in $(seq 12); do
        probe visible "$mascot_hwnd" && shown=0 || shown=1
        [ "$shown" -eq "$1" ] && return 0
        sleep 0.1
    done
    fail "$2"
}

install_program
make_test_skins
start_mascot
expect_moving "the mascot does not move"
import -window root "$shots-before.png"

wine "$PELMO_PROBE" fullscreen 4000 >"$e2e_scratch/front" &
front_pid=$!
started_pids="$started_pids $front_pid"
for _ in $(seq 50); do [ -s "$e2e_scratch/front" ] && break; sleep 0.1; done
expect_hidden 1 "a full-screen window in front did not hide the mascot within a second"
import -window root "$shots-during.png"
[ "$(mascot_paints 1.5)" -eq 0 ] || fail "the mascot paints while it steps aside"
wait "$front_pid"
expect_hidden 0 "the mascot was not back within a second after the full-screen window closed"
expect_moving "the mascot does not move once back"
import -window root "$shots-after.png"

# Back without taking the keyboard: typing reaches the other program.
wine "$PELMO_PROBE" typebox 3000 >"$e2e_scratch/typed" &
typebox_pid=$!
sleep 1.2
xdotool type --delay 30 "stepped aside"
wait "$typebox_pid"
[ "$(tr -d '\r' <"$e2e_scratch/typed")" = "stepped aside" ] ||
    fail "typing reached the other program as '$(tr -d '\r' <"$e2e_scratch/typed")'"

# A maximized window keeps its title bar: no full-screen program.
wine "$PELMO_PROBE" maximized 2500 >/dev/null &
front_pid=$!
sleep 1.5
probe visible "$mascot_hwnd" || fail "a maximized window with its title bar hid the mascot"
[ "$(mascot_paints 0.5)" -gt 0 ] || fail "the mascot stopped painting in front of a maximized window"
wait "$front_pid"
stop_mascot
echo "step aside e2e passed (screenshots: $shots-before.png, -during.png, -after.png)"
