#!/bin/sh
# The options dialog and the icon's menu in their two languages, as the
# built program holds them: the English dialog has the Japanese one's
# controls, identifiers, order, styles and places, its own texts, and a
# TrueType font; the English menu has the Japanese one's items in order.
set -eu
program="$1" windres="$2"
rc="$(mktemp)"
trap 'rm -f "$rc"' EXIT
"$windres" -i "$program" -O rc -o "$rc"
# Resource $2 (its first line) of the language given as "primary, sub".
resource() {
    awk -v lang="LANGUAGE $1" -v head="$2" '/^LANGUAGE / { here = ($0 == lang) }
        here && $0 == head { on = 1 } on { print } on && /^END/ { on = 0 }' "$rc"
}
dialog() { resource "$1" "103 DIALOGEX 22, 17, 112, 54"; }
# The same without its texts and font.
shape() { sed -e 's/^\(CAPTION\|FONT\) .*/\1/' -e 's/CONTROL L\?"[^"]*"/CONTROL ""/'; }
japanese=$(dialog "17, 1") english=$(dialog "9, 1")
[ -n "$japanese" ] || { echo "no Japanese dialog 103"; exit 1; }
[ -n "$english" ] || { echo "no English dialog 103"; exit 1; }
if [ "$(echo "$japanese" | shape)" != "$(echo "$english" | shape)" ]; then
    echo "the English dialog differs from the Japanese one in more than its texts:"
    echo "$japanese" | shape >"$rc.ja"
    echo "$english" | shape >"$rc.en"
    diff "$rc.ja" "$rc.en" || true
    rm -f "$rc.ja" "$rc.en"
    exit 1
fi
texts=$(echo "$english" | grep -o '^CAPTION .*\|^FONT .*\|CONTROL "[^"]*"' | tr '\n' '|')
want='CAPTION "Options"|FONT 8, "MS Shell Dlg", 400, 0, 1|CONTROL "Save"|CONTROL ""|CONTROL ""|CONTROL "Range x"|CONTROL "y"|'
[ "$texts" = "$want" ] || { echo "English texts: $texts"; echo "expected:      $want"; exit 1; }
echo "dialog 103: English twin of the Japanese one"

# The menu: the same items, in the same order, with their own texts.
items() { resource "$1" "110 MENU" | sed -e 's/MENUITEM L\?"[^"]*"/MENUITEM ""/' -e 's/POPUP L\?"[^"]*"/POPUP ""/'; }
[ -n "$(items "17, 1" | grep MENUITEM)" ] || { echo "no Japanese menu 110"; exit 1; }
[ "$(items "17, 1")" = "$(items "9, 1")" ] || { echo "the menus' items differ:"; items "17, 1"; items "9, 1"; exit 1; }
texts=$(resource "9, 1" "110 MENU" | grep -o '\(MENUITEM\|POPUP\) L\?"[^"]*"' | tr '\n' '|')
want='POPUP ""|MENUITEM "&Options..."|MENUITEM "&Hide"|MENUITEM "&Start with Windows"|POPUP "&Size"|MENUITEM "&Auto"|MENUITEM L"&1\327"|MENUITEM L"&2\327"|MENUITEM L"&3\327"|MENUITEM L"&4\327"|MENUITEM "&All monitors"|MENUITEM "&Quit"|'
[ "$texts" = "$want" ] || { echo "English menu: $texts"; echo "expected:     $want"; exit 1; }
echo "menu 110: English twin of the Japanese one"
