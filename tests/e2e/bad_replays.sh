# Hostile and damaged replay files: each ends the program with one line and status 1 before any
# window opens, at once, without a crash, a hang or a large allocation (the address space is
# limited to 1 GB). The command line: its refusals are unit tests, the status and --version here.
source "$(dirname "$0")/lib.sh"
make_folder
ulimit -v 1048576
BAD=$WORK/bad
mkdir -p "$BAD/folder"
mkfifo "$BAD/pipe"
HEAD=$'tinyarcade replay 1\nseed 1\npicture 00000000\n'
printf '%s' "$HEAD" >"$BAD/truncated"
{ printf '%s' "$HEAD"; printf 'r 0 '; head -c $((10 << 20)) /dev/zero | tr '\0' 1; } >"$BAD/long-line"
{ printf '%s' "$HEAD"; printf 'p 0 1'; printf ' press up%.0s' $(seq 2000); } >"$BAD/long-pass"
# A billion passes of nine ticks would come; the reader stops at the most any run could hold.
{ printf '%s' "$HEAD"; awk 'BEGIN { for (i = 0; i < 4000; i++) print "r 0 " RUN }' \
    RUN="$(printf '9%.0s' $(seq 64))"; } >"$BAD/billion"
{ printf '%s' "$HEAD"; echo "p -18 1"; } >"$BAD/negative"
printf 'tinyarcade replay 2\nseed 1\n' >"$BAD/newer"
cp "$SOURCE_DIR/dat/tc0.txt" "$BAD/foreign"
for file in truncated long-line long-pass billion negative newer foreign folder pipe missing; do
    expect_one_line "tinyarcade: the replay $BAD/$file: " "$WORK/play" "$TINYARCADE" --check "$BAD/$file"
done
expect_one_line "tinyarcade: the replay $BAD/pipe: not a regular file" "$WORK/play" "$TINYARCADE" --play "$BAD/pipe"


# The program's own answers to its command line: the version, and status 2 for a refusal.
[ "$("$TINYARCADE" --version)" = "tinyarcade 1.0.0" ] || fail "--version said: $("$TINYARCADE" --version)"
status=0
"$TINYARCADE" --wav out.wav >/dev/null 2>&1 || status=$?
[ "$status" = 2 ] || fail "tinyarcade --wav out.wav: status $status"
