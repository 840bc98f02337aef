"""Prints the benchmark's table from the figures tools/bench.sh measured.

Usage: python3 tools/bench/table.py FIGURES_FOLDER

The folder holds what the measuring wrote (see tools/bench.sh): the core's
Google Benchmark CSV, the paint figures, the calibration paints and the
damage reports the X server counted for them,
the CPU snapshots and paint counts of both wandering programs and of
pelmo.exe shown, hidden and stepped aside, and the facts of the run. Every
count the table derives is set beside a second count of the same thing, and
marked where the two disagree.
"""

import csv
import os
import sys

# Two counts of one thing agree within this share of the larger; the parts
# of a paint are timed apart from the whole, so their sum gets more room.
COUNT_SLACK = 0.02
TIMING_SLACK = 0.15

# The states of section 6, in the order measured, with what the mascot
# window must be in each; and the goal for the two out of sight: the
# program's process at most this share of its CPU when shown, no paints.
STATES = ("shown", "hidden", "aside")
STATE_SHOWN = {"shown": "shown", "hidden": "hidden", "aside": "hidden"}
OUT_OF_SIGHT_GOAL = 0.05


def read_pairs(path):
    """Lines of "key value..." as a dict of key to the rest of the line."""
    pairs = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            key, _, rest = line.rstrip("\n").partition(" ")
            if key and key not in pairs:
                pairs[key] = rest
    return pairs


def read_columns(path):
    """Lines of "name value..." as a dict of name to the list of values."""
    return {key: rest.split() for key, rest in read_pairs(path).items()}


def core_medians(path):
    """Benchmark name (without BM_) to its median CPU time in ns."""
    to_ns = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}
    medians = {}
    with open(path, encoding="utf-8") as f:
        for row in csv.reader(f):
            if len(row) > 4 and row[0].endswith("_median"):
                name = row[0][len("BM_"):-len("_median")] if row[0].startswith("BM_") else row[0]
                medians[name] = float(row[3]) * to_ns.get(row[4], 1.0)
    return medians


def cpu_snapshot(path):
    """A CPU snapshot of bench.sh: kind to {pid: user plus system ticks} of
    the processes still there, the machine's busy ticks and the time."""
    snap = {"time_ns": 0, "machine": 0}
    with open(path, encoding="utf-8") as f:
        for line in f:
            kind, pid, rest = (line.rstrip("\n").split(" ", 2) + ["", ""])[:3]
            if kind == "time_ns":
                snap["time_ns"] = int(rest)
            elif kind == "machine":
                # /proc/stat's "cpu" line: user, nice, system, idle, iowait,
                # irq, softirq, steal; busy is all but idle and iowait.
                t = [int(v) for v in rest.split()[1:9]]
                snap["machine"] = t[0] + t[1] + t[2] + t[5] + t[6] + t[7]
            elif kind == "thread":
                # The time one of the program's threads has run, in ns.
                if rest.strip():
                    snap.setdefault(kind, {})[pid] = int(rest)
            elif ")" in rest:
                # /proc/PID/stat: utime and stime are the 14th and 15th
                # fields, counted past the name in brackets, which may
                # hold spaces.
                fields = rest.rsplit(")", 1)[1].split()
                snap.setdefault(kind, {})[pid] = int(fields[11]) + int(fields[12])
            else:
                snap.setdefault(kind, {})
    return snap


def grown(start, end, kind, new_ones_count):
    """Ticks used between two snapshots by the processes of one kind: the
    growth of those seen at the start (none once gone), and, when
    new_ones_count, the whole of those started since."""
    before, after = start.get(kind, {}), end.get(kind, {})
    total = 0
    for pid, was in before.items():
        if pid in after and after[pid] >= was:
            total += after[pid] - was
    if new_ones_count:
        total += sum(now for pid, now in after.items() if pid not in before)
    return total


def program_figures(folder, label):
    """The CPU ticks, counts and facts of one wandering program."""
    start = cpu_snapshot(os.path.join(folder, label + "-start.txt"))
    end = cpu_snapshot(os.path.join(folder, label + "-end.txt"))
    facts = read_columns(os.path.join(folder, label + ".txt"))
    p = {key: values[0] if values else "" for key, values in facts.items()}
    if "files" in facts:
        # The frame files opened and closed, and the events the kernel lost.
        p["opens"], p["closes"], p["overflows"] = (int(v) for v in facts["files"][:3])
    if "damage" in facts:
        # The X server's damage reports on the window, those at the place
        # of the report before (paints), and the window's moves.
        p["reports"], p["damage_paints"], p["moves"] = (int(v) for v in facts["damage"][:3])
    if "counts_start" in facts:
        # The program's own paints and timer ticks at either end.
        was, now = [int(v) for v in facts["counts_start"]], [int(v) for v in facts["counts_end"]]
        p["paints"], p["ticks"] = now[0] - was[0], now[1] - was[1]
    p["program"] = grown(start, end, "program", False)
    p["server"] = grown(start, end, "server", False)
    p["others"] = grown(start, end, "other", True)
    p["xvfb"] = grown(start, end, "xvfb", False) if "xvfb" in start else None
    p["cover"] = grown(start, end, "cover", False) if "cover" in start else None
    # A thread that ended in between takes its time with it: beyond the
    # ticks' rounding, this count can only fall short of them.
    p["thread_ns"] = grown(start, end, "thread", True) if "thread" in start else None
    p["machine"] = end["machine"] - start["machine"]
    p["window_s"] = (end["time_ns"] - start["time_ns"]) / 1e9
    return p


def calibration(folder, paints):
    """Paints made, and the paints the X server's damage reports showed."""
    made = int(read_columns(os.path.join(folder, "calibration-%d.txt" % paints))["paints_made"][0])
    with open(os.path.join(folder, "calibration-%d-reports.txt" % paints), encoding="utf-8") as f:
        reports, paints_seen, moves = (int(v) for v in f.read().split()[:3])
    return {"made": made, "reports": paints_seen, "all_reports": reports, "moves": moves}


def ratio3(count, paints):
    """Reports a paint, to three places as the table shows it (and uses it)."""
    return float("%.3f" % (count / paints)) if paints > 0 and count > 0 else 0.0


def per_min(ticks, hz, seconds):
    if ticks is None:
        return "%20s" % "n/a"
    s = ticks / hz * 60 / seconds
    return "%7.2f s/min (%4.1f%%)" % (s, s / 60 * 100)


def ours(p, key="all"):
    """Ticks of the processes measured: one kind, or all of them."""
    keys = ("program", "server", "others", "xvfb") if key == "all" else (key,)
    return sum(p[k] for k in keys if p[k] is not None)


def rest_of_machine(p, hz):
    """The machine's busy time not spent by our processes, per minute; None
    when the machine counted less than ours, which is wrong, not a figure."""
    s = (p["machine"] - ours(p) - (p["cover"] or 0)) / hz * 60 / p["window_s"]
    return None if s < 0 else s


def agreement(first, second, slack, floor=0.0):
    """"agree", or by how much the two counts differ; counts that differ by
    no more than floor agree too (a count in whole ticks is that coarse)."""
    if first is None or second is None:
        return "n/a"
    larger = max(abs(first), abs(second))
    if larger == 0 or abs(first - second) <= max(slack * larger, floor):
        return "agree"
    return "DISAGREE by %.1f%%" % (abs(first - second) / larger * 100)


def file_bytes(*paths):
    sizes = []
    for path in paths:
        if os.path.isfile(path):
            sizes.append(os.path.getsize(path))
        for where, _, names in os.walk(path):
            sizes.extend(os.path.getsize(os.path.join(where, n)) for n in names)
    return sum(sizes), len(sizes)


def read_figures(folder):
    """Everything measured, with the paints of pelmo.exe derived: the frame
    files it opened over the files one paint opens, and a second count of
    the same by the closes."""
    f = {"run": read_pairs(os.path.join(folder, "run.txt"))}
    f["hz"] = int(f["run"]["hz"])
    f["core"] = core_medians(os.path.join(folder, "core.csv"))
    f["plain"] = core_medians(os.path.join(folder, "core_plain.csv"))
    f["paint"] = read_columns(os.path.join(folder, "paint.txt"))
    f["first"], f["second"] = calibration(folder, 500), calibration(folder, 1000)
    pelmo, ref = program_figures(folder, "pelmo"), program_figures(folder, "reference")
    f["pelmo"], f["reference"] = pelmo, ref
    if os.path.isfile(os.path.join(folder, "pelmo3.txt")):
        f["pelmo3"] = program_figures(folder, "pelmo3")
    f["reports_per_paint"] = ratio3(f["first"]["reports"], f["first"]["made"])
    f["states"] = {s: program_figures(folder, "state-" + s) for s in STATES
                   if os.path.isfile(os.path.join(folder, "state-%s.txt" % s))}
    f["waits"] = read_pairs(os.path.join(folder, "state-waits.txt")) if f["states"] else {}
    for label, p in f["states"].items():
        facts = read_columns(os.path.join(folder, "state-%s.txt" % label))
        p["before"], p["after"] = facts.get("state_start", []), facts.get("state_end", [])
    rpp = f["reports_per_paint"]
    for p in [pelmo] + list(f["states"].values()):
        p["paints"] = int(p["damage_paints"] / rpp + 0.5) if rpp > 0 else 0
    for p in [pelmo, ref] + list(f["states"].values()):
        p["rate"] = p["paints"] / p["window_s"]
    return f


def row(label, *cells):
    """A line of sections 1, 2 and 5: a label of 52 and the cells."""
    print(("   %-52s" % label) + "".join(" " + c for c in cells))


def check(label, a, b, text, slack=COUNT_SLACK, floor=0.0):
    """A line of two counts of one thing and whether they agree."""
    cells = [text % v if v is not None else "n/a" for v in (a, b)]
    row(label, "%13s %13s " % tuple(cells), agreement(a, b, slack, floor))


def row3(label, *cells):
    """A line of sections 3 and 4: a label of 36, the two programs, a ratio."""
    print(("   %-36s %22s %22s %8s" % ((label,) + cells + ("",) * (3 - len(cells)))).rstrip())


def mean(f, name):
    return float(f["paint"][name][0])


def median(f, name):
    return float(f["paint"][name][1])


def print_header(f):
    run, windows = f["run"], f["run"]["windows"]
    geometry = "x".join(f["paint"]["display"][:2] + f["paint"]["backbuffer"][2:3])
    wm = run.get("window_manager") or "no window manager"
    if run["skins"] == "built":
        skin_note = "the built skins from %s/a..d" % windows
    else:
        skin_note = "stand-ins (60x60 24-bit BMPs made here; no built skins in %s)" % windows
    print()
    print("Pelmo benchmark  (%s, virtual display %s under %s, %s CPUs)" % (run["wine"], geometry, wm, run["cpus"]))
    print("Skins used: " + skin_note)
    print("Load average at the start and at the end: %s / %s" % (run["load_start"], run["load_end"]))
    print("(other work on the machine shows in every figure; medians suffer least)")
    print()


def print_core(f):
    def ns(name, less=None):
        cells = []
        for build in (f["core"], f["plain"]):
            v = build.get(name, 0.0) - (build.get(less, 0.0) if less else 0.0)
            cells.append("%.1f ns" % v if v > 0 else "n/a")
        return "%13s %15s" % tuple(cells)

    print("1. One tick of the core, native (Google Benchmark: thread CPU time, median of 5 runs)")
    print("   %-52s %13s %15s" % ("", "core as the", "core optimised,"))
    print("   %-52s %13s %15s" % ("", "tests build it", "no checks"))
    row("WanderDecide(...) on the program-wide state", ns("WanderDecide"))
    row("BehaviourStep() alone (replay cost deducted)", ns("BehaviourStep", "StateCopyOnly"))
    row("ChooseFrame(row)", ns("ChooseFrame"))
    print()


def print_paint(f):
    def us(name, less=None):
        if less:
            rest = mean(f, name) - mean(f, less)
            return "%13s %13s" % ("%.1f us" % rest if rest > 0 else "n/a", "-")
        return "%10.1f us %10.1f us" % (mean(f, name), median(f, name))

    def over(name, base):
        if mean(f, base) > 0 and median(f, base) > 0:
            return "%12.3fx %12.3fx" % (mean(f, name) / mean(f, base), median(f, name) / median(f, base))
        return "%13s %13s" % ("n/a", "n/a")

    paint = f["paint"]
    print("2. One paint under Wine (%s paints per figure, QueryPerformanceCounter)" % paint["paint"][2])
    print("   %-52s %13s %13s" % ("", "mean", "median"))
    row("one paint: ClearToKey + AnimateState + BitBlt 60x60", us("paint"))
    row("the bare paint of the same frame, as first painted:", us("bare"))
    row("  pen and hatch brush over a %sx%s buffer, LoadImageA," % tuple(paint["display"][:2]))
    row("  StretchBlt, free, BitBlt (no guard)")
    row("the paint over the bare paint (goal: 0.20 at most)", over("paint", "bare"))
    row("the same at 2x: StretchBlt to a 120x120 window", us("paint2"))
    row("  over the bare paint", over("paint2", "bare"))
    row("the same at 3x: StretchBlt to a 180x180 window", us("paint3"))
    row("  over the bare paint (goal: at most 0.61, the 1x", over("paint3", "bare"))
    row("  paint's share before it drew only what shows)")
    row("  ClearToKey alone (60x60 key fill)", us("clear"))
    row("  AnimateState alone (choose, look, draw)", us("animate"))
    row("    a frame's load alone (find, read, check, bitmap)", us("sprite"))
    row("    LoadImageA alone (the bare load), for comparison", us("load"))
    row("  BitBlt 60x60 alone (back buffer to window DC)", us("blit"))
    row("the paint when the frame's file changed before it", us("worst"))
    row("  (the worst case: every paint reads its file; %s paints)" % paint["worst"][2])
    row("from a file's change to the end of the first paint", us("fresh"))
    row("  that shows it, painting on; the most paints it took", "%13s" % paint["paints_to_show"][0])
    row("  (at the program's pace, the next paint: within 20 ms)")
    row("loads that found their file: a frame's load", "%s of %s" % tuple(paint["read"][:2]))
    row("                              LoadImageA", "%s of %s" % tuple(paint["loaded"][:2]))
    s = mean(f, "paint") * 3000 / 1e6
    row("paint cost at one paint per 20 ms tick", "%7.2f s/min (%4.1f%%)" % (s, s / 60 * 100))
    print()


def print_wander(f):
    hz, pelmo, ref = f["hz"], f["pelmo"], f["reference"]

    def minute(p, key="all"):
        return per_min(None if key != "all" and p[key] is None else ours(p, key), hz, p["window_s"])

    def ratio(key):
        if key != "all" and (pelmo[key] is None or ref[key] is None):
            return "%8s" % "n/a"
        a, b = ours(pelmo, key) / pelmo["window_s"], ours(ref, key) / ref["window_s"]
        return "%7.1fx" % (a / b) if b > 0 else "%8s" % "n/a"

    def rest(p):
        s = rest_of_machine(p, hz)
        return "%20s" % "n/a (below ours)" if s is None else "%7.2f s/min (%4.1f%%)" % (s, s / 60 * 100)

    def cpu_per_paint(p, key):
        return ours(p, key) / hz / p["paints"] * 1000 if p["paints"] > 0 else None

    def per_paint(p, key):
        ms = cpu_per_paint(p, key)
        return "%17s" % "n/a" if ms is None else "%14.2f ms" % ms

    def per_paint_ratio(key):
        a, b = cpu_per_paint(pelmo, key), cpu_per_paint(ref, key)
        return "%7.1fx" % (a / b) if a and b else "%8s" % "n/a"

    print("3. CPU time (user+sys) per minute of wandering under Wine on Xvfb")
    print("   (measured over %s s after %d s of warm-up; %% is of one CPU)"
          % (f["run"]["seconds"], int(f["run"]["warmup"]) + 1))
    row3("", "pelmo.exe", "reference", "ratio")
    for label, key in (("the program's process", "program"), ("wineserver", "server"),
                       ("other Wine processes of the prefix", "others"), ("X server (Xvfb)", "xvfb"),
                       ("all of these", "all")):
        row3(label, minute(pelmo, key), minute(ref, key), ratio(key))
    row3("(the rest of the machine, not ours)", rest(pelmo), rest(ref))
    row3("paints made (the pace is 50 /s)", "%15.1f /s" % pelmo["rate"], "%15.1f /s" % ref["rate"])
    print("   (pelmo.exe's paints: the %s paints the X server's damage reports on its"
          % pelmo["damage_paints"])
    print("   window showed, over the %.3f counted so for each of %d paints of the same"
          % (f["reports_per_paint"], f["first"]["made"]))
    print("   code; the reference program, whose window shows nothing, counts its own)")
    row3("frame files pelmo.exe opened", "%15.1f /s" % (pelmo["opens"] / pelmo["window_s"]))
    row3("the program's process, per paint", per_paint(pelmo, "program"), per_paint(ref, "program"),
         per_paint_ratio("program"))
    row3("all of these, per paint", per_paint(pelmo, "all"), per_paint(ref, "all"), per_paint_ratio("all"))
    for label, p in (("pelmo", pelmo), ("reference", ref)):
        busy = rest_of_machine(p, hz)
        if busy is not None and busy > 15:
            print("   NOTE: other work kept the machine busy while %s ran: its figures may be inflated" % label)
    for label, p in (("pelmo", pelmo), ("reference", ref)):
        if p["rate"] < 45:
            print("   NOTE: %s made under 45 paints/s (starved of CPU, or off the screen's" % label)
            print("         edge, where Wine skips its paints): compare the figures per paint")
    r = f["reports_per_paint"]
    if abs(r - int(r + 0.5)) > 0.02:
        print("   NOTE: %.3f paints counted for each made: the count of paints is off by that much" % r)
    if pelmo["parked"] != "yes":
        print("   NOTE: the cursor left its corner while pelmo.exe ran: the mascot may have frozen")
    if pelmo["alive"] != "yes":
        print("   NOTE: pelmo.exe ended before the measured window closed")
    if ref["alive"] != "yes":
        print("   NOTE: the reference program ended before the measured window closed")
    print()


def print_sizes(f):
    pelmo, ref, windows = f["pelmo"], f["reference"], f["run"]["windows"]

    def mib(p):
        return "%10s" % "n/a" if p["hwm_kb"] == "-" else "%8.1f MiB" % (int(p["hwm_kb"]) / 1024)

    def over_ref(p):
        a, b = p["hwm_kb"], ref["hwm_kb"]
        return "%8s" % "n/a" if "-" in (a, b) or int(b) == 0 else "%7.2fx" % (int(a) / int(b))

    print("4. Memory and size on disk")
    row3("", "pelmo.exe", "reference", "ratio")
    row3("peak memory (VmHWM) after the run", mib(pelmo), mib(ref), over_ref(pelmo))
    if f.get("pelmo3"):
        row3("  the same at Size 3x (180x180)", mib(f["pelmo3"]), mib(ref), over_ref(f["pelmo3"]))
    print("   %-36s %20s B %20s B" % ("program file", file_bytes(os.path.join(windows, "pelmo.exe"))[0],
                                     file_bytes(f["run"]["reference_exe"])[0]))
    if f["run"]["skins"] == "built":
        size, count = file_bytes(*(os.path.join(windows, s) for s in "abcd"))
        print("   %-36s %20s B  in %s files" % ("skins a/ b/ c/ d/", size, count))
    else:
        print("   %-36s %22s" % ("skins a/ b/ c/ d/", "not built"))
    print()


def print_checks(f):
    pelmo, ref, first, second = f["pelmo"], f["reference"], f["first"], f["second"]

    print("5. Each derived count beside a second count of it")
    print("   %-52s %13s %13s" % ("", "first", "second"))
    more = second["made"] - first["made"]
    check("paints counted a paint made: over %d paints, and" % first["made"], f["reports_per_paint"],
          (second["reports"] - first["reports"]) / more if more > 0 else None, "%.3f")
    row("  over the %d more of a run of %d" % (more, second["made"]))
    row("pelmo.exe's paints a second, counted, and its", "%13s %13s" % ("%.1f /s" % pelmo["rate"],
        "%.1f /s" % (pelmo["moves"] / pelmo["window_s"])))
    row("  moves a second (no check: it does not move at every paint)")
    check("the reference's paints a second, counted, and by", ref["rate"], ref["ticks"] / ref["window_s"], "%.1f /s")
    row("  its timer ticks (each asks for one paint)")
    check("one paint, and its three parts summed (means)", mean(f, "paint"),
          mean(f, "clear") + mean(f, "animate") + mean(f, "blit"), "%.1f us", TIMING_SLACK)
    if pelmo["overflows"] > 0:
        print("   NOTE: the kernel lost file events %d times while pelmo.exe ran: the count of files is low"
              % pelmo["overflows"])


def print_states(f):
    states, hz, waits = f["states"], f["hz"], f["waits"]
    if not states:
        return
    print()
    shown, hidden, aside = (states.get(label) for label in STATES)

    def rate(p, key):
        """Ticks a second of one kind, or of all; None where not measured."""
        if p is None or (key != "all" and p[key] is None):
            return None
        return ours(p, key) / p["window_s"]

    def minute(p, key):
        r = rate(p, key)
        return "-" if r is None else "%.2f s/min" % (r / hz * 60)

    def share(p, key):
        """The figure over the shown figure of the same line."""
        a, b = rate(p, key), rate(shown, key)
        return None if a is None or not b else a / b

    def percent(p, key):
        r = share(p, key)
        return "-" if r is None else "%.1f%%" % (r * 100)

    def line(label, *cells):
        print(("   %-36s %12s %12s %7s %12s %7s" % ((label,) + cells + ("",) * (5 - len(cells)))).rstrip())

    def as_expected(label):
        p, want = states[label], STATE_SHOWN[label]
        return p["before"][:1] == [want] and p["after"][:1] == [want]

    def verdict(label):
        p = states.get(label)
        if p is None:
            return "-"
        if not as_expected(label):
            return "not hidden"
        r = share(p, "program")
        return "met" if r is not None and r <= OUT_OF_SIGHT_GOAL and p["paints"] == 0 else "NOT MET"

    def before_after(p):
        return "-" if p is None else "%s/%s" % tuple((w[0] if w else "?") for w in (p["before"], p["after"]))

    print("6. pelmo.exe shown, hidden by its menu's Hide, and stepped aside for a full-screen")
    print("   window in front: one run of it, the states in turn, each over %s s; CPU time" % f["run"]["seconds"])
    print("   (user+sys) per minute, and as a share of the shown figure of the same line")
    line("", "shown", "hidden", "", "aside", "")
    line("", "", "(Hide)", "", "(covered)", "")
    for label, key in (("the program's process", "program"), ("wineserver", "server"),
                       ("other Wine processes of the prefix", "others"), ("X server (Xvfb)", "xvfb"),
                       ("all of these", "all")):
        line(label, minute(shown, key), minute(hidden, key), percent(hidden, key),
             minute(aside, key), percent(aside, key))
    line("the full-screen window's own process", "", "", "", minute(aside, "cover"))
    line("paints made (the pace is 50 /s)",
         *["-" if p is None else "%.1f /s" % p["rate"] for p in (shown, hidden)], "",
         "-" if aside is None else "%.1f /s" % aside["rate"])
    line("goal: the program's process at most", "", verdict("hidden"), "", verdict("aside"))
    line("  %d%% of shown, and no paint" % (OUT_OF_SIGHT_GOAL * 100))
    tick = rate(shown, "program")
    if tick and hidden is not None:
        # The program's CPU out of sight is a few ticks: say what one is worth.
        print("   (one tick of its CPU in a window of %.0f s is %.1f%% of the shown figure)"
              % (hidden["window_s"], 100 / hidden["window_s"] / tick))
    line("the window before / after measuring", before_after(shown), before_after(hidden), "", before_after(aside))
    front = aside["before"][1] if aside is not None and len(aside["before"]) > 1 else "-"
    line("the foreground window, covered", "", "", "", front)
    for key, want, text in (("hide", "hidden", "hidden after the menu's Hide within"),
                            ("unhide", "shown", "shown after the Hide again within"),
                            ("cover", "hidden", "aside after the cover came within"),
                            ("uncover", "shown", "back after the cover went within")):
        w = waits.get(key, "").split()
        if len(w) == 3:
            line(text, "", "%s s" % w[2])
            if w[0] != want:
                print("   NOTE: the mascot was still %s then" % w[0])
    print("   (each look starts a Wine program, so those times are upper bounds)")
    busy = [label for label, p in states.items() if (rest_of_machine(p, hz) or 0) > 15]
    if busy:
        print("   NOTE: other work kept the machine busy while pelmo.exe was %s: those figures may be inflated"
              % ", ".join(busy))
    for label, p in states.items():
        if p["alive"] != "yes":
            print("   NOTE: pelmo.exe ended before its %s window closed" % label)
        if not as_expected(label):
            print("   NOTE: pelmo.exe was not %s throughout its %s window: those figures are not of that state"
                  % (STATE_SHOWN[label], label))
    if shown is not None and shown["parked"] != "yes":
        print("   NOTE: the cursor left its corner while pelmo.exe was shown: the mascot may have frozen")
    print("   %-52s %13s %13s" % ("each derived count beside a second count of it", "first", "second"))
    for label, p in states.items():
        # Two ticks apart at most: utime and stime are each cut to whole
        # ticks, at either end.
        check("%s: its CPU, in ticks and by threads' run time" % label, p["program"] / hz * 1000,
              p["thread_ns"] / 1e6 if p["thread_ns"] is not None else None, "%.0f ms", COUNT_SLACK, 2 * 1000 / hz)
    lost = sum(p["overflows"] for p in states.values())
    if lost > 0:
        print("   NOTE: the kernel lost file events %d times while pelmo.exe was measured: the counts of files are low"
              % lost)
    print()


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: table.py FIGURES_FOLDER")
    f = read_figures(sys.argv[1])
    for section in (print_header, print_core, print_paint, print_wander, print_sizes, print_checks, print_states):
        section(f)


if __name__ == "__main__":
    main()
