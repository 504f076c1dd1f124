# The real sound stream and a game's end, from one run. SDL's disk audio driver writes the sound
# to a raw file (signed 16-bit stereo at 44100 Hz, paced like a sound card); audio_probe checks
# that the first "jump" of a game's baby sounds whole, on its grid point, at its level. Games
# are left alone until their time paradox, until the stream holds a jump: one is enough once the
# samples have loaded. The first game's score must show on the front page as the last and best.
source "$(dirname "$0")/lib.sh"
STREAM=$WORK/stream.raw
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$STREAM

stream_frames() { echo $(($(stat -c %s "$STREAM" 2>/dev/null || echo 0) / 4)); }
stream_holds() { alive && (($(stream_frames) >= $1)); } # FRAMES

# Whether audio_probe hears a jump in the stream so far; fails the test when one is wrong.
jump_heard() {
    local status=0
    (cd "$WORK/play" && "$AUDIO_PROBE" "$STREAM" >"$WORK/probe.out" 2>&1) || status=$?
    [ "$status" = 0 ] || [ "$status" = 3 ] || fail "$(tail -n 3 "$WORK/probe.out")"
    return "$status"
}

start_display
start_game
# Two seconds of sound at the program's pace; meanwhile its samples load.
wait_until "the stream stopped short of two seconds" stream_holds $((2 * 44100))
games=0
until jump_heard; do
    ((games < 5)) || fail "after $games games: $(tail -n 1 "$WORK/probe.out")"
    games=$((games + 1))
    key Up
    if ((games == 1)); then
        wait_for_first_score
    else
        # The game ends by itself within seconds; the stream keeps the program's time.
        wait_until "the stream stopped" stream_holds $(($(stream_frames) + 10 * 44100))
    fi
done
until_shot "no front page after $games games" shows_front_page "$TITLE"
key Escape
expect_exit "Escape on the front page"
echo "the jump heard after $games games; a time paradox with score $SCORE: ok"
