#!/bin/sh
# Installs what is missing, builds, and prints one table of figures: the
# cost of one tick of the core (native), of one paint under Wine and of its
# parts, the CPU time per minute and peak memory of the program wandering
# under Wine beside a minimal reference program, and the size on disk.
#   BENCH_SECONDS  length of each CPU measurement (default 20)
#   BENCH_PAINTS   paints timed for each paint figure (default 3000)
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
        cmake --build "$build" -j "$(nproc)" --target bench_core bench_core_plain bench_open_count &&
        cmake --build "$build/windows" -j "$(nproc)" --target bench_paint bench_reference; } >"$build_log" 2>&1; then
    tail -40 "$build_log" >&2
    say "the build failed"
    exit 1
fi
windows="$build/windows"
core_bench="$build/tools/bench/bench_core"
open_count="$build/tools/bench/bench_open_count"
plain_bench="$build/tools/bench/bench_core_plain"
paint_bench="$windows/tools/bench/win/bench_paint.exe"
reference="$windows/tools/bench/win/bench_reference.exe"
for f in "$core_bench" "$plain_bench" "$open_count" "$paint_bench" "$reference" "$windows/pelmo.exe"; do
    [ -f "$f" ] || { say "missing after the build: $f"; exit 1; }
done

. "$root/tools/wine-session.sh"
out="$pelmo_session_dir/figures"
run="$pelmo_session_dir/run"
mkdir -p "$out" "$run"
hz="$(getconf CLK_TCK)"
load_at_start="$(cut -d' ' -f1-3 /proc/loadavg)"

# ---- 1. the core, native -------------------------------------------------

# Prints "name median unit" for each benchmark of the program $1. The CPU
# time of the thread, not the wall time, so that time slices lost to other
# work on a shared machine are left out.
core_figures() {
    "$1" --benchmark_format=csv --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
        --benchmark_min_time=0.3 2>/dev/null |
        awk -F, '$1 ~ /_median"$/ { gsub(/"/, "", $1); sub(/^BM_/, "", $1); sub(/_median$/, "", $1); print $1, $4, $5 }'
}
say "timing the core (native)"
core_figures "$core_bench" >"$out/core.txt"
core_figures "$plain_bench" >"$out/plain.txt"

# Value of column $3 (default 2) of the line named $2 in file $1.
field() { awk -v n="$2" -v c="${3:-2}" '$1 == n { print $c; exit }' "$1"; }

# ---- the folder the Windows programs run from ----------------------------

cp "$windows/pelmo.exe" "$paint_bench" "$reference" "$run/"
if ls "$windows"/a/*.bmp >/dev/null 2>&1; then
    skins="built"
    for s in a b c d; do cp -r "$windows/$s" "$run/$s"; done
else
    # Without the generated skins the program would load nothing and draw
    # nothing, which is not what a user runs: time with stand-in frames of
    # the documented kind instead (60 x 60, 24 bits, key-coloured ground).
    skins="stand-ins"
    for s in a b c d; do
        case $s in a) c='#C00000' ;; b) c='#0000C0' ;; c) c='#C0C000' ;; d) c='#C000C0' ;; esac
        mkdir -p "$run/$s"
        convert -size 60x60 'xc:#00FF00' -fill "$c" -draw 'rectangle 10,10 49,59' -type TrueColor "BMP3:$run/$s/w0.bmp"
        for f in w1 w2 w3 w4 w5 n0 j0 jj0 d0 f0 ff0 p0 kan0 st0 kime0 sleep0 k0; do
            cp "$run/$s/w0.bmp" "$run/$s/$f.bmp"
        done
    done
fi
cd "$run"

# ---- 2. one paint under Wine ---------------------------------------------

say "timing paints under Wine ($paints per figure)"
wine ./bench_paint.exe "$paints" | tr -d '\r' >"$out/paint.txt"
grep -q '^paint ' "$out/paint.txt" || { say "the paint benchmark printed no figures"; exit 1; }

# How many frame files one paint opens, counted around a known number of
# paints of the same code: the wandering program's paints are counted by
# the files it opens (below), and this keeps that count true whatever the
# number of opens per paint.
calibration_paints=500
say "counting the files that $calibration_paints paints open"
"$open_count" --while a b c d -- sh -c "wine ./bench_paint.exe --paints-only $calibration_paints >calibration.txt" \
    >"$out/calibration-opens.txt" || { say "the counted paints failed"; exit 1; }
calibration_made="$(tr -d '\r' <calibration.txt | awk '$1 == "paints_made" { print $2 }')"
calibration_opens="$(cat "$out/calibration-opens.txt")"
opens_per_paint="$(awk -v o="$calibration_opens" -v p="$calibration_made" 'BEGIN { if (p > 0 && o > 0) printf "%.3f", o / p }')"
[ -n "$opens_per_paint" ] || { say "no paints counted ($calibration_opens opens, ${calibration_made:-no} paints)"; exit 1; }

# ---- 3 and 4. the programs wandering -------------------------------------

# Processes whose command line matches $1 and that belong to this session's
# Wine prefix (other sessions may run Wine programs of the same name).
prefix_pids() {
    for p in $(pgrep -f "$1" || true); do
        { tr '\0' '\n' <"/proc/$p/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$p"
    done
    return 0
}

# User plus system CPU of process $1 so far, in clock ticks (0 once gone).
cpu_ticks() {
    if [ -n "$1" ] && [ -r "/proc/$1/stat" ]; then
        sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'
    else
        echo 0
    fi
}

# "pid:ticks" for every process in $@.
snapshot() { for p in "$@"; do echo "$p:$(cpu_ticks "$p")"; done; }

# Ticks used since snapshot $1 by the processes $2: the growth of those in
# the snapshot, and all of those started since.
ticks_since() {
    total=0
    for p in $2; do
        was=0
        for entry in $1; do
            [ "${entry%%:*}" = "$p" ] && was="${entry#*:}"
        done
        now=$(cpu_ticks "$p")
        [ "$now" -ge "$was" ] && total=$((total + now - was))
    done
    echo "$total"
}

now_ns() { date +%s%N; }

# Busy CPU of the whole machine so far, in clock ticks, so that other work
# running beside the benchmark can be seen in the table.
machine_ticks() { awk '$1 == "cpu" { print $2 + $3 + $4 + $7 + $8 + $9; exit }' /proc/stat; }

# The reference program's paint count; the file can be caught while it is
# being rewritten, so an unreadable count is read again.
reference_paints() {
    for _ in 1 2 3 4 5; do
        n="$(cat reference-paints.txt 2>/dev/null || true)"
        case "$n" in '' | *[!0-9]*) sleep 0.05 ;; *) echo "$n"; return 0 ;; esac
    done
    echo 0
}

# Paints made in the next $seconds by the program labelled $1. A program
# that is starved of CPU falls behind its 20 ms pace and so spends less per
# minute: counting its paints shows that, and gives the cost per paint.
count_paints() {
    if [ "$1" = pelmo ]; then
        # Frame files opened, over the files one paint opens.
        opens="$("$open_count" "$seconds" a b c d)"
        echo "$opens" >"$out/pelmo-opens.txt"
        awk -v o="$opens" -v r="$opens_per_paint" 'BEGIN { printf "%d\n", o / r + 0.5 }'
    else
        before="$(reference_paints)"
        sleep "$seconds"
        echo $(($(reference_paints) - before))
    fi
}

# Runs Windows program $2 for the measured window and writes its figures
# to $out/$1.txt: CPU ticks of the program, the wineserver, the prefix's
# other Wine processes and the X server, the paints made, the window's
# length, and VmHWM.
measure_program() {
    label="$1" exe="$2"
    wine "./$exe" >/dev/null 2>&1 &
    launcher=$!
    pid=""
    for _ in $(seq 100); do
        pid="$(prefix_pids "$exe" | head -1)"
        [ -n "$pid" ] && break
        sleep 0.1
    done
    [ -n "$pid" ] || { say "$exe did not start"; return 1; }
    # Wine puts the pointer back where it last saw it when a program of
    # its starts up, so the cursor is parked once the window is there.
    sleep 1
    park_cursor
    sleep "$warmup"
    server="$(prefix_pids 'wineserver' | head -1)"
    others="$(prefix_pids '\.exe' | grep -vx "$pid" || true)"
    # shellcheck disable=SC2086
    others_start="$(snapshot $others)"
    m0=$(machine_ticks) p0=$(cpu_ticks "$pid") s0=$(cpu_ticks "$server") x0=$(cpu_ticks "$pelmo_xvfb_pid") t0=$(now_ns)
    paints_made="$(count_paints "$label")"
    p1=$(cpu_ticks "$pid") s1=$(cpu_ticks "$server") x1=$(cpu_ticks "$pelmo_xvfb_pid") m1=$(machine_ticks) t1=$(now_ns)
    o=$(ticks_since "$others_start" "$(prefix_pids '\.exe' | grep -vx "$pid" || true)")
    parked="$(cursor_parked)"
    alive=yes
    kill -0 "$pid" 2>/dev/null || alive=no
    hwm="$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status" 2>/dev/null || true)"
    {
        echo "program $((p1 - p0))"
        echo "server $((s1 - s0))"
        echo "others $o"
        if [ -n "$pelmo_xvfb_pid" ]; then echo "xvfb $((x1 - x0))"; else echo "xvfb -"; fi
        echo "machine $((m1 - m0))"
        echo "paints ${paints_made:-0}"
        echo "window_ns $((t1 - t0))"
        echo "hwm_kb ${hwm:--}"
        echo "alive $alive"
        echo "parked $parked"
    } >"$out/$label.txt"
    kill "$pid" 2>/dev/null || true
    wait "$launcher" 2>/dev/null || true
    # Let the prefix settle so one program's ending is not counted in the next.
    sleep 1
}

# The mascot freezes for good once it reaches a cursor that never moves, and
# a frozen mascot paints nothing. So it wanders a range of 1000 x 800 (its
# settings file: 512 bytes of text, then the range's width and height as
# little-endian 32-bit integers, then 32 bytes) and the cursor waits in the
# screen's far corner, beyond the reach of that range.
{
    head -c 512 /dev/zero
    printf '\350\003\000\000\040\003\000\000'
    head -c 32 /dev/zero
} >savedata
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

# ---- the table ------------------------------------------------------------

bytes_of() { find "$@" -type f -printf '%s\n' 2>/dev/null | awk '{ s += $1 } END { print s + 0 }'; }
files_of() { find "$@" -type f 2>/dev/null | wc -l; }

ns() { # name -> "as built" and "plain" columns of the core table
    awk -v a="$(field "$out/core.txt" "$1")" -v b="$(field "$out/plain.txt" "$1")" \
        -v ca="$(field "$out/core.txt" StateCopyOnly)" -v cb="$(field "$out/plain.txt" StateCopyOnly)" \
        -v sub_copy="$2" 'BEGIN {
            if (sub_copy != "") { a -= ca; b -= cb }
            printf "%10.1f ns %12.1f ns", a, b }'
}
us() { # paint figure -> mean and median; a second name is subtracted
    awk -v m="$(field "$out/paint.txt" "$1" 2)" -v d="$(field "$out/paint.txt" "$1" 3)" \
        -v m2="$(field "$out/paint.txt" "${2:-none}" 2)" -v d2="$(field "$out/paint.txt" "${2:-none}" 3)" \
        'BEGIN { if (m2 != "") printf "%10.1f us %13s", m - m2, "-"; else printf "%10.1f us %10.1f us", m, d }'
}
paint_over() { # paint figure over another -> ratio of the means and of the medians
    awk -v m="$(field "$out/paint.txt" "$1" 2)" -v d="$(field "$out/paint.txt" "$1" 3)" \
        -v m2="$(field "$out/paint.txt" "$2" 2)" -v d2="$(field "$out/paint.txt" "$2" 3)" \
        'BEGIN { if (m2 > 0 && d2 > 0) printf "%12.3fx %12.3fx", m / m2, d / d2; else printf "%13s %13s", "n/a", "n/a" }'
}
per_min() { # file key -> "x.xx s/min (y.y %)", or n/a
    awk -v t="$(field "$out/$1.txt" "$2")" -v w="$(field "$out/$1.txt" window_ns)" -v hz="$hz" 'BEGIN {
        if (t == "-" || t == "") { printf "%20s", "n/a"; exit }
        s = t / hz * 60 / (w / 1e9)
        printf "%7.2f s/min (%4.1f%%)", s, s / 60 * 100 }'
}
ratio_of() { # key, or "all" for the sum
    awk -v key="$1" -v pf="$out/pelmo.txt" -v rf="$out/reference.txt" 'BEGIN {
        while ((getline line < pf) > 0) { split(line, f, " "); p[f[1]] = f[2] }
        while ((getline line < rf) > 0) { split(line, f, " "); r[f[1]] = f[2] }
        if (key == "all") {
            a = p["program"] + p["server"] + p["others"] + (p["xvfb"] == "-" ? 0 : p["xvfb"])
            b = r["program"] + r["server"] + r["others"] + (r["xvfb"] == "-" ? 0 : r["xvfb"])
            a = a / p["window_ns"]; b = b / r["window_ns"]
        } else {
            if (p[key] == "-" || r[key] == "-") { printf "%8s", "n/a"; exit }
            a = p[key] / p["window_ns"]; b = r[key] / r["window_ns"]
        }
        if (b > 0) printf "%7.1fx", a / b; else printf "%8s", "n/a" }'
}
total_min() { # file -> sum of all processes per minute
    for k in program server others xvfb; do field "$out/$1.txt" "$k"; done |
        awk -v w="$(field "$out/$1.txt" window_ns)" -v hz="$hz" '$1 != "-" { t += $1 } END {
            s = t / hz * 60 / (w / 1e9); printf "%7.2f s/min (%4.1f%%)", s, s / 60 * 100 }'
}
rest_min() { # file -> machine busy time not spent by the processes above, per minute
    for k in program server others xvfb; do field "$out/$1.txt" "$k"; done |
        awk -v m="$(field "$out/$1.txt" machine)" -v w="$(field "$out/$1.txt" window_ns)" -v hz="$hz" \
            '$1 != "-" { t += $1 } END { s = (m - t) / hz * 60 / (w / 1e9)
                # The machine cannot have done less than our processes: a
                # machine count below theirs is wrong, not a figure.
                if (s < 0) { printf "%20s", "n/a (below ours)"; exit }
                printf "%7.2f s/min (%4.1f%%)", s, s / 60 * 100 }'
}
paint_rate() { # file -> paints per second
    awk -v n="$(field "$out/$1.txt" paints)" -v w="$(field "$out/$1.txt" window_ns)" \
        'BEGIN { printf "%15.1f /s", n / (w / 1e9) }'
}
per_paint() { # file, key or "all" -> CPU ms per paint
    for k in program server others xvfb; do
        if [ "$2" = all ] || [ "$2" = "$k" ]; then field "$out/$1.txt" "$k"; fi
    done | awk -v n="$(field "$out/$1.txt" paints)" -v hz="$hz" '$1 != "-" { t += $1 } END {
        if (n > 0) printf "%14.2f ms", t / hz / n * 1000; else printf "%17s", "n/a" }'
}
paint_ratio() { # key or "all" -> pelmo's CPU per paint over the reference's
    awk -v a="$(per_paint pelmo "$1")" -v b="$(per_paint reference "$1")" \
        'BEGIN { if (b + 0 > 0 && a + 0 > 0) printf "%7.1fx", a / b; else printf "%8s", "n/a" }'
}
mib() { awk -v k="$(field "$out/$1.txt" hwm_kb)" 'BEGIN { if (k == "-") printf "%10s", "n/a"; else printf "%8.1f MiB", k / 1024 }'; }

wine_version="$(wine --version 2>/dev/null | tr -d '\r')"
geometry="$(field "$out/paint.txt" backbuffer 2)x$(field "$out/paint.txt" backbuffer 3)x$(field "$out/paint.txt" backbuffer 4)"
loaded="$(field "$out/paint.txt" loaded 2)"
load_count="$(field "$out/paint.txt" loaded 3)"
if [ "$skins" = built ]; then
    skin_note="the built skins from $windows/a..d"
else
    skin_note="stand-ins (60x60 24-bit BMPs made here; no built skins in $windows)"
fi

echo
wm=$(pelmo_window_manager "$DISPLAY")
echo "Pelmo benchmark  ($wine_version, virtual display $geometry under ${wm:-no window manager}, $(nproc) CPUs)"
echo "Skins used: $skin_note"
echo "Load average at the start and at the end: $load_at_start / $(cut -d' ' -f1-3 /proc/loadavg)"
echo "(other work on the machine shows in every figure; medians suffer least)"
echo
echo "1. One tick of the core, native (Google Benchmark: thread CPU time, median of 5 runs)"
printf '   %-52s %13s %15s\n' "" "core as the" "core optimised,"
printf '   %-52s %13s %15s\n' "" "tests build it" "no checks"
printf '   %-52s %s\n' "WanderDecide(...) on the program-wide state" "$(ns WanderDecide)"
printf '   %-52s %s\n' "BehaviourStep() alone (replay cost deducted)" "$(ns BehaviourStep copy)"
printf '   %-52s %s\n' "ChooseFrame(row)" "$(ns ChooseFrame)"
echo
echo "2. One paint under Wine ($(field "$out/paint.txt" paint 4) paints per figure, QueryPerformanceCounter)"
printf '   %-52s %13s %13s\n' "" "mean" "median"
printf '   %-52s %s\n' "one paint: ClearToKey + AnimateState + BitBlt 60x60" "$(us paint)"
printf '   %-52s %s\n' "the bare paint of the same frame: ClearToKey," "$(us bare)"
printf '   %-52s\n' "  LoadImageA, StretchBlt, free, BitBlt (no guard)"
printf '   %-52s %s\n' "the paint over the bare paint (goal: 1.10 at most)" "$(paint_over paint bare)"
printf '   %-52s %s\n' "  ClearToKey alone (1920x1200 key fill)" "$(us clear)"
printf '   %-52s %s\n' "  AnimateState alone (choose, load, draw, free)" "$(us animate)"
printf '   %-52s %s\n' "    the sprite load alone (find, read, check, bitmap)" "$(us sprite)"
printf '   %-52s %s\n' "    the rest (AnimateState - the sprite load)" "$(us animate sprite)"
printf '   %-52s %s\n' "    LoadImageA alone (the bare load), for comparison" "$(us load)"
printf '   %-52s %s\n' "  BitBlt 60x60 alone (back buffer to window DC)" "$(us blit)"
printf '   %-52s %s\n' "loads that found their file: the sprite load" "$(field "$out/paint.txt" read 2) of $(field "$out/paint.txt" read 3)"
printf '   %-52s %s\n' "                              LoadImageA" "$loaded of $load_count"
printf '   %-52s %s\n' "paint cost at one paint per 20 ms tick" \
    "$(awk -v m="$(field "$out/paint.txt" paint 2)" 'BEGIN { s = m * 3000 / 1e6; printf "%7.2f s/min (%4.1f%%)", s, s / 60 * 100 }')"
echo
echo "3. CPU time (user+sys) per minute of wandering under Wine on Xvfb"
echo "   (measured over $seconds s after $((warmup + 1)) s of warm-up; % is of one CPU)"
printf '   %-36s %22s %22s %8s\n' "" "pelmo.exe" "reference" "ratio"
row3() { printf '   %-36s %22s %22s %8s\n' "$1" "$(per_min pelmo "$2")" "$(per_min reference "$2")" "$(ratio_of "$2")"; }
row3 "the program's process" program
row3 "wineserver" server
row3 "other Wine processes of the prefix" others
row3 "X server (Xvfb)" xvfb
printf '   %-36s %22s %22s %8s\n' "all of these" "$(total_min pelmo)" "$(total_min reference)" "$(ratio_of all)"
printf '   %-36s %22s %22s\n' "(the rest of the machine, not ours)" "$(rest_min pelmo)" "$(rest_min reference)"
printf '   %-36s %22s %22s\n' "paints made (the pace is 50 /s)" "$(paint_rate pelmo)" "$(paint_rate reference)"
echo "   (pelmo.exe's paints: the $(cat "$out/pelmo-opens.txt" 2>/dev/null || echo '?') frame files it opened over the"
echo "   $opens_per_paint that one paint opens, counted around $calibration_made paints of the same code;"
echo "   the reference program counts its own)"
printf '   %-36s %22s %22s %8s\n' "the program's process, per paint" "$(per_paint pelmo program)" "$(per_paint reference program)" "$(paint_ratio program)"
printf '   %-36s %22s %22s %8s\n' "all of these, per paint" "$(per_paint pelmo all)" "$(per_paint reference all)" "$(paint_ratio all)"
for f in pelmo reference; do
    busy="$(rest_min "$f" | awk '{ print ($1 > 15) ? "yes" : "no" }')"
    if [ "$busy" = yes ]; then
        echo "   NOTE: other work kept the machine busy while $f ran: its figures may be inflated"
    fi
done
for f in pelmo reference; do
    slow="$(paint_rate "$f" | awk '{ print ($1 < 45) ? "yes" : "no" }')"
    if [ "$slow" = yes ]; then
        echo "   NOTE: $f made under 45 paints/s (starved of CPU, or off the screen's"
        echo "         edge, where Wine skips its paints): compare the figures per paint"
    fi
done
awk -v r="$opens_per_paint" 'BEGIN { d = r - int(r + 0.5); exit !(d > 0.02 || d < -0.02) }' &&
    echo "   NOTE: $opens_per_paint files a paint is no whole number: some paints open more files than others"
[ "$(field "$out/pelmo.txt" parked)" = yes ] || echo "   NOTE: the cursor left its corner while pelmo.exe ran: the mascot may have frozen"
[ "$(field "$out/pelmo.txt" alive)" = yes ] || echo "   NOTE: pelmo.exe ended before the measured window closed"
[ "$(field "$out/reference.txt" alive)" = yes ] || echo "   NOTE: the reference program ended before the measured window closed"
echo
echo "4. Memory and size on disk"
printf '   %-36s %22s %22s %8s\n' "" "pelmo.exe" "reference" "ratio"
printf '   %-36s %22s %22s %8s\n' "peak memory (VmHWM) after the run" "$(mib pelmo)" "$(mib reference)" \
    "$(awk -v a="$(field "$out/pelmo.txt" hwm_kb)" -v b="$(field "$out/reference.txt" hwm_kb)" 'BEGIN { if (a == "-" || b == "-" || b == 0) printf "%8s", "n/a"; else printf "%7.2fx", a / b }')"
printf '   %-36s %20s B %20s B\n' "program file" "$(bytes_of "$windows/pelmo.exe")" "$(bytes_of "$reference")"
if [ "$skins" = built ]; then
    printf '   %-36s %20s B  in %s files\n' "skins a/ b/ c/ d/" "$(bytes_of "$windows/a" "$windows/b" "$windows/c" "$windows/d")" \
        "$(files_of "$windows/a" "$windows/b" "$windows/c" "$windows/d")"
else
    printf '   %-36s %22s\n' "skins a/ b/ c/ d/" "not built"
fi
