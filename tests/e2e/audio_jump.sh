# A key starts a game, whose first baby arrives at once with the "jump" sound: it must sound
# whole, on the start grid, at the level playSound gives it.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/audio_lib.bash"
start_display
start_game

sleep 2 # the samples load meanwhile; a jump before that would be silent
key Up
sleep 1.5
key Escape
sleep 0.3
quit_from_front_page
probe_stream jump
echo "jump heard on the grid at its level: ok"
