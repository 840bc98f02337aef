# The mascot on three monitors (Xephyr's Xinerama screens, as Wine reports
# them): the primary, one left of it at (-1024, 256) and one right of it
# with a gap below. With All monitors it visits each, and never stands
# where no monitor is; carried onto the left one and put down where no
# monitor is, it lands whole on that one. Then, on a virtual desktop that shrinks under it,
# it is back on the screen within a second.
. "$PELMO_E2E_LIB"

own_prefix
desk_display="$DISPLAY"

# A nested display of three screens, the first the primary; Wine then
# reads them through Xinerama.
fd_file="$e2e_scratch/display"
Xephyr -displayfd 3 +xinerama -origin 1024,0 -screen 1280x1024 -origin 0,256 -screen 1024x768 \
    -origin 2304,0 -screen 800x600 -nolisten tcp 3>"$fd_file" >/dev/null 2>&1 &
xephyr_pid=$!
started_pids="$started_pids $xephyr_pid"
for _ in $(seq 100); do
    [ -s "$fd_file" ] && break
    sleep 0.1
done
[ -s "$fd_file" ] || fail "Xephyr did not start"
export DISPLAY=":$(head -n 1 "$fd_file")"
openbox --sm-disable >/dev/null 2>&1 &
started_pids="$started_pids $!"
set_registry 'HKCU\Software\Wine\X11 Driver' UseXRandR REG_SZ N
monitors="$(probe monitors)" || fail "no monitors read"
want="0 0 1280 1024 0 0 1280 1024
-1024 256 0 1024 -1024 256 0 1024
1280 0 2080 600 1280 0 2080 600"
[ "$monitors" = "$want" ] || fail "Wine reports the monitors as: $monitors"

install_program
make_test_skins
xsetroot -solid "$desktop_colour"
# The cursor where the mascot never comes (it would stand still under it):
# the far corner of the gap below the monitor on the right.
xdotool mousemove 3103 1023
start_mascot
# Size 4x and All monitors, from the icon's menu: at 4x the desk is a
# quarter as wide in the mascot's steps, so that it crosses it in seconds.
tray=$(probe tray "$mascot_hwnd") || fail "no window of the icon"
probe post "$tray" 40014 && probe post "$tray" 40003 || fail "could not choose Size 4x and All monitors"
wait_for_side 240 >/dev/null
# Wine may put the pointer back where it last saw it as a program starts.
xdotool mousemove 3103 1023

# Which monitor (0, 1 or 2) holds the centre of the window "x y w h";
# nothing for none.
monitor_of() {
    cx=$(($1 + $3 / 2)) cy=$(($2 + $4 / 2)) n=0
    printf '%s\n' "$monitors" | while read -r left top right bottom _; do
        [ "$cx" -ge "$left" ] && [ "$cx" -lt "$right" ] && [ "$cy" -ge "$top" ] && [ "$cy" -lt "$bottom" ] && echo $n
        n=$((n + 1))
    done
}
# Whether any pixel of the window "x y w h" lies on a monitor.
on_a_monitor() {
    printf '%s\n' "$monitors" | while read -r left top right bottom _; do
        [ "$1" -lt "$right" ] && [ $(($1 + $3)) -gt "$left" ] && [ "$2" -lt "$bottom" ] && [ $(($2 + $4)) -gt "$top" ] &&
            echo yes
    done | grep -q yes
}

visited="" last="" still=0
for sample in $(seq 400); do
    rect=$(mascot_rect)
    set -- $rect
    [ "$3" -eq 240 ] || fail "Size 4x gave a window $3 wide"
    m=$(monitor_of "$@")
    case " $visited " in *" $m "*) ;; *) [ -n "$m" ] && visited="$visited $m" ;; esac
    # The same place twice over half a second, off every monitor: it stands there.
    if [ "$rect" = "$last" ]; then still=$((still + 1)); else still=0; fi
    last="$rect"
    if [ "$still" -ge 2 ] && ! on_a_monitor "$@"; then fail "the mascot stands at $rect, where no monitor is"; fi
    # Watched for 40 looks at least, whenever it has been everywhere.
    [ "$(echo $visited | wc -w)" -eq 3 ] && [ "$sample" -ge 40 ] && break
    sleep 0.25
done
[ "$(echo $visited | wc -w)" -eq 3 ] || fail "the mascot visited only the monitors$visited"
echo "All monitors at 4x: visited the monitors$visited, never standing where none is, in $sample looks"
import -window root "${TMPDIR:-/tmp}/pelmo-monitors.png"

# Carried at 4x onto the monitor on the left, then put down above it,
# where no monitor is: whole on its work area. The nested display's root
# starts at the desk's left edge, -1024.
x_root_offset=1024
# A press that the mascot did not take (it walked off instead of following
# the first steps) is said on the log and made again, up to three times.
carry_to() { # the window's corner wanted, in the desk's coordinates
    for attempt in 1 2 3; do
        freeze_mascot 120
        from_x=$((frozen_x + 1024 + 120)) from_y=$((frozen_y + 120))
        xdotool mousemove "$from_x" "$from_y" mousedown 1
        for step in 1 2 3 4 5 6 7 8; do
            xdotool mousemove $((from_x + ($1 - frozen_x) * step / 8)) $((from_y + ($2 - frozen_y) * step / 8))
            sleep 0.05
            if [ "$step" -eq 2 ]; then
                sleep 0.3
                held_at=$(mascot_rect)
                set -- "$1" "$2" $held_at
                # Held, it follows in whole units of 4 pixels.
                off_x=$(($3 - frozen_x - ($1 - frozen_x) * 2 / 8)) off_y=$(($4 - frozen_y - ($2 - frozen_y) * 2 / 8))
                [ "${off_x#-}" -lt 8 ] && [ "${off_y#-}" -lt 8 ] && held=yes || held=no
                set -- "$1" "$2"
            fi
        done
        sleep 0.3
        xdotool mouseup 1
        sleep 0.3
        [ "$held" = yes ] && return 0
        echo "attempt $attempt: pressed at $frozen_x $frozen_y, two steps on the mascot stood at $held_at" >&2
    done
}
carry_to -700 400
[ "$(mascot_rect)" = "-700 400 240 240" ] || fail "carried onto the left monitor, the mascot stands at $(mascot_rect)"
# Put down 56 pixels too high, it lands with the cursor still on it, which
# holds it there to be seen.
carry_to -400 200
[ "$(mascot_rect)" = "-400 256 240 240" ] ||
    fail "put down above the left monitor, the mascot stands at $(mascot_rect), not whole on it"
echo "carried at 4x onto the monitor on the left, and put down whole on it from where no monitor is"
stop_mascot
wineserver -k
kill "$xephyr_pid"

# A virtual desktop of 1600 x 1000 that becomes 640 x 480 under the
# mascot, as a resolution changed or a monitor unplugged.
export DISPLAY="$desk_display" x_root_offset=0
rm -f savedata
set_registry 'HKCU\Software\Wine\Explorer' Desktop REG_SZ Default
set_registry 'HKCU\Software\Wine\Explorer\Desktops' Default REG_SZ 1600x1000
start_mascot
for _ in $(seq 200); do
    set -- $(mascot_rect)
    [ "$1" -ge 700 ] || [ "$2" -ge 540 ] && break
    sleep 0.2
done
[ "$1" -ge 700 ] || [ "$2" -ge 540 ] || fail "the mascot never wandered where the smaller screen ends"
out_at="$1 $2"
probe resize 640 480 >/dev/null || fail "the virtual desktop could not be made 640 x 480"
sleep 1
set -- $(mascot_rect)
[ "$1" -ge 0 ] && [ "$2" -ge 0 ] && [ $(($1 + $3)) -le 640 ] && [ $(($2 + $4)) -le 480 ] ||
    fail "a second after the screen shrank, the mascot from $out_at stands at $1 $2"
expect_moving "the mascot stood still after the screen shrank"
stop_mascot
echo "monitors e2e passed"
