# Sourced: points DISPLAY and WINEPREFIX at the desk that CTest gave this
# test (its resource "desks", see tools/test.sh and tools/wine-session.sh).
# Outside such a run, the ones already set stay.
if [ -n "${CTEST_RESOURCE_GROUP_0_DESKS:-}" ]; then
    pelmo_desk="${CTEST_RESOURCE_GROUP_0_DESKS#id:}"
    pelmo_desk="${pelmo_desk%%,*}"
    eval "pelmo_desk_display=\${PELMO_DESK_${pelmo_desk}_DISPLAY:-}"
    eval "pelmo_desk_prefix=\${PELMO_DESK_${pelmo_desk}_PREFIX:-}"
    if [ -z "$pelmo_desk_display" ] || [ -z "$pelmo_desk_prefix" ]; then
        echo "desk '$pelmo_desk' was given but not started" >&2
        exit 1
    fi
    export DISPLAY="$pelmo_desk_display" WINEPREFIX="$pelmo_desk_prefix"
fi
