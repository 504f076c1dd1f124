# The real sound stream and a game's end, from one run. SDL's disk audio driver writes the sound
# to a raw file (signed 16-bit stereo at 44100 Hz, paced like a sound card), which audio_probe
# checks: the front page's notes first; then games played with z held, each left alone until
# its time paradox, until the stream holds a whole "jump" on its grid point at its level and a
# drum of the busy music on six steps in a row. The first game's score must show on the front
# page as the last and the best.
source "$(dirname "$0")/lib.sh"
AUDIO_PROBE=${AUDIO_PROBE:-$BINARY_DIR/tests/e2e/audio_probe}
STREAM=$WORK/stream.raw
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$STREAM
FRONT_PAGE_FRAMES=$((8 * 44100))

stream_frames() { echo $(($(stat -c %s "$STREAM" 2>/dev/null || echo 0) / 4)); }
stream_holds() { # FRAMES
    alive
    (($(stream_frames) >= $1))
}

# Runs a check of audio_probe on the stream so far, from the folder with the game's samples:
# succeeds when it heard what it looks for, fails the test when what it heard is wrong.
heard() { # CHECK [ARGUMENT]
    local status=0
    (cd "$WORK/play" && "$AUDIO_PROBE" "$1" "$STREAM" "${@:2}" >"$WORK/probe.out" 2>&1) || status=$?
    [ "$status" = 0 ] || [ "$status" = 3 ] || fail "audio_probe $1: $(tail -n 3 "$WORK/probe.out")"
    return "$status"
}

start_display
start_game
# Sound at the program's pace: meanwhile its samples load.
wait_until "the stream stopped short of $FRONT_PAGE_FRAMES frames" stream_holds $FRONT_PAGE_FRAMES
heard notes $FRONT_PAGE_FRAMES || fail "no front-page notes: $(tail -n 1 "$WORK/probe.out")"

games=0
until heard jump && heard drums 6; do
    ((games < 5)) || fail "after $games games: $(tail -n 1 "$WORK/probe.out")"
    games=$((games + 1))
    key Up
    xdotool keydown z
    if ((games == 1)); then
        wait_for_first_score
    else
        # The game ends by itself within seconds; the stream keeps the program's time.
        wait_until "the stream stopped" stream_holds $(($(stream_frames) + 10 * 44100))
    fi
    xdotool keyup z
done
until_shot "no front page after $games games" shows_front_page "$TITLE"
key Escape
expect_clean_exit "Escape on the front page"
echo "front-page notes, the jump and busy drums heard; a time paradox with score $SCORE: ok"
