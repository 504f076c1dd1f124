# With z held in a game the music turns busy: a drum on every quarter-second step, heavy ones
# on every fourth. A game left alone lasts about 2.4 s until its first baby escapes (then z no
# longer counts), so two games are played to hear enough steps.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/audio_lib.bash"
start_display
start_game

sleep 1
for game in 1 2; do
    key Up
    xdotool keydown z
    sleep 2.6
    xdotool keyup z
    sleep 3 # the ending, then the front page again
done
quit_from_front_page
# Busy drums on six steps in a row: the calm music never plays that.
probe_stream drums 6
echo "a drum on every step while z is held: ok"
