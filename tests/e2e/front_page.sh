# The front page as the program shows it, a game started by a key, and Down quitting.
source "$(dirname "$0")/lib.sh"
start_display
start_game

first=$(shot)
[ "$("$PNG_PROBE" size "$first")" = "1280 960" ] || fail "the screenshot is not the screen's size"
expect_front_page "$first" -1 -1

# Print Screen again: numbered on, and still the front page (it started no game).
second=$(shot)
[ "$(basename "$second")" = screen1.png ] || fail "the second screenshot is $second"
expect_front_page "$second" -1 -1

# A short tap, press and release at once, is one file: keys never repeat. A repeat would start
# half a second after the press.
xdotool keydown Print keyup Print
for try in $(seq 100); do [ -s "$WORK/play/screen2.png" ] && break; sleep 0.1; done
sleep 1.5
[ -s "$WORK/play/screen2.png" ] && [ ! -e "$WORK/play/screen3.png" ] ||
    fail "one tap of Print Screen wrote $(ls "$WORK/play" | grep -c '^screen') files in all"

key space
wait_for_game 0 0

key Escape
wait_for_front_page 0 0

key Down
expect_exit_zero "Down"
[ ! -s "$WORK/game.err" ] || fail "unexpected output: $(cat "$WORK/game.err")"
echo "front page, start, Escape and Down: ok"
