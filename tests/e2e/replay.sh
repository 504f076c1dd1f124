# A run played with real keys under Xvfb and recorded: checked without a display it is ok, and
# watched again it takes every screenshot of the run again, pixel for pixel. The same recording
# with one key changed is caught where it drifts. (Its sound, byte for byte, is checked by the
# recorded runs of tests/replays.)
source "$(dirname "$0")/lib.sh"
start_display
make_folder
REPLAY=$WORK/run.replay

# The run: the front page (screenshots until it shows), a game with the catcher moved and z held
# (a screenshot of each), back to the front page, and Escape.
start_in "$WORK/play" "$TINYARCADE" --record "$REPLAY"
wait_for_front_page "-1 -1"
key space
wait_for_game
xdotool keydown Up
shot
xdotool keyup Up keydown z
shot
xdotool keyup z
key Escape
wait_for_first_score
key Escape
expect_exit "Escape on the front page"
[ "$(head -n 1 "$REPLAY")" = "tinyarcade replay 1" ] || fail "no replay written: $(head -c 200 "$REPLAY")"

# Checked where it was played, without a display or a sound card.
check() { # REPLAY [OPTION...]
    (cd "$WORK/play" && env -u DISPLAY timeout "$DEADLINE" "$TINYARCADE" --check "$@") \
        >"$WORK/check.out" 2>"$WORK/check.err"
}
check "$REPLAY" || fail "--check failed: $(cat "$WORK/check.out" "$WORK/check.err")"
grep -qx "ticks [0-9]* games 1 last $SCORE best $SCORE ok" "$WORK/check.out" ||
    fail "--check said: $(cat "$WORK/check.out")"

# Watched in a folder of its own: the same screenshots, and the end of the recording ends it.
mkdir -p "$WORK/watch"
cp -r "$WORK/play/dat" "$WORK/watch/"
start_in "$WORK/watch" "$TINYARCADE" --play "$REPLAY"
expect_exit "the end of the replay"
count=0
for live in "$WORK"/play/screen*.png; do
    cmp -s "$live" "$WORK/watch/${live##*/}" || fail "watching took another ${live##*/}"
    count=$((count + 1))
done
[ "$(ls "$WORK"/watch/screen*.png | wc -l)" = "$count" ] || fail "watching took other screenshots"

# Up held turned into z held: the catcher stays down, and the check says where it drifted.
sed '0,/press up/s//press z/' "$REPLAY" >"$WORK/changed.replay"
if check "$WORK/changed.replay"; then fail "a changed replay checked: $(cat "$WORK/check.out")"; fi
grep -qx "ticks [0-9]* games 1 last [0-9]* best [0-9]* differs at tick [0-9]*" "$WORK/check.out" ||
    fail "--check of a changed replay said: $(cat "$WORK/check.out" "$WORK/check.err")"
