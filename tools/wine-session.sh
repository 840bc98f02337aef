# Sourced: starts PELMO_DESKS (default 1) desks, each a virtual X display
# with a window manager and a throw-away Wine prefix, and arranges for all
# of them to be ended when the calling shell exits. Desk 1 becomes DISPLAY
# and WINEPREFIX; every desk N is also in PELMO_DESK_N_DISPLAY and
# PELMO_DESK_N_PREFIX, for tests that CTest hands a desk of their own
# (tools/desk.sh), so that programs on different desks never see each
# other's windows, cursor or screen.
#   PELMO_BARE_DISPLAY=1  no window manager
#   PELMO_KEEP_DISPLAY=1  use the DISPLAY already set as desk 1
pelmo_session_pids=""
pelmo_prefix_pid=""
pelmo_xvfb_pid=""  # desk 1's X server, when this session started it
pelmo_session_dir="$(mktemp -d "${TMPDIR:-/tmp}/pelmo-session.XXXXXX")"
pelmo_desks="${PELMO_DESKS:-1}"
export WINEDEBUG=-all
# No debugger on a crash: a crashing test or program ends at once.
export WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
# Under Wine the locale picks the ANSI code page and the resource language:
# the tests run under Japanese (code page 932, the Japanese dialog; glyphs
# from fonts-noto-cjk) unless they choose another, as the tests of the
# English dialog and of folders named outside the code page do. Every
# locale used is generated (tools/install-deps.sh): under one that was
# not, Wine cannot open files in folders with non-ASCII names.
export LC_ALL=ja_JP.UTF-8

# The name of the window manager that runs on display $1, as the display
# itself tells; nothing when none runs.
pelmo_window_manager() {
    pelmo_wm=$(DISPLAY=$1 xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -o '0x[0-9a-f]*') || return 0
    DISPLAY=$1 xprop -id "$pelmo_wm" _NET_WM_NAME 2>/dev/null | cut -d'"' -f2
}

# Starts a virtual display with a window manager; prints nothing, sets
# pelmo_new_display.
pelmo_start_display() {
    # The server picks a free display itself and says which (-displayfd),
    # so two runs side by side can never end up on the same one.
    pelmo_fd_file="$(mktemp "$pelmo_session_dir/display.XXXXXX")"
    Xvfb -displayfd 3 -screen 0 "${PELMO_SCREEN:-1280x1024x24}" -nolisten tcp 3>"$pelmo_fd_file" >/dev/null 2>&1 &
    pelmo_new_xvfb_pid=$!
    pelmo_session_pids="$pelmo_session_pids $!"
    display=""
    for _ in $(seq 100); do
        display=$(head -n 1 "$pelmo_fd_file")
        [ -n "$display" ] && break
        sleep 0.1
    done
    rm -f "$pelmo_fd_file"
    [ -n "$display" ] || { echo "Xvfb did not start" >&2; return 1; }
    pelmo_new_display=":$display"
    # A desktop as users have one: a window manager keeps the mascot above,
    # delivers real clicks and Alt+F4, and hides dialogs at once (without
    # one, Wine waits about 2 s for each hide).
    [ -n "$PELMO_BARE_DISPLAY" ] && return 0
    DISPLAY="$pelmo_new_display" openbox --sm-disable >/dev/null 2>&1 &
    pelmo_session_pids="$pelmo_session_pids $!"
    for _ in $(seq 50); do
        [ -n "$(pelmo_window_manager "$pelmo_new_display")" ] && break
        sleep 0.1
    done
}

pelmo_end_session() {
    [ -n "$pelmo_prefix_pid" ] && kill "$pelmo_prefix_pid" >/dev/null 2>&1
    for desk in $(seq "$pelmo_desks"); do
        eval "WINEPREFIX=\$PELMO_DESK_${desk}_PREFIX" wineserver -k >/dev/null 2>&1 || true
    done
    for pid in $pelmo_session_pids; do kill "$pid" >/dev/null 2>&1 || true; done
    rm -rf "$pelmo_session_dir"
}
trap pelmo_end_session EXIT
trap 'exit 130' INT TERM

for desk in $(seq "$pelmo_desks"); do
    if [ "$desk" -eq 1 ] && [ -n "$PELMO_KEEP_DISPLAY" ] && [ -n "$DISPLAY" ]; then
        pelmo_new_display="$DISPLAY"
    else
        pelmo_start_display
        [ "$desk" -eq 1 ] && pelmo_xvfb_pid=$pelmo_new_xvfb_pid
    fi
    export "PELMO_DESK_${desk}_DISPLAY=$pelmo_new_display"
    export "PELMO_DESK_${desk}_PREFIX=$pelmo_session_dir/prefix$desk"
done
export DISPLAY="$PELMO_DESK_1_DISPLAY"
export WINEPREFIX="$PELMO_DESK_1_PREFIX"

pelmo_make_prefixes() {
    wineboot -i >/dev/null 2>&1 || true
    # Further desks take a copy of the first prefix, made once its server
    # has written everything and gone: much quicker than another set-up.
    if [ "$pelmo_desks" -gt 1 ]; then
        wineserver -w >/dev/null 2>&1 || true
        for desk in $(seq 2 "$pelmo_desks"); do
            cp -a "$WINEPREFIX" "$pelmo_session_dir/prefix$desk"
        done
    fi
}

# PELMO_SESSION_LATER=1: the prefixes are made in the background, while the
# caller goes on (with a build, say); it calls pelmo_session_wait before
# it runs anything under Wine.
if [ -n "$PELMO_SESSION_LATER" ]; then
    pelmo_make_prefixes &
    pelmo_prefix_pid=$!
else
    pelmo_make_prefixes
fi
pelmo_session_wait() {
    [ -n "$pelmo_prefix_pid" ] && wait "$pelmo_prefix_pid"
    pelmo_prefix_pid=""
}
