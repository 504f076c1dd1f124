# Screenshots that cannot be written stop nothing: the program plays on, renders, takes the
# next screenshot that can be written, and quits cleanly.
#
# Directories named screen0.png .. screen11.png stand in the way of the first twelve files.
# A read-only folder would not do: the tests may run as root, whom no permission stops, and
# read-only mounts or another user need privileges a CI container may not have. A directory
# under the file's name makes the write fail for every user alike.
source "$(dirname "$0")/lib.sh"
BLOCKED=12
start_display
make_folder
for ((number = 0; number < BLOCKED; number++)); do mkdir "$WORK/play/screen$number.png"; done

alive() { kill -0 "$GAME_PID" 2>/dev/null || fail "the program ended $1: $(cat "$WORK/game.err")"; }

start_game
for ((press = 0; press < BLOCKED / 2; press++)); do key Print; done
alive "after Print Screen on the front page"

key space
xdotool keydown Up
for ((press = BLOCKED / 2; press < BLOCKED; press++)); do key Print; done
sleep 0.5
alive "after Print Screen during a game"
xdotool keyup Up
key Escape

# Each failed screenshot still counts, so the next one is screen12.png. Each failed one also
# read and encoded the whole screen before its write failed, so the program may still be
# catching up with the keys: the first screenshots can show a frame from before the game.
# Once one shows the front page with the game's score, rendering went on after all failures.
picture=$(shot)
[ "$(basename "$picture")" = "screen$BLOCKED.png" ] || fail "the next screenshot is $picture"
scores=
for try in $(seq 50); do
    scores=$("$PNG_PROBE" front "$picture" "$WORK/play/dat/tc0.txt" 2>/dev/null) || scores=
    [ -n "$scores" ] && [ "$scores" != "-1 -1" ] && break
    sleep 0.2
    picture=$(shot)
done
[ -n "$scores" ] || fail "no front page after the game"
read -r last best <<<"$scores"
[ "$last" -ge 0 ] && [ "$last" = "$best" ] || fail "the front page shows '$scores' after one game"
for ((number = 0; number < BLOCKED; number++)); do
    [ -d "$WORK/play/screen$number.png" ] || fail "screen$number.png was replaced"
done
key Down
expect_exit_zero "Down"
[ ! -s "$WORK/game.err" ] || fail "unexpected output: $(cat "$WORK/game.err")"
echo "$BLOCKED screenshots that could not be written, then screen$BLOCKED.png: ok"
