# Shared steps of the end-to-end tests. Sourced by each *_e2e.sh, which runs
# under the test command's virtual display and Wine prefix.
set -eu

: "${PELMO_EXE:?}" "${PELMO_PROBE:?}" "${PELMO_E2E_LIB:?}"
. "$(dirname "$PELMO_E2E_LIB")/../../tools/desk.sh"
export WINEDEBUG="${WINEDEBUG:--all}"

e2e_dir="$(mktemp -d "${TMPDIR:-/tmp}/pelmo-e2e.XXXXXX")"
# For the test's own files, out of the program's folder.
e2e_scratch="$(mktemp -d "${TMPDIR:-/tmp}/pelmo-e2e-scratch.XXXXXX")"
mascot_pid=""
started_pids=""

# Every copy of the program that a test started ends with the test, so no
# process keeps CTest's output pipe open.
e2e_cleanup() {
    for pid in $mascot_pid $started_pids; do
        kill "$pid" 2>/dev/null || true
    done
    [ -n "${own_prefix:-}" ] && WINEPREFIX="$own_prefix" wineserver -k 2>/dev/null
    [ -n "${e2e_drive:-}" ] && rm -f "$e2e_drive"
    # A test may have left the folder closed to new files.
    chattr -i "$e2e_dir" 2>/dev/null || true
    chmod u+w "$e2e_dir" 2>/dev/null || true
    rm -rf "$e2e_dir" "$e2e_scratch"
}
trap e2e_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [ -n "${DISPLAY:-}" ]; then
        import -window root "${TMPDIR:-/tmp}/pelmo-e2e-failure.png" 2>/dev/null &&
            echo "screenshot: ${TMPDIR:-/tmp}/pelmo-e2e-failure.png" >&2
    fi
    exit 1
}

# A copy of the desk's Wine prefix for this test alone: settings such as
# the DPI or the monitors must not reach the tests after it on the desk,
# even when this one is cut short.
own_prefix() {
    own_prefix="$e2e_scratch/prefix"
    cp -a "$WINEPREFIX" "$own_prefix"
    export WINEPREFIX="$own_prefix"
}

# Sets the registry value $2 (of type $3, data $4) under key $1 of the
# test's own prefix; its server ends, so that the next program reads it.
set_registry() {
    wine reg add "$1" /v "$2" /t "$3" /d "$4" /f >/dev/null 2>&1 || fail "could not set $1\\$2"
    wineserver -w
}

# Runs the probe program; its output without carriage returns, its exit code.
probe() {
    probe_code=0
    probe_out="$(wine "$PELMO_PROBE" "$@")" || probe_code=$?
    [ -n "$probe_out" ] && printf '%s\n' "$probe_out" | tr -d '\r'
    return $probe_code
}

# Makes the test's own folder the root of drive Q: (as a USB stick or a
# network drive is); Wine names a folder by the drive that reaches it
# most directly, so the program started there runs in "Q:\".
map_drive() {
    e2e_drive="$WINEPREFIX/dosdevices/q:"
    ln -sfn "$e2e_dir" "$e2e_drive"
}

# Copies the program into the test's own folder, which becomes the
# working directory (skins and "savedata" are looked up there).
install_program() {
    cp "$PELMO_EXE" "$e2e_dir/pelmo.exe"
    cd "$e2e_dir"
    park_cursor
    xsetroot -solid "$desktop_colour"
}

# The desktop behind the mascot: where the window is see-through, the
# screen shows this colour.
desktop_colour='#4A78A8'

# The cursor in the bottom-right corner, far from where the mascot starts,
# so that it never freezes the mascot by accident.
park_cursor() { xdotool mousemove 1279 1023; }

# Skins made by the test: every frame a coloured block on the key colour,
# one colour per skin, so what is drawn can be told apart on screen.
make_test_skins() { "${PELMO_SKINMAKER:?}" --stand-ins "$e2e_dir"; }

copy_shipped_skins() {
    for skin in a b c d; do cp -r "$PELMO_SKINS/$skin" "$e2e_dir/$skin"; done
}

# Starts the program: the copy in the working folder, or the one at $1.
start_mascot() {
    wine "${1:-./pelmo.exe}" &
    mascot_pid=$!
    started_pids="$started_pids $mascot_pid"
    mascot_hwnd="$(probe find 20000)" || fail "the mascot window did not appear"
    mascot_xid=""
}

# Prints "x y width height" of the mascot window.
mascot_rect() { probe rect "$mascot_hwnd"; }

# The paints that reach the mascot's window on the display in $1 seconds,
# as the X server's damage reports tell them: the program reads no frame
# file to paint once it keeps its pictures. The window is the one noted
# while the mascot moved (expect_moving); hidden, it gets no paint.
mascot_paints() {
    [ -n "${mascot_xid:-}" ] || fail "the mascot's window on the display was never seen"
    "${PELMO_PAINT_COUNT:?}" "$1" "$mascot_xid" | cut -d' ' -f2
}

# Waits up to 10 s for the mascot window to be $1 pixels a side (a Size
# chosen: the first save may load the system's random source, slow on a
# busy machine); prints its "x y width height" at the end either way.
wait_for_side() {
    for _ in $(seq 100); do
        set -- "$1" $(mascot_rect)
        [ "$4" = "$1" ] && [ "$5" = "$1" ] && break
        sleep 0.1
    done
    mascot_rect
}

# Waits up to about 3 s for the mascot window to move; fails with $1.
expect_moving() {
    start=$(mascot_rect)
    for _ in $(seq 15); do
        sleep 0.2
        if [ "$(mascot_rect)" != "$start" ]; then
            [ -n "${mascot_xid:-}" ] || mascot_xid=$(xdotool search --onlyvisible --name '^Pelmo$' | head -1)
            return 0
        fi
    done
    fail "$1"
}

# Waits up to 10 s for the copy of the program with the process id $1 to
# end, and fails unless it ended with exit code 0; $2 names what ended it.
expect_clean_exit() {
    for _ in $(seq 100); do
        case "$(ps -o stat= -p "$1" 2>/dev/null || echo gone)" in gone | Z*) break ;; esac
        sleep 0.1
    done
    case "$(ps -o stat= -p "$1" 2>/dev/null || echo gone)" in
    gone | Z*) ;;
    *) fail "$2 did not end the program within 10 s" ;;
    esac
    code=0
    wait "$1" || code=$?
    [ "$code" -eq 0 ] || fail "$2 ended the program with exit code $code, expected 0"
}

# Ends the mascot through its window and checks its exit code.
stop_mascot() {
    probe close "$mascot_hwnd" || fail "could not post WM_CLOSE"
    expect_clean_exit "$mascot_pid" WM_CLOSE
    mascot_pid=""
}

# Number of pixels in the screen area x y w h that show something else than
# the desktop (the key colour itself would count: it must never show).
# Shot taken now into $1.
non_key_pixels() {
    shot="$1"
    import -window root "$shot"
    convert "$shot" -crop "${4}x${5}+${2}+${3}" +repage -fill black -opaque "$desktop_colour" \
        -fill white +opaque black -format '%[fx:round(mean*w*h)]' info:
}

# Colour (as #RRGGBB) most common in the screen area, ignoring the desktop.
dominant_colour() {
    convert "$1" -crop "${4}x${5}+${2}+${3}" +repage -format %c histogram:info: |
        grep -v -i "$desktop_colour" | sort -rn | head -1 | grep -o '#[0-9A-Fa-f]\{6\}' | head -1
}

# Prints the name of the frame of skin folder $2 (plain, or "~" and the
# name when mirrored) whose every non-key pixel appears exactly in the
# screenshot $1 at x y, or nothing when none matches. A mirrored frame
# lands one column to the right of the plain one: GDI, on Windows as under
# Wine, counts a copy of negative width from its origin column leftwards
# (see MirrorShift in tests/win32/support/BmpFixture.h).
matching_frame() {
    shot="$1" skin="$2" at_x="$3" at_y="$4"
    for file in "$skin"/*.bmp; do
        name="$(basename "$file" .bmp)"
        for variant in plain:0 mirrored:1; do
            shift_x=${variant#*:}
            flip="" mirror=""
            [ "${variant%:*}" = mirrored ] && flip="-flop" mirror="~"
            convert "$shot" -crop "60x60+$((at_x + shift_x))+${at_y}" +repage "$e2e_dir/crop.png"
            convert "$file" $flip -transparent '#00FF00' "$e2e_dir/frame.png"
            composite "$e2e_dir/frame.png" "$e2e_dir/crop.png" "$e2e_dir/over.png"
            diff=$(compare -metric AE "$e2e_dir/crop.png" "$e2e_dir/over.png" null: 2>&1 || true)
            if [ "$diff" = "0" ]; then
                echo "$mirror$name"
                return 0
            fi
        done
    done
}

# Rests the cursor on the mascot, $1 pixels (30 unless given) right of and
# below its window's corner, until it stands still there (it moves on
# between reading its place and moving the cursor, so try again until it
# is caught). Leaves "x y" of the frozen window in frozen_x, frozen_y.
# On a display whose root starts left of the desk's origin, x_root_offset
# says by how much.
freeze_mascot() {
    at="${1:-30}"
    for _ in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15; do
        set -- $(mascot_rect)
        xdotool mousemove $(($1 + ${x_root_offset:-0} + at)) $(($2 + at))
        sleep 0.3
        first="$(mascot_rect)"
        sleep 0.3
        if [ "$(mascot_rect)" = "$first" ]; then
            set -- $first
            frozen_x=$1 frozen_y=$2
            return 0
        fi
    done
    fail "could not rest the cursor on the moving mascot"
}

# Lets the mascot wander and paint, then stops it under the cursor
# (frozen_x and frozen_y tell where it stands).
wander_and_freeze() {
    park_cursor
    sleep 0.5
    freeze_mascot
}

# Rests the cursor on the mascot (which freezes it there) and clicks
# button $1 on it.
click_mascot() {
    set -- "$1" $(mascot_rect)
    xdotool mousemove $(($2 + 30)) $(($3 + 30))
    sleep 0.3
    set -- "$1" $(mascot_rect)
    xdotool mousemove $(($2 + 30)) $(($3 + 30)) click "$1"
}

# Another program's window to type into, for $1 ms, given the keyboard:
# what arrives in it is written to $e2e_scratch/typed when it ends (at
# the time, or closed: probe close "$(probe titled typebox)"); its
# process in box, its X window in box_xid.
start_typebox() {
    probe typebox "$1" >"$e2e_scratch/typed" &
    box=$!
    started_pids="$started_pids $box"
    box_xid=""
    for _ in $(seq 50); do
        box_xid=$(xdotool search --onlyvisible --name '^typebox$' 2>/dev/null | head -1) || true
        [ -n "$box_xid" ] && break
        sleep 0.1
    done
    [ -n "$box_xid" ] || fail "the window to type into did not appear"
    xdotool windowfocus "$box_xid"
    sleep 0.3
}

# Opens the dialog with a right click and prints its handle.
open_dialog() {
    click_mascot 3
    probe owned "$mascot_hwnd" 10000 || fail "a right click opened no dialog"
}

# Gives the dialog titled $1 (by default "オプション") the keyboard. Its X
# window is found among the program's by the UTF-8 title, which does not
# depend on the locale.
focus_dialog() {
    title="${1:-オプション}" xid=""
    for w in $(xdotool search --onlyvisible --class pelmo.exe); do
        [ "$(xdotool getwindowname "$w")" = "$title" ] && xid=$w
    done
    [ -n "$xid" ] || fail "no X window titled $title"
    xdotool windowfocus "$xid"
    sleep 0.3
}

# The eight bytes of the range in "savedata", as hex pairs.
range_in_file() { od -An -tx1 -j512 -N8 savedata | tr -s ' ' | sed 's/^ //'; }

# The same for a range of $1 x $2.
range_bytes() { printf '%02x %02x 00 00 %02x %02x 00 00' $(($1 % 256)) $(($1 / 256)) $(($2 % 256)) $(($2 / 256)); }

# In the dialog titled $1: Tab to each field in turn (which selects the
# whole of it), type $2 and $3, and press Enter; fails unless the dialog
# $4 then closes.
type_range_and_save() {
    focus_dialog "$1"
    xdotool key --clearmodifiers Tab
    xdotool type --delay 50 "$2"
    xdotool key --clearmodifiers Tab
    xdotool type --delay 50 "$3"
    xdotool key --clearmodifiers Return
    probe gone "$4" || fail "Enter did not close the dialog $1"
}
