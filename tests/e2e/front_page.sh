# The front page as the program shows it, screenshots that cannot be saved, a game started by a
# key and left by Escape, a storm of random keys, and the window closed during a game. Xvfb runs
# no window manager, so close_window sends the WM_DELETE_WINDOW message that a window manager's
# close button would.
source "$(dirname "$0")/lib.sh"
start_display
make_folder
# A screenshot takes the first free name and touches nothing that was in the folder before: an
# earlier run's picture, a link to a file of the player's.
echo "an earlier run's picture" >"$WORK/play/screen0.png"
echo "the player's notes" >"$WORK/notes.txt"
ln -s "$WORK/notes.txt" "$WORK/play/screen1.png"
trap '' XFSZ # a full disk below: writes past the file size limit fail with EFBIG
start_game

wait_for_front_page -1 -1
[ "$("$PNG_PROBE" size "$SHOT")" = "1280 960" ] || fail "the screenshot is not the screen's size"
[ -s "$WORK/play/screen2.png" ] || fail "the first screenshot is not screen2.png"

# A full disk, as a file size limit (it stops root as well, and needs no mount): screenshots
# that cannot be saved stop nothing, leave nothing, and each says so on one line; once the disk
# has room again, the next one takes the next free name, which shot waits for.
FAILURE="tinyarcade: cannot save a screenshot in $WORK/play: File too large"
prlimit --pid "$GAME_PID" --fsize=16384: || fail "cannot limit the program's file size"
key Print Print space
xdotool keydown Up
key Print Print
xdotool keyup Up
said_every_failure() {
    alive
    [ "$(grep -c "^$FAILURE$" "$WORK/game.err")" = 4 ]
}
wait_until "not one line for each of 4 screenshots: $(cat "$WORK/game.err")" said_every_failure
prlimit --pid "$GAME_PID" --fsize=unlimited: || fail "cannot lift the program's file size limit"
key Escape
wait_for_first_score
[ "$(cat "$WORK/play/screen0.png")" = "an earlier run's picture" ] || fail "screen0.png was replaced"
[ "$(cat "$WORK/notes.txt")" = "the player's notes" ] || fail "the link screen1.png was followed"
left=$(cd "$WORK/play" && ls -A | grep -v '^dat$' | grep -v '^screen[0-9]*\.png$' || true)
[ -z "$left" ] || fail "left behind: $left"

key space
wait_for_game 0 0
key Escape
wait_for_front_page 0 "$SCORE"

# A storm of random presses and releases (of keys up or down), with a screenshot now and then. Down and Escape
# would end it on the front page; the games the storm starts end by themselves.
RANDOM=2024
STORM_KEYS=(Up Left Right z x Z space a Return Tab 1 F1 Shift_L Control_L)
UP_DOWN=(keydown keyup)
for chunk in $(seq 40); do
    events=()
    for i in $(seq $((10 + RANDOM % 30))); do
        if ((RANDOM % 60 == 0)); then
            events+=(key Print)
        else
            events+=("${UP_DOWN[RANDOM % 2]}" "${STORM_KEYS[RANDOM % ${#STORM_KEYS[@]}]}")
        fi
    done
    xdotool "${events[@]}"
    alive
done
xdotool keyup "${STORM_KEYS[@]}"
until_shot "no front page after the storm" shows_front_page "$TITLE"

key space
wait_for_game 0 0
xdotool keydown Up # the close comes while the game is busy moving the catcher
"$CLOSE_WINDOW" $(xdotool search --pid "$GAME_PID" --name '^tinyarcade$') || fail "no close"
expect_exit "closing the window during a game" "$(printf "%s\n" "$FAILURE" "$FAILURE" "$FAILURE" "$FAILURE")"
xdotool keyup Up
echo "front page, 4 screenshots on a full disk, start, Escape, a storm of keys, the window closed: ok"
