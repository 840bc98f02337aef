# Sourced: starts a virtual X display and a throw-away Wine prefix, and
# arranges for both to be ended when the calling shell exits.
pelmo_session_dir="$(mktemp -d "${TMPDIR:-/tmp}/pelmo-session.XXXXXX")"
export WINEPREFIX="$pelmo_session_dir/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
# The program's texts are Japanese and it uses the "A" calls: Wine must run
# with a Japanese locale (code page 932) or they show as "?"; the glyphs come
# from fonts-noto-cjk. LC_ALL, because Wine takes it even where the locale
# was never generated.
export LC_ALL=ja_JP.UTF-8
if [ -z "$PELMO_KEEP_DISPLAY" ] || [ -z "$DISPLAY" ]; then
    display=99
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
        display=$((display + 1))
    done
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    pelmo_xvfb_pid=$!
    export DISPLAY=":$display"
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        [ -e "/tmp/.X11-unix/X$display" ] && break
        sleep 0.3
    done
fi
pelmo_end_session() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "$pelmo_xvfb_pid" ] && kill "$pelmo_xvfb_pid" >/dev/null 2>&1 || true
    rm -rf "$pelmo_session_dir"
}
trap pelmo_end_session EXIT
trap 'exit 130' INT TERM
wineboot -i >/dev/null 2>&1 || true
