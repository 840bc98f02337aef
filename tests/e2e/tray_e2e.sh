# The notification-area icon as a user meets it, under Japanese and under
# English, on a desk whose panel has a notification area: the icon docks,
# and real clicks on it open its menu, which stays open while the mascot
# walks; Options opens the dialog while the mascot wanders on; Hide hides
# it and stops its paints, and brings it back; Start with Windows writes
# this copy's shortcut (the program in a folder outside the code page) and
# removes it; a restarted taskbar gets the icon again; Quit ends the
# program with exit code 0 and takes the icon along. Then Windows' own
# start of the Startup folder (wineboot) starts it in its own folder.
. "$PELMO_E2E_LIB"
: "${PELMO_PAINT_COUNT:?}"

# A panel with a notification area, where Wine docks its icons.
start_panel() {
    tint2 >/dev/null 2>&1 &
    panel_pid=$!
    started_pids="$started_pids $panel_pid"
    panel=""
    for _ in $(seq 50); do
        panel=$(xdotool search --pid "$panel_pid" --classname tint2 2>/dev/null | head -1) && [ -n "$panel" ] && break
        sleep 0.1
    done
    [ -n "$panel" ] || fail "the panel did not start"
}
start_panel

# "x y width height" of each icon docked in the panel, one a line.
docked_icons() {
    xwininfo -tree -id "$panel" |
        sed -n 's/.*("explorer\.exe" "explorer\.exe") *\([0-9]*\)x\([0-9]*\)+[-0-9]*+[-0-9]* *+\([-0-9]*\)+\([-0-9]*\).*/\3 \4 \1 \2/p'
}

# Waits up to 10 s for $1 docked icons; fails with $2.
expect_icons() {
    for _ in $(seq 50); do
        [ "$(docked_icons | wc -l)" -eq "$1" ] && return 0
        sleep 0.2
    done
    fail "$2 ($(docked_icons | wc -l) icons docked)"
}

# Opens the menu with button $1 on the icon; its "x y width height" in
# menu_rect. On a busy desk Wine now and then docks an icon that is never
# drawn and that no click reaches (none comes to the program); docked
# afresh, as after a taskbar restart, or into a restarted panel, it works.
# Every click is still a real one, on the program's own icon.
open_menu() {
    for redock in taskbar panel taskbar none; do
        set -- "$1" $(docked_icons | head -1)
        xdotool mousemove $(($2 + $4 / 2)) $(($3 + $5 / 2))
        sleep 0.2
        xdotool click "$1"
        menu_rect=$(probe menu 6000) && return 0
        echo "no menu at step ${step:-}: docked again through the $redock" >&2
        case $redock in
        taskbar)
            tray=$(probe tray "$mascot_hwnd") || fail "no window of the icon"
            probe drop-icon "$tray" && expect_icons 0 "the icon stayed after it was taken away"
            probe taskbar-created "$tray"
            ;;
        panel)
            kill "$panel_pid"
            wait "$panel_pid" 2>/dev/null || true
            start_panel
            ;;
        esac
        expect_icons 1 "the icon was not docked again"
        sleep 0.5
    done
    fail "button $1 on the icon opened no menu at step ${step:-} (icons now: $(docked_icons | tr '\n' ';'))"
}

# Chooses item $1 of the open menu (0 Options, 1 Hide, 2 Start with
# Windows, 3 Size, 4 All monitors, 5 Quit) by a click at its place: six
# rows of one height inside a border of 2 pixels, a separator of 7 after
# Start with Windows and another before Quit.
choose_item() {
    set -- "$1" $menu_rect
    row=$((($5 - 18) / 6))
    y=$(($3 + 2 + $1 * row + row / 2))
    [ "$1" -ge 3 ] && y=$((y + 7))
    [ "$1" -ge 5 ] && y=$((y + 7))
    xdotool mousemove $(($2 + $4 / 2)) "$y"
    sleep 0.2
    xdotool click 1
    probe menu-gone 3000 || fail "the menu stayed open after item $1 was chosen"
}


startup="$(probe startup-folder)" || fail "no Startup folder"
startup_unix="$(winepath -u "$startup" 2>/dev/null)"
trap 'rm -f "$startup_unix"/Pelmo*.lnk; e2e_cleanup' EXIT

program_dir="$e2e_dir/ぺるも-café"
mkdir -p "$program_dir"
cp "$PELMO_EXE" "$program_dir/pelmo.exe"
cd "$program_dir"
"${PELMO_SKINMAKER:?}" --stand-ins "$program_dir"
xsetroot -solid "$desktop_colour"
program_windows="$(winepath -w "$program_dir/pelmo.exe" 2>/dev/null)"

for case in "ja_JP.UTF-8|オプション" "en_US.UTF-8|Options"; do
    locale="${case%|*}" title="${case#*|}"
    export LC_ALL="$locale"
    park_cursor
    start_mascot ./pelmo.exe
    expect_icons 1 "under $locale no icon docked"
    expect_moving "under $locale the mascot does not move"

    # The menu stays open while the mascot walks.
    step=2; open_menu 3
    import -window root "${TMPDIR:-/tmp}/pelmo-tray-menu-$locale.png"
    before=$(mascot_rect)
    sleep 3
    probe menu 0 >/dev/null || fail "under $locale the menu closed while the mascot walked"
    [ "$(mascot_rect)" != "$before" ] || fail "under $locale the mascot stood still while the menu was open"
    # A click elsewhere closes it.
    xdotool mousemove 640 300 click 1
    probe menu-gone 3000 || fail "under $locale a click elsewhere left the menu open"
    step=2b; open_menu 1

    # Options: the dialog, while the mascot wanders on.
    choose_item 0
    dialog=$(probe owned "$mascot_hwnd" 10000) || fail "under $locale Options opened no dialog"
    [ "$(probe title "$dialog")" = "$title" ] || fail "under $locale the dialog is titled '$(probe title "$dialog")'"
    expect_moving "under $locale the mascot stopped behind the dialog"
    probe post "$dialog" 2 && probe gone "$dialog" || fail "under $locale the dialog did not close"

    # Hide, and Hide again.
    step=3; open_menu 1
    choose_item 1
    ! probe visible "$mascot_hwnd" || fail "under $locale Hide left the mascot shown"
    [ "$(mascot_paints 1.5)" -eq 0 ] || fail "under $locale the hidden mascot still paints"
    step=4; open_menu 3
    choose_item 1
    probe visible "$mascot_hwnd" || fail "under $locale Hide again did not bring the mascot back"
    [ "$(mascot_paints 1.5)" -gt 0 ] || fail "under $locale the mascot paints nothing once back"

    # Start with Windows: this program's shortcut, then none.
    step=5; open_menu 3
    choose_item 2
    [ -f "$startup_unix/Pelmo.lnk" ] || fail "under $locale Start with Windows wrote no Pelmo.lnk"
    fields="$(probe shortcut "$startup\\Pelmo.lnk")" || fail "under $locale the shortcut cannot be read"
    want="$(printf '%s\n%s' "$program_windows" "${program_windows%\\pelmo.exe}")"
    [ "$fields" = "$want" ] || fail "under $locale the shortcut reads '$fields', not '$want'"
    step=6; open_menu 3
    choose_item 2
    [ ! -e "$startup_unix/Pelmo.lnk" ] || fail "under $locale unchecking left the shortcut"

    # A taskbar that restarts gets the icon again.
    tray=$(probe tray "$mascot_hwnd") || fail "no window of the icon"
    probe drop-icon "$tray" || fail "the icon could not be taken away"
    expect_icons 0 "the icon stayed after it was taken away"
    probe taskbar-created "$tray"
    expect_icons 1 "under $locale a restarted taskbar got no icon"

    # Quit: exit code 0, and no icon left behind.
    step=7; open_menu 3
    choose_item 5
    expect_clean_exit "$mascot_pid" "under $locale Quit"
    mascot_pid=""
    expect_icons 0 "under $locale an icon stayed behind after Quit"
    echo "$locale: docked, menu, Options, Hide, Start with Windows, taskbar restart, Quit"
done

# Windows starts the Startup folder's shortcut in the program's own folder:
# wineboot does what a log-on does (Wine starts no folder outside the code
# page, so this copy lies in a plain one).
plain_dir="$e2e_dir/plain"
mkdir -p "$plain_dir"
cp "$PELMO_EXE" "$plain_dir/pelmo.exe"
cd "$e2e_scratch"
start_mascot "$plain_dir/pelmo.exe"
expect_icons 1 "the plain copy docked no icon"
step=8; open_menu 3
choose_item 2
[ -f "$startup_unix/Pelmo.lnk" ] || fail "the plain copy wrote no shortcut"
step=9; open_menu 3
choose_item 5
expect_clean_exit "$mascot_pid" "Quit of the plain copy"
mascot_pid=""
wineboot
mascot_hwnd="$(probe find 20000)" || fail "wineboot did not start the program from the Startup folder"
probe post "$mascot_hwnd" 32793
dialog=$(probe owned "$mascot_hwnd" 10000) || fail "no dialog in the copy that wineboot started"
probe settext "$dialog" 1005 640 && probe settext "$dialog" 1006 480 && probe post "$dialog" 1
probe gone "$dialog" || fail "the dialog of the copy that wineboot started did not save"
[ -f "$plain_dir/savedata" ] && [ ! -e "$e2e_scratch/savedata" ] ||
    fail "started from the Startup folder, the program did not run in its own folder"
probe close "$mascot_hwnd"
probe gone "$mascot_hwnd" || fail "the copy that wineboot started did not end"
echo "tray e2e passed"
