# Without its title picture file the program still shows the front page, without the picture.
source "$(dirname "$0")/lib.sh"
start_display
make_folder no-picture
start_game
expect_front_page "$(shot)" -1 -1 /dev/null
key Escape
expect_exit_zero "Escape"
echo "front page without picture: ok"
