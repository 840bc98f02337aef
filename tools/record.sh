#!/bin/sh
# Without a display: runs the mascot for a few seconds on a small virtual
# desktop of one plain colour with a panel, with a wander range to match,
# and writes an animated GIF of it at its real size and pace.
# Usage: record.sh PROGRAM_DIR [OUTPUT.gif] [SECONDS]
#   PELMO_SKINMAKER  the build's skinmaker (default: BUILD_DIR's)
set -e
program_dir="$(cd "$1" && pwd)"
out="${2:-$(dirname "$program_dir")/pelmo-wander.gif}"
seconds="${3:-15}"
root="$(cd "$(dirname "$0")/.." && pwd)"
# The native tool of the build that writes the settings file.
skinmaker="${PELMO_SKINMAKER:-${BUILD_DIR:-$root/build}/tools/skinmaker/skinmaker}"
[ -x "$skinmaker" ] || { echo "record.sh: no $skinmaker: build first (tools/build.sh), or set PELMO_SKINMAKER" >&2; exit 1; }
# Small enough that the 60-pixel mascot is plain to see at full size, and
# just large enough to show where it starts, at (500, 500).
width=640
height=560
# A desk as the tests' desks are: a window manager, and a panel with a
# notification area (tint2), where Wine docks the program's icon. Without
# one it shows the icon in a window of its own, a white bar in the top-left
# corner. tint2 shows no panel without a window manager.
export PELMO_SCREEN="${width}x${height}x24"
. "$root/tools/wine-session.sh"
tint2 -c "$root/tools/record-panel.tint2rc" >/dev/null 2>&1 &
panel=$!
pelmo_session_pids="$pelmo_session_pids $panel"
for _ in $(seq 50); do
    xdotool search --pid "$panel" --classname tint2 -c "$root/tools/record-panel.tint2rc" >/dev/null 2>&1 && break
    sleep 0.1
done
# Shown, it takes the notification area's selection a moment later; an
# icon that came before would be drawn in its own window first.
sleep 1
run="$pelmo_session_dir/run"
frames="$pelmo_session_dir/frames"
mkdir -p "$run" "$frames"
cp "$program_dir/pelmo.exe" "$run/"
for skin in a b c d; do cp -r "$program_dir/$skin" "$run/$skin"; done

# "savedata" with the wander range of the desktop less the mascot's size,
# so that it wanders in full view.
"$skinmaker" --savedata "$run/savedata" $((width - 60)) $((height - 60))

# A plain desktop colour, so the see-through parts of the window show. The
# cursor in the bottom-left corner, where the mascot hardly ever comes: it
# would stand still under it.
xsetroot -solid '#4A78A8' 2>/dev/null || true
xdotool mousemove 0 $((height - 1))
cd "$run"
wine ./pelmo.exe &
mascot=$!
# From the moment its window shows (its first tick follows at once).
for _ in $(seq 100); do
    xdotool search --name '^Pelmo$' >/dev/null 2>&1 && break
    sleep 0.1
done
# 20 frames a second: the walk's frames change every 0.1 s.
step=50000000
next=$(date +%s%N)
end=$((next + seconds * 1000000000))
n=0
while [ "$next" -lt "$end" ]; do
    now=$(date +%s%N)
    [ "$now" -lt "$next" ] && sleep "$(awk "BEGIN { print ($next - $now) / 1e9 }")"
    now=$(date +%s%N)
    import -window root "$frames/$(printf %05d $n).ppm"
    echo "$now" >>"$frames/times"
    n=$((n + 1))
    next=$((next + step))
    [ "$next" -lt "$now" ] && next=$now
done
kill "$mascot" 2>/dev/null || true

# Every frame a GIF of its own (the pictures have few colours: nothing is
# lost), then one animation in which each frame stays until the next was
# taken, in hundredths of a second, so that it runs at the program's real
# pace whatever the capture rate.
ls "$frames"/*.ppm | xargs -P "$(nproc)" -I{} sh -c 'convert "$1" "${1%.ppm}.gif"' _ {}
set --
i=0
previous=""
while read -r taken; do
    at=$(((taken + 5000000) / 10000000))
    if [ -n "$previous" ]; then
        set -- "$@" -d $((at - previous)) "$frames/$(printf %05d $((i - 1))).gif"
    fi
    previous=$at
    i=$((i + 1))
done <"$frames/times"
set -- "$@" -d 10 "$frames/$(printf %05d $((i - 1))).gif"
gifsicle --no-warnings --loopcount=forever -O3 --colors 256 "$@" >"$out"
echo "Recorded $n frames in $seconds s of the mascot wandering: $out"
