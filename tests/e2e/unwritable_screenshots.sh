# Screenshots that cannot be saved stop nothing, leave nothing, and each says so on one line;
# once the disk has room again, the next one takes the first free name, and nothing that was
# in the folder before is touched: an earlier run's picture, a link to a file of the player's.
#
# A full disk is a file size limit that the program's writes run into (SIGXFSZ ignored, so they
# fail with EFBIG): it stops root as well, and needs no mount.
source "$(dirname "$0")/lib.sh"
start_display
make_folder
echo "an earlier run's picture" >"$WORK/play/screen0.png"
echo "the player's notes" >"$WORK/notes.txt"
ln -s "$WORK/notes.txt" "$WORK/play/screen1.png"
FAILED=4

trap '' XFSZ
ulimit -S -f 16 # kB: a screenshot takes more
start_in "$WORK/play" "$TINYARCADE"
ulimit -S -f unlimited
for ((press = 0; press < FAILED / 2; press++)); do key Print; done
key space
xdotool keydown Up
for ((press = FAILED / 2; press < FAILED; press++)); do key Print; done
xdotool keyup Up
said_every_failure() {
    alive
    [ "$(grep -c "^tinyarcade: cannot save a screenshot in $WORK/play: File too large$" \
        "$WORK/game.err")" = "$FAILED" ]
}
wait_until "not one line for each of the $FAILED screenshots: $(cat "$WORK/game.err")" \
    said_every_failure
prlimit --pid "$GAME_PID" --fsize=unlimited: || fail "cannot lift the program's file size limit"
key Escape

# The next one is screen2.png, which shot waits for; the program went on rendering, and the
# front page comes back with the game's score.
[ "$(shot)" = "$WORK/play/screen2.png" ] || fail "the next screenshot is not screen2.png"
wait_for_first_score
[ "$(cat "$WORK/play/screen0.png")" = "an earlier run's picture" ] || fail "screen0.png was replaced"
[ "$(cat "$WORK/notes.txt")" = "the player's notes" ] || fail "the link screen1.png was followed"
left=$(cd "$WORK/play" && ls -A | grep -v '^dat$' | grep -v '^screen[0-9]*\.png$' || true)
[ -z "$left" ] || fail "left behind: $left"
key Down
wait_until "Down did not end the program" program_ended
status=0
wait "$GAME_PID" || status=$?
[ "$status" = 0 ] || fail "Down ended the program with status $status"
echo "$FAILED screenshots on a full disk said so and left nothing, then screen2.png: ok"
