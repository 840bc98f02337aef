# Sourced: pelmo_make_prefix sets up the Wine prefix WINEPREFIX (by default
# ~/.wine) when it has never been set up. Debian's 64-bit Wine without its
# 32-bit half (wine32) reports, while it sets one up, that it cannot start
# the 32-bit C:\windows\syswow64\rundll32.exe: that half is never used by
# our 64-bit programs, so wineboot's lines are kept back and shown only when
# it fails.
pelmo_make_prefix() {
    [ -f "${WINEPREFIX:-$HOME/.wine}/system.reg" ] && return 0
    pelmo_prefix_log="$(mktemp "${TMPDIR:-/tmp}/pelmo-wineboot.XXXXXX")"
    if WINEDEBUG=-all wineboot -i >"$pelmo_prefix_log" 2>&1; then
        rm -f "$pelmo_prefix_log"
        return 0
    fi
    cat "$pelmo_prefix_log" >&2
    rm -f "$pelmo_prefix_log"
    echo "Wine could not set up its folder ${WINEPREFIX:-$HOME/.wine} (wineboot's messages are above)." >&2
    return 1
}
