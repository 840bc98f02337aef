# The mascot picked up with real pointer input, while another program's
# window keeps the keyboard throughout: a drag carries it, the grabbed
# point under the cursor, without changing its skin; a click on the spot
# shows the next skin; dropped, it wanders on from there; Esc during a
# drag puts it back; a drop past the screen's edge leaves it whole on the
# screen.
. "$PELMO_E2E_LIB"

install_program
make_test_skins
start_mascot
expect_moving "the mascot does not move at start"

# Another program's window holds the keyboard from here on.
start_typebox 60000
typed=""
type_more() {
    xdotool type --delay 40 "$1"
    typed="$typed$1"
}
type_more "one "

# Skin of the 60 x 60 window at "x y" now: its colour ("#C00000" is a/).
skin_colour() {
    non_key_pixels "$e2e_dir/skin.png" "$1" "$2" 60 60 >/dev/null
    dominant_colour "$e2e_dir/skin.png" "$1" "$2" 60 60
}

# Presses on the resting mascot at +20 +25 and moves the cursor in
# $3 steps to "x y" ($1 $2) away from the press, the button held.
press_and_carry() {
    freeze_mascot
    press_x=$((frozen_x + 20)) press_y=$((frozen_y + 25))
    xdotool mousemove "$press_x" "$press_y" mousedown 1
    sleep 0.2
    for step in $(seq "$3"); do
        xdotool mousemove $((press_x + $1 * step / $3)) $((press_y + $2 * step / $3))
        sleep 0.05
    done
    sleep 0.3
}

# A drag: the window follows with the grabbed point under the cursor.
freeze_mascot
import -window root "${TMPDIR:-/tmp}/pelmo-drag-before.png"
colour=$(skin_colour $frozen_x $frozen_y)
press_and_carry 300 150 10
type_more "two "
[ "$(mascot_rect)" = "$((frozen_x + 300)) $((frozen_y + 150)) 60 60" ] ||
    fail "carried 300, 150 from $frozen_x $frozen_y, the mascot stands at $(mascot_rect)"
import -window root "${TMPDIR:-/tmp}/pelmo-drag-during.png"
sleep 0.5
[ "$(mascot_rect)" = "$((frozen_x + 300)) $((frozen_y + 150)) 60 60" ] || fail "held, the mascot wandered off"
xdotool mouseup 1
sleep 0.3
dropped_x=$((frozen_x + 300)) dropped_y=$((frozen_y + 150))
# The cursor still rests on it, so it stands where it was put down.
set -- $(mascot_rect)
[ "$1 $2" = "$dropped_x $dropped_y" ] || fail "dropped at $dropped_x $dropped_y, it stands at $1 $2"
[ "$(skin_colour $dropped_x $dropped_y)" = "$colour" ] || fail "a drag changed the skin"
import -window root "${TMPDIR:-/tmp}/pelmo-drag-after.png"

# It wanders on from the drop point once the cursor has gone.
park_cursor
expect_moving "the mascot did not wander on after the drop"
set -- $(mascot_rect)
# Nearer the drop point than where it was picked up, 335 pixels away.
to_drop=$((($1 - dropped_x) * ($1 - dropped_x) + ($2 - dropped_y) * ($2 - dropped_y)))
to_pickup=$((($1 - frozen_x) * ($1 - frozen_x) + ($2 - frozen_y) * ($2 - frozen_y)))
[ "$to_drop" -lt "$to_pickup" ] || fail "the mascot went on from $1 $2, not from where it was dropped"
type_more "three "

# A click without moving: the next skin, once.
freeze_mascot
xdotool mousemove $((frozen_x + 20)) $((frozen_y + 25)) click 1
sleep 0.5
[ "$(skin_colour $frozen_x $frozen_y)" = "#0000C0" ] || fail "a click did not show skin b once"
# The click gave the mascot the keyboard, as a click always did: the user
# clicks back into the other program.
xdotool mousemove --window "$box_xid" 60 20 click 1
xdotool key --clearmodifiers End
sleep 0.3
type_more "four "

# Esc during a drag: back where it was picked up.
press_and_carry -250 100 8
xdotool keydown Escape
sleep 0.1
xdotool keyup Escape
sleep 0.3
[ "$(mascot_rect)" = "$frozen_x $frozen_y 60 60" ] || fail "Esc left the mascot at $(mascot_rect), not $frozen_x $frozen_y"
xdotool mouseup 1
freeze_mascot
[ "$(skin_colour $frozen_x $frozen_y)" = "#0000C0" ] || fail "the release after Esc changed the skin"
type_more "five "

# Dropped past the screen's right and bottom edges: whole on the screen.
press_and_carry $((1280 - frozen_x)) $((1024 - frozen_y)) 10
xdotool mouseup 1
sleep 0.3
set -- $(mascot_rect)
[ "$1" -ge 0 ] && [ "$2" -ge 0 ] && [ $(($1 + 60)) -le 1280 ] && [ $(($2 + 60)) -le 1024 ] ||
    fail "dropped past the edge, the mascot stands at $1 $2"
type_more "six"

# The keyboard stayed with the other program all along.
probe close "$(probe titled typebox)" || fail "the window typed into is gone"
wait "$box" || fail "the window to type into failed"
arrived=$(tr -d '\r' <"$e2e_scratch/typed")
[ "$arrived" = "$typed" ] || fail "of '$typed' typed while the mascot was dragged and clicked, '$arrived' arrived"
stop_mascot
echo "drag e2e passed"
