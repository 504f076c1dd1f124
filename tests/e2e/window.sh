# --window opens a window, not the full screen, the largest whole multiple of 128 x 96 that
# fits the 1280 x 960 screen with room to spare (1152 x 864); F11 fills the screen and leaves it
# again, starts no game, and the picture follows each time.
source "$(dirname "$0")/lib.sh"
start_display
make_folder
start_in "$WORK/play" "$TINYARCADE" --window
WINDOW=$(xdotool search --onlyvisible --name '^tinyarcade$' | head -n 1)

# The window's size as X has it and as the program's own screenshot has it, both "W H".
window_size() { xdotool getwindowgeometry "$WINDOW" | sed -n 's/^ *Geometry: \([0-9]*\)x\([0-9]*\)$/\1 \2/p'; }
shows_size() { # W H
    [ "$(window_size)" = "$1 $2" ] && shot && [ "$("$PNG_PROBE" size "$SHOT")" = "$1 $2" ] &&
        SCORES=$("$PNG_PROBE" front "$SHOT" "$TITLE" 2>&1) && [ "$SCORES" = "-1 -1" ]
}

wait_until "no 1152 x 864 window with the front page" shows_size 1152 864
cp "$SHOT" "$WORK/window.png"
key F11
wait_until "F11 did not fill the screen with the front page" shows_size 1280 960
key F11
wait_until "F11 again did not bring the window back" shows_size 1152 864
# Still the front page: F11 started no game, and a game still starts and shows in the window.
key space
wait_for_game
[ "$("$PNG_PROBE" size "$SHOT")" = "1152 864" ] || fail "the game is not the window's size"
key F11
wait_until "F11 in a game did not fill the screen" eval '[ "$(window_size)" = "1280 960" ]'
wait_for_game
[ "$("$PNG_PROBE" size "$SHOT")" = "1280 960" ] || fail "the game does not fill the screen"
# The window's picture for the README when asked: DOCS=folder.
[ -z "${DOCS:-}" ] || cp "$WORK/window.png" "$DOCS/window.png"
key Escape Escape
expect_exit "Escape twice"
