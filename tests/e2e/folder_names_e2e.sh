# Folders named in the user's own language, outside the ANSI code page: a
# working folder "café-Ω" under a Japanese locale and "ぺるも" under an
# English one. Started there, the mascot shows its frames and a save lands
# in "savedata"; installed there and started from elsewhere, it shows the
# skin beside it.
. "$PELMO_E2E_LIB"

park_cursor
xsetroot -solid "$desktop_colour"
make_test_skins  # into $e2e_dir
for case in "ja_JP.UTF-8|café-Ω|640|480" "en_US.UTF-8|ぺるも|800|600"; do
    IFS='|' read -r locale name x y <<EOF_CASE
$case
EOF_CASE
    export LC_ALL="$locale"
    folder="$e2e_dir/$name"
    mkdir -p "$folder" "$e2e_dir/elsewhere"
    cp "$PELMO_EXE" "$folder/pelmo.exe"
    for skin in a b c d; do cp -r "$e2e_dir/$skin" "$folder/$skin"; done

    # Installed there, started from an ASCII folder without skins.
    cd "$e2e_dir/elsewhere"
    start_mascot "$folder/pelmo.exe"
    freeze_mascot
    import -window root "$e2e_scratch/shot.png"
    frame=$(matching_frame "$e2e_scratch/shot.png" "$folder/a" "$frozen_x" "$frozen_y")
    [ -n "$frame" ] || fail "under $locale, installed in $name and started elsewhere, no frame of its skin shows"
    park_cursor
    stop_mascot

    # Started there, and a save there.
    cd "$folder"
    start_mascot
    freeze_mascot
    import -window root "$e2e_scratch/shot.png"
    frame=$(matching_frame "$e2e_scratch/shot.png" "$folder/a" "$frozen_x" "$frozen_y")
    [ -n "$frame" ] || fail "under $locale, started in $name, no frame of its skin shows"
    dialog=$(open_dialog)
    type_range_and_save "$(probe title "$dialog")" "$x" "$y" "$dialog"
    [ "$(range_in_file)" = "$(range_bytes "$x" "$y")" ] ||
        fail "under $locale the save in $name holds '$(range_in_file)'"
    [ "$(stat -c %s savedata)" -eq 552 ] || fail "under $locale the save in $name is $(stat -c %s savedata) bytes"
    left=$(ls -A | tr '\n' ' ')
    [ "$left" = "a b c d pelmo.exe savedata " ] || fail "under $locale the save left $left in $name"
    park_cursor
    stop_mascot
    echo "$locale: frames from $name as the program's and the working folder, a save there"
done
echo "folder names e2e passed"
