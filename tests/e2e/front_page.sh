# The front page as the program shows it, screenshots that cannot be saved, a game started by a
# key and left by Escape, a storm of random keys, z by its place on a Russian keyboard, and the
# window closed during a game. Xvfb runs
# no window manager, so close_window sends the WM_DELETE_WINDOW message that a window manager's
# close button would.
source "$(dirname "$0")/lib.sh"
start_display
make_folder
# A screenshot takes the first free name and touches nothing that was in the folder before: an
# earlier run's picture, and a link to it (shot waits for the first one as screen2.png).
echo "an earlier run's picture" >"$WORK/play/screen0.png"
ln -s "$WORK/play/screen0.png" "$WORK/play/screen1.png"
trap '' XFSZ # a full disk below: writes past the file size limit fail with EFBIG
start_game

wait_for_front_page "-1 -1"
[ "$("$PNG_PROBE" size "$SHOT")" = "1280 960" ] || fail "the screenshot is not the screen's size"

# A full disk, as a file size limit (it stops root as well, and needs no mount): a screenshot
# that cannot be saved stops nothing, leaves nothing, and says so on one line; once the disk
# has room again, the next one takes the next free name, which shot waits for.
FAILURE="tinyarcade: cannot save a screenshot in $WORK/play: File too large"
full_disk() { prlimit --pid "$GAME_PID" --fsize="$1": || fail "cannot set the file size limit"; }
full_disk 16384
key Print
said_failure() { alive && [ "$(cat "$WORK/game.err")" = "$FAILURE" ]; }
wait_until "no line for a screenshot that could not be saved" said_failure
full_disk unlimited
key space
wait_for_game
key Escape
wait_for_first_score
[ "$(cat "$WORK/play/screen0.png")" = "an earlier run's picture" ] || fail "screen0.png was written"
left=$(cd "$WORK/play" && ls -A | grep -vx 'dat\|screen[0-9]*\.png' || true)
[ -z "$left" ] || fail "left behind: $left"

# A storm of random presses and releases, with a screenshot now and then. Down and Escape would
# end it on the front page; the games the storm starts end by themselves.
RANDOM=2024
STORM_KEYS=(Up Left Right z x Z space a Return Tab 1 F1 Shift_L Control_L)
UP_DOWN=(keydown keyup)
for chunk in $(seq 40); do
    events=()
    for i in $(seq $((10 + RANDOM % 30))); do
        events+=("${UP_DOWN[RANDOM % 2]}" "${STORM_KEYS[RANDOM % ${#STORM_KEYS[@]}]}")
        ((RANDOM % 60)) || events+=(key Print)
    done
    xdotool "${events[@]}"
    alive
done
xdotool keyup "${STORM_KEYS[@]}"
wait_for_front_page "*"

# A layout without Latin letters: the key left of x (X key code 52) is z, and gives emotions.
setxkbmap ru || fail "cannot switch the keyboard layout"
key space
wait_for_game
xdotool keydown 52
shows_emotions() { shot && "$PNG_PROBE" emotions "$SHOT" >/dev/null 2>&1; }
wait_until "the key left of x gave no emotions with a Russian layout" shows_emotions
xdotool keyup 52 key Escape
setxkbmap us
wait_for_front_page "*"

# The disk full again: one more failure on the front page and two in the game that space starts,
# while it moves the catcher; the same line again is counted, not repeated.
full_disk 16384
key Print space
xdotool keydown Up key Print Print # the close comes while the game is busy moving the catcher
"$CLOSE_WINDOW" $(xdotool search --pid "$GAME_PID" --name '^tinyarcade$') || fail "no close"
expect_exit "closing the window during a game" "$(printf "%s\n" "$FAILURE" \
    "tinyarcade: the line above, 3 more times")"
left=$(cd "$WORK/play" && ls -A | grep -vx 'dat\|screen[0-9]*\.png' || true)
[ -z "$left" ] || fail "left behind: $left"
