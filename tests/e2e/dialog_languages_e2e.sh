# The options dialog as users of other languages meet it: under an
# English locale it reads "Options", "Range x", "y" and "Save", under a
# Japanese one "オプション", "移動範囲x ", "y" and "保存"; either way the
# keyboard saves the range typed.
. "$PELMO_E2E_LIB"

install_program
make_test_skins
for case in "en_US.UTF-8|Options|Range x|Save|640|480" "ja_JP.UTF-8|オプション|移動範囲x |保存|800|600"; do
    IFS='|' read -r locale title label button x y <<EOF_CASE
$case
EOF_CASE
    rm -f savedata
    export LC_ALL="$locale"
    start_mascot
    expect_moving "the mascot does not move under $locale"
    dialog=$(open_dialog)
    [ "$(probe title "$dialog")" = "$title" ] || fail "under $locale the dialog is titled '$(probe title "$dialog")'"
    texts=$(probe texts "$dialog" | tr '\n' '|')
    want="Static:(icon)|Button:$button|Edit:0|Edit:0|Static:$label|Static:y|"
    [ "$texts" = "$want" ] || fail "under $locale the dialog shows '$texts', not '$want'"
    import -window root "${TMPDIR:-/tmp}/pelmo-dialog-$locale.png"
    type_range_and_save "$title" "$x" "$y" "$dialog"
    [ "$(range_in_file)" = "$(range_bytes "$x" "$y")" ] ||
        fail "under $locale the save holds '$(range_in_file)', not $x and $y"
    stop_mascot
    echo "$locale: '$title', saved $x x $y"
done
echo "dialog languages e2e passed"
