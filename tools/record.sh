#!/bin/sh
# Without a display: runs the mascot on a virtual display for a few seconds
# and writes an animated GIF of it wandering.
# Usage: record.sh PROGRAM_DIR [OUTPUT.gif] [SECONDS]
set -e
program_dir="$(cd "$1" && pwd)"
out="${2:-$(dirname "$program_dir")/pelmo-wander.gif}"
seconds="${3:-8}"
root="$(cd "$(dirname "$0")/.." && pwd)"
# The bare server: the recording shows the mascot alone.
export PELMO_BARE_DISPLAY=1
. "$root/tools/wine-session.sh"
frames="$pelmo_session_dir/frames"
mkdir -p "$frames"
# A plain desktop colour, so the see-through parts of the window show.
xsetroot -solid '#4A78A8' 2>/dev/null || true
cd "$program_dir"
wine ./pelmo.exe &
mascot=$!
sleep 2
end=$(( $(date +%s) + seconds ))
n=0
while [ "$(date +%s)" -lt "$end" ]; do
    import -window root -resize 50% "$frames/$(printf %05d $n).png"
    n=$((n + 1))
done
kill "$mascot" 2>/dev/null || true
convert -delay 10 -loop 0 "$frames"/*.png -layers Optimize "$out"
echo "Recorded $n frames of the mascot wandering: $out"
