# Closing the window ends the program cleanly, on the front page and during a game.
#
# Xvfb runs no window manager, so close_window sends the WM_DELETE_WINDOW message that a
# window manager's close button would; `xdotool windowclose` would destroy the window instead.
source "$(dirname "$0")/lib.sh"
[ -n "${CLOSE_WINDOW:-}" ] || { echo "SKIP: close_window was not built (no libX11)"; exit 77; }
start_display

close_game_window() {
    local windows
    windows=$(xdotool search --pid "$GAME_PID" --name '^tinyarcade$') || fail "no window to close"
    # shellcheck disable=SC2086
    "$CLOSE_WINDOW" $windows || fail "close_window could not send the close request"
}

start_game
wait_for_front_page -1 -1
close_game_window
expect_clean_exit "closing the window on the front page"

start_game
key space
wait_for_game 0 0
# Hold a game key so the close arrives while the game is busy moving the catcher.
xdotool keydown Up
close_game_window
expect_clean_exit "closing the window during a game"
xdotool keyup Up
echo "closing the window on the front page and during a game: ok"
