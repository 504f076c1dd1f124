# On the front page the music's square notes start on the start grid of their steps, and each
# is a tone of the scale.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/audio_lib.bash"
start_display
start_game

sleep 8
quit_from_front_page
probe_stream notes
echo "front-page notes on the grid and in the scale: ok"
