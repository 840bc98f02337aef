#!/bin/sh
# Installs what is missing, builds, and prints one table of figures: the
# cost of one tick of the core (native), of one paint under Wine and of its
# parts, the CPU time per minute and peak memory of the program wandering
# under Wine beside a minimal reference program, the size on disk, and the
# CPU time and paints of the program shown, hidden by its menu's Hide and
# stepped aside for a full-screen window.
# This script measures; tools/bench/table.py computes and prints the table
# from what it measured, with a second count beside each derived one.
#   BENCH_SECONDS  length of each CPU measurement (default 20)
#   BENCH_PAINTS   paints timed for each paint figure (default 3000)
#   BENCH_FIGURES  a folder to keep the measured figures in, from which
#                  python3 tools/bench/table.py FOLDER prints the table again
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${BUILD_DIR:-$root/build}"
seconds="${BENCH_SECONDS:-20}"
paints="${BENCH_PAINTS:-3000}"
warmup=3

say() { echo "bench: $(date +%T) $*" >&2; }

"$root/tools/install-deps.sh"
build_log="$(mktemp "${TMPDIR:-/tmp}/pelmo-bench-build.XXXXXX")"
say "building (log: $build_log)"
if ! { "$root/tools/build.sh" &&
        cmake --build "$build" -j "$(nproc)" --target bench_core bench_core_plain bench_open_count bench_paint_count &&
        cmake --build "$build/windows" -j "$(nproc)" --target bench_paint bench_reference bench_cover; } >"$build_log" 2>&1; then
    tail -40 "$build_log" >&2
    say "the build failed"
    exit 1
fi
windows="$build/windows" native="$build/tools/bench"
open_count="$native/bench_open_count" paint_count="$native/bench_paint_count"
skinmaker="$build/tools/skinmaker/skinmaker"
paint_bench="$windows/tools/bench/win/bench_paint.exe" reference="$windows/tools/bench/win/bench_reference.exe"
cover="$windows/tools/bench/win/bench_cover.exe"
for f in "$native/bench_core" "$native/bench_core_plain" "$open_count" "$paint_count" "$skinmaker" "$paint_bench" "$reference" \
    "$cover" "$windows/pelmo.exe"; do
    [ -f "$f" ] || { say "missing after the build: $f"; exit 1; }
done

. "$root/tools/wine-session.sh"
out="$pelmo_session_dir/figures"
run="$pelmo_session_dir/run"
mkdir -p "$out" "$run"
load_at_start="$(cut -d' ' -f1-3 /proc/loadavg)"

# ---- 1. the core, native -------------------------------------------------

# Google Benchmark's CSV, medians of 5 runs; the table takes the CPU time of
# the thread, not the wall time, so that time slices lost to other work on a
# shared machine are left out.
say "timing the core (native)"
for b in core core_plain; do
    "$native/bench_$b" --benchmark_format=csv --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
        --benchmark_min_time=0.3 >"$out/$b.csv" 2>/dev/null
done

# ---- the folder the Windows programs run from ----------------------------

cp "$windows/pelmo.exe" "$paint_bench" "$reference" "$cover" "$run/"
if ls "$windows"/a/*.bmp >/dev/null 2>&1; then
    skins="built"
    for s in a b c d; do cp -r "$windows/$s" "$run/$s"; done
else
    # Without the generated skins the program would load nothing and draw
    # nothing, which is not what a user runs: time with stand-in frames of
    # the documented kind instead (60 x 60, 24 bits, key-coloured ground).
    skins="stand-ins"
    "$skinmaker" --stand-ins "$run"
fi
cd "$run"

# ---- 2. one paint under Wine ---------------------------------------------

say "timing paints under Wine ($paints per figure)"
wine ./bench_paint.exe "$paints" | tr -d '\r' >"$out/paint.txt"
grep -q '^paint ' "$out/paint.txt" || { say "the paint benchmark printed no figures"; exit 1; }

# The X window of the shown window titled $1 (a pattern), waited for.
window_of() {
    for _ in $(seq 100); do
        xid="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)"
        [ -n "$xid" ] && { echo "$xid"; return 0; }
        sleep 0.05
    done
    return 1
}

# The program reads no frame file at a paint once its pictures are kept,
# so its paints are counted where they arrive: the X server's damage
# reports on its window (bench_paint_count). How many reports one paint
# makes is counted around a known number of paints of the same code, at the
# program's pace, in a window that never moves; a second run of twice the
# paints counts it again from the difference, free of what a run makes
# only once. The count ends when the window goes.
for n in 500 1000; do
    say "counting the damage reports that $n paints make"
    wine ./bench_paint.exe --paints-only "$n" >"$out/calibration-$n.txt" 2>/dev/null &
    bench_pid=$!
    xid="$(window_of '^Pelmo paint bench$')" || { say "the paint benchmark's window did not show"; exit 1; }
    "$paint_count" 300 "$xid" >"$out/calibration-$n-reports.txt"
    wait "$bench_pid" || true
    grep -q '^paints_made [1-9]' "$out/calibration-$n.txt" && ! grep -q '^0 ' "$out/calibration-$n-reports.txt" ||
        { say "no paints counted ($(cat "$out/calibration-$n-reports.txt") reports)"; exit 1; }
done

# ---- 3 and 4. the programs wandering -------------------------------------

# Processes whose command line matches $1 and that belong to this session's
# Wine prefix (other sessions may run Wine programs of the same name).
prefix_pids() {
    for p in $(pgrep -f "$1" || true); do
        { tr '\0' '\n' <"/proc/$p/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$p"
    done
    return 0
}

# The CPU used so far, for the table to take the differences: a line
# "kind pid stat" a process, with its /proc stat line (none once gone): the
# prefix's other Wine processes, the program $1, the wineserver $2, desk 1's
# X server, and the full-screen window $3 when there is one; then the
# machine's /proc/stat line and the time. Each thread of the program adds a
# line "thread tid ns" with the time it has run, a second count of the
# program's CPU that does not come in ticks.
cpu_snapshot() {
    for p in $(prefix_pids '\.exe' | grep -vx -e "$1" -e "${3:-}" || true); do
        echo "other $p $(cat "/proc/$p/stat" 2>/dev/null)"
    done
    echo "program $1 $(cat "/proc/$1/stat" 2>/dev/null)"
    for t in "/proc/$1/task/"*; do
        [ -r "$t/schedstat" ] && echo "thread ${t##*/} $(cut -d' ' -f1 "$t/schedstat" 2>/dev/null)"
    done
    [ -z "${3:-}" ] || echo "cover $3 $(cat "/proc/$3/stat" 2>/dev/null)"
    echo "server $2 $(cat "/proc/$2/stat" 2>/dev/null)"
    [ -z "$pelmo_xvfb_pid" ] || echo "xvfb $pelmo_xvfb_pid $(cat "/proc/$pelmo_xvfb_pid/stat" 2>/dev/null)"
    echo "machine - $(head -1 /proc/stat)"
    echo "time_ns - $(date +%s%N)"
}

# The reference program's "paints ticks"; the file can be caught while it
# is being rewritten, so an unreadable count is read again.
reference_counts() {
    for _ in 1 2 3 4 5; do
        cat reference-paints.txt 2>/dev/null | awk 'NF == 2 && $1 ~ /^[0-9]+$/ && $2 ~ /^[0-9]+$/ { print; ok = 1 }
            END { exit !ok }' && return 0
        sleep 0.05
    done
    echo "0 0"
}

# The counts of the next $seconds by which the table tells the paints of
# the program labelled $1: the damage reports on pelmo.exe's window ($xid)
# and the frame files it opens and closes meanwhile; the reference program's
# own count of its paints and timer ticks (its window, all of the colour
# key, shows nothing, so the X server sees none of its paints). A program
# that is starved of CPU falls behind its 20 ms pace and so spends less per
# minute: counting its paints shows that, and gives the cost per paint.
count_paints() {
    if [ "${1#pelmo}" != "$1" ]; then
        "$open_count" "$seconds" a b c d >"$run/files" &
        files_pid=$!
        echo "damage $("$paint_count" "$seconds" "$xid")"
        wait "$files_pid" || true
        echo "files $(cat "$run/files")"
    else
        echo "counts_start $(reference_counts)"
        sleep "$seconds"
        echo "counts_end $(reference_counts)"
    fi
}

# Starts Windows program $1 and sets launcher (what was started), pid (its
# process in this prefix) and server (the prefix's wineserver), once it has
# run through the warm-up.
start_program() {
    wine "./$1" >/dev/null 2>&1 &
    launcher=$!
    pid=""
    for _ in $(seq 100); do
        pid="$(prefix_pids "$1" | head -1)"
        [ -n "$pid" ] && break
        sleep 0.1
    done
    [ -n "$pid" ] || { say "$1 did not start"; return 1; }
    # Wine puts the pointer back where it last saw it when a program of
    # its starts up, so the cursor is parked once the window is there.
    sleep 1
    park_cursor
    sleep "$warmup"
    server="$(prefix_pids 'wineserver' | head -1)"
}

# Runs Windows program $2 for the measured window and writes its figures:
# CPU snapshots at the window's start and end, and in $out/$1.txt the
# counts of its paints, VmHWM, and whether it lived and the cursor stayed.
measure_program() {
    label="$1" exe="$2"
    start_program "$exe" || return 1
    [ "${label#pelmo}" = "$label" ] || xid="$(window_of '^Pelmo$')" || { say "$exe shows no window"; return 1; }
    cpu_snapshot "$pid" "${server:--}" >"$out/$label-start.txt"
    counts="$(count_paints "$label")"
    cpu_snapshot "$pid" "${server:--}" >"$out/$label-end.txt"
    hwm="$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status" 2>/dev/null || true)"
    {
        echo "$counts"
        echo "hwm_kb ${hwm:--}"
        kill -0 "$pid" 2>/dev/null && echo "alive yes" || echo "alive no"
        echo "parked $(cursor_parked)"
    } >"$out/$label.txt"
    kill "$pid" 2>/dev/null || true
    wait "$launcher" 2>/dev/null || true
    # Let the prefix settle so one program's ending is not counted in the next.
    sleep 1
}

# The mascot freezes for good once it reaches a cursor that never moves, and
# a frozen mascot paints nothing. So it wanders a range of 1000 x 800 and
# the cursor waits in the screen's far corner, beyond the reach of that range.
"$skinmaker" --savedata savedata 1000 800
screen="$(xdotool getdisplaygeometry 2>/dev/null || echo 1280 1024)"
corner_x=$((${screen% *} - 1)) corner_y=$((${screen#* } - 1))
park_cursor() { xdotool mousemove "$corner_x" "$corner_y" 2>/dev/null || true; }
cursor_parked() {
    [ "$(xdotool getmouselocation 2>/dev/null | cut -d' ' -f1-2)" = "x:$corner_x y:$corner_y" ] && echo yes || echo no
}
say "measuring the reference program for ${seconds} s"
measure_program reference bench_reference.exe
say "measuring pelmo.exe for ${seconds} s"
measure_program pelmo pelmo.exe
# At Size 3x (savedata's third value), in a range as large on the screen:
# a window of 180 x 180 pixels, its peak memory beside the one at 1x.
"$skinmaker" --savedata savedata 333 266
printf '\003' | dd of=savedata bs=1 seek=520 conv=notrunc status=none
say "measuring pelmo.exe at Size 3x for ${seconds} s"
measure_program pelmo3 pelmo.exe
"$skinmaker" --savedata savedata 1000 800

# ---- 6. shown, hidden and stepped aside ----------------------------------

# What bench_cover.exe says: "shown" or "hidden", and the foreground
# window's class; "none -" without a mascot.
mascot_state() {
    state="$(wine ./bench_cover.exe state 2>/dev/null)" || state="none -"
    printf '%s\n' "$state" | tr -d '\r'
}

# Waits up to 5 s for the mascot to be $1 ("shown" or "hidden"); prints
# what it last was and the seconds it took, each look included (a Wine
# program started each time, so this is an upper bound).
wait_for_mascot() {
    since="$(date +%s%N)"
    while :; do
        state="$(mascot_state)"
        waited=$(($(date +%s%N) - since))
        [ "${state%% *}" != "$1" ] && [ "$waited" -lt 5000000000 ] || break
        sleep 0.1
    done
    echo "$state $(awk "BEGIN { printf \"%.2f\", $waited / 1e9 }")"
}

# Measures the running mascot ($pid) for $seconds as it stands, labelled
# state-$1, as measure_program does; with the state it was in just before
# and just after, outside the measured window.
measure_state() {
    before="$(mascot_state)"
    cpu_snapshot "$pid" "${server:--}" "${cover_pid:-}" >"$out/state-$1-start.txt"
    counts="$(count_paints pelmo)"
    cpu_snapshot "$pid" "${server:--}" "${cover_pid:-}" >"$out/state-$1-end.txt"
    {
        echo "$counts"
        echo "state_start $before"
        echo "state_end $(mascot_state)"
        kill -0 "$pid" 2>/dev/null && echo "alive yes" || echo "alive no"
        echo "parked $(cursor_parked)"
    } >"$out/state-$1.txt"
}

# One pelmo.exe, measured shown; hidden by the menu's Hide; shown again and
# then stepped aside by itself for a window without a title bar over the
# whole screen. Each hidden state is waited for before it is measured, and
# settles for a second once there.
say "measuring pelmo.exe shown, hidden and stepped aside, ${seconds} s each"
start_program pelmo.exe
xid="$(window_of '^Pelmo$')" || { say "pelmo.exe shows no window"; exit 1; }
cover_pid=""
measure_state shown
wine ./bench_cover.exe hide >/dev/null 2>&1 || say "the menu's Hide could not be posted"
echo "hide $(wait_for_mascot hidden)" >"$out/state-waits.txt"
sleep 1
measure_state hidden
wine ./bench_cover.exe hide >/dev/null 2>&1 || say "the menu's Hide could not be posted again"
echo "unhide $(wait_for_mascot shown)" >>"$out/state-waits.txt"
wine ./bench_cover.exe cover >/dev/null 2>&1 &
cover_launcher=$!
echo "cover $(wait_for_mascot hidden)" >>"$out/state-waits.txt"
cover_pid="$(prefix_pids 'bench_cover\.exe cover' | head -1)"
sleep 1
measure_state aside
[ -z "$cover_pid" ] || kill "$cover_pid" 2>/dev/null || true
echo "uncover $(wait_for_mascot shown)" >>"$out/state-waits.txt"
kill "$cover_launcher" "$pid" 2>/dev/null || true
wait "$cover_launcher" "$launcher" 2>/dev/null || true

# ---- the table ------------------------------------------------------------

printf '%s\n' "wine $(wine --version 2>/dev/null | tr -d '\r')" "window_manager $(pelmo_window_manager "$DISPLAY")" \
    "cpus $(nproc)" "hz $(getconf CLK_TCK)" "seconds $seconds" "warmup $warmup" "skins $skins" "windows $windows" \
    "reference_exe $reference" "load_start $load_at_start" "load_end $(cut -d' ' -f1-3 /proc/loadavg)" >"$out/run.txt"
[ -z "${BENCH_FIGURES:-}" ] || { mkdir -p "$BENCH_FIGURES" && cp "$out"/* "$BENCH_FIGURES/"; }
# Debian's Python, whatever else the path finds first.
/usr/bin/python3 "$root/tools/bench/table.py" "$out"
