# The front page as the program shows it, a game started by a key and left by Escape, a storm
# of random keys, and the window closed during a game. Xvfb runs no window manager, so
# close_window sends the WM_DELETE_WINDOW message that a window manager's close button would.
source "$(dirname "$0")/lib.sh"
start_display
start_game

wait_for_front_page -1 -1
[ "$("$PNG_PROBE" size "$SHOT")" = "1280 960" ] || fail "the screenshot is not the screen's size"
[ -s "$WORK/play/screen0.png" ] || fail "the screenshots are not numbered from 0"

# A short tap, press and release at once, is one file: keys never repeat. A repeat would come
# half a second after the press; the screenshot a second later must be the very next file.
taps=$(ls "$WORK/play" | grep -c '^screen')
xdotool keydown Print keyup Print
wait_until "the tap wrote no file" test -s "$WORK/play/screen$taps.png"
sleep 1
[ "$(basename "$(shot)")" = "screen$((taps + 1)).png" ] ||
    fail "one tap of Print Screen wrote $(($(ls "$WORK/play" | grep -c '^screen') - taps - 1)) files"

key space
wait_for_game 0 0
key Escape
wait_for_front_page 0 0

# A storm of random presses and releases, with a screenshot now and then. Down and Escape
# would end it on the front page; the games the storm starts end by themselves.
RANDOM=2024
STORM_KEYS=(Up Left Right z x Z space a Return Tab 1 F1 Shift_L Control_L)
declare -A held=()
for chunk in $(seq 40); do
    events=()
    for i in $(seq $((10 + RANDOM % 30))); do
        k=${STORM_KEYS[RANDOM % ${#STORM_KEYS[@]}]}
        if ((RANDOM % 60 == 0)); then
            events+=(key Print)
        elif [ -n "${held[$k]:-}" ]; then
            events+=(keyup "$k") && unset "held[$k]"
        else
            events+=(keydown "$k") && held[$k]=1
        fi
    done
    xdotool "${events[@]}"
    alive
done
for k in "${!held[@]}"; do xdotool keyup "$k"; done
until_shot "no front page after the storm" shows_front_page "$TITLE"

key space
wait_for_game 0 0
xdotool keydown Up # the close comes while the game is busy moving the catcher
if [ -n "${CLOSE_WINDOW:-}" ]; then
    "$CLOSE_WINDOW" $(xdotool search --pid "$GAME_PID" --name '^tinyarcade$') || fail "no close"
else
    key Escape Down # without libX11 there is no close_window
fi
expect_clean_exit "closing the window during a game"
xdotool keyup Up
echo "front page, start, Escape, a storm of keys and the window closed: ok"
