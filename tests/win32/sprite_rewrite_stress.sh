# A sprite file rewritten, cut and scribbled on in place by a native
# program in a tight loop (an editor saving, cp), which Wine's sharing modes
# do not hold off, while the mascot's paint steps draw it 50 times a second
# under Wine (sprite_rewrite_stress.cpp): no crash, no hang, no leak.
set -eu
: "${PELMO_STRESS_EXE:?}" "${PELMO_WINE_RUN:?}" "${PELMO_SKINMAKER:?}"
seconds="${PELMO_STRESS_SECONDS:-20}"
dir="$(mktemp -d "${TMPDIR:-/tmp}/pelmo-rewrite.XXXXXX")"
writer=""
cleanup() {
    [ -z "$writer" ] || kill "$writer" 2>/dev/null || true
    rm -rf "$dir"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Two pictures of the same size in different forms: 24 bits, and 8 bits
# run-length coded, so that the headers of one over the other's pixels
# describe something else than what follows. The painter draws a stand-in
# skin's n0, the file rewritten.
"$PELMO_SKINMAKER" --stand-ins "$dir" a
cp "$dir/a/n0.bmp" "$dir/one.bmp"
convert -size 60x60 'xc:#00FF00' -fill '#0000C0' -draw 'circle 30,30 30,8' -type Palette -compress RLE "BMP3:$dir/two.bmp"

# The writer: the same file, never replaced, rewritten whole, cut at a
# random length, given the other picture's headers, or scribbled on, until
# told to stop; it prints how many changes it made.
perl -e '
    use strict;
    use Fcntl;
    my ($path, $stop, @sources) = @ARGV;
    my @pictures = map { open(my $f, "<:raw", $_) or die "$_: $!"; local $/; scalar <$f> } @sources;
    sysopen(my $out, $path, O_RDWR) or die "$path: $!";
    srand(7);
    my $changes = 0;
    my $give_up = time + 300;
    until (($changes & 1023) == 0 && (-e $stop || time > $give_up)) {
        my $picture = $pictures[$changes % 2];
        my $kind = int(rand(4));
        sysseek($out, 0, 0);
        if ($kind == 0) {
            syswrite($out, $picture);
            truncate($out, length $picture);
        } elsif ($kind == 1) {
            truncate($out, int(rand(length $picture)));
        } elsif ($kind == 2) {
            syswrite($out, $picture, 1100);
        } else {
            sysseek($out, int(rand(length $picture)), 0);
            syswrite($out, pack("N", int(rand(4294967295))));
        }
        ++$changes;
    }
    print "$changes\n";
' "$dir/a/n0.bmp" "$dir/stop" "$dir/one.bmp" "$dir/two.bmp" >"$dir/changes" &
writer=$!

cd "$dir"
code=0
# A crash must end the run at once rather than wait in Wine's debugger.
PELMO_STRESS_SECONDS="$seconds" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-};winedbg.exe=d" \
    timeout $((seconds + 60)) "$PELMO_WINE_RUN" "$PELMO_STRESS_EXE" || code=$?
touch "$dir/stop"
wait "$writer" || fail "the writer failed"
writer=""
changes="$(cat "$dir/changes")"
echo "the writer changed the file $changes times"
[ "$code" -ne 124 ] || fail "the painting program hung"
[ "$code" -eq 0 ] || fail "the painting program ended with code $code"
[ "$changes" -gt 10000 ] || fail "the writer made only $changes changes"
echo "rewrite stress passed"
