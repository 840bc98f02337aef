#!/bin/sh
# The options dialog in its two languages, as the built program holds
# them: the English one has the Japanese one's controls, identifiers,
# order, styles and places, its own texts, and a TrueType font.
set -eu
program="$1" windres="$2"
rc="$(mktemp)"
trap 'rm -f "$rc"' EXIT
"$windres" -i "$program" -O rc -o "$rc"
# Dialog 103 of the language given as "primary, sub".
dialog() {
    awk -v lang="LANGUAGE $1" '/^LANGUAGE / { here = ($0 == lang) }
        here && /^103 DIALOGEX/ { on = 1 } on { print } on && /^END/ { on = 0 }' "$rc"
}
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
