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

start_game
for ((press = 0; press < BLOCKED / 2; press++)); do key Print; done
alive

key space
xdotool keydown Up
for ((press = BLOCKED / 2; press < BLOCKED; press++)); do key Print; done
alive
xdotool keyup Up
key Escape

# Each failed screenshot still counts, so the next one is screen12.png, which shot waits for;
# the program goes on rendering, and the front page comes back with the game's score.
shot >/dev/null
wait_for_first_score
for ((number = 0; number < BLOCKED; number++)); do
    [ -d "$WORK/play/screen$number.png" ] || fail "screen$number.png was replaced"
done
key Down
expect_clean_exit "Down"
echo "$BLOCKED screenshots that could not be written, then screen$BLOCKED.png: ok"
