# The real sound stream, from one run. SDL's disk audio driver writes the sound to a raw file
# (signed 16-bit stereo at 44100 Hz, paced like a sound card); audio_probe checks that the first
# "jump" of a game's baby sounds whole, on its grid point, at its level. Games are left alone
# until their time paradox, until the stream holds a jump: one is enough once the samples have
# loaded.
source "$(dirname "$0")/lib.sh"
STREAM=$WORK/stream.raw
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$STREAM

stream_holds() { alive && (($(stat -c %s "$STREAM" 2>/dev/null || echo 0) >= 4 * $1)); } # FRAMES

# Whether audio_probe hears a jump in the stream so far; fails the test when one is wrong. It
# runs in the playing folder, where it finds the samples.
jump_heard() {
    "$AUDIO_PROBE" "$STREAM" >"$WORK/probe.out" || fail "$(cat "$WORK/probe.out")"
    grep -q "^jump at" "$WORK/probe.out"
}

start_display
start_game
cd "$WORK/play"
# Two seconds of sound at the program's pace; meanwhile its samples load.
wait_until "the stream stopped short of two seconds" stream_holds $((2 * 44100))
for games in 1 2 3 4 5; do
    key Up
    wait_for_game
    wait_for_front_page "[0-9]* [0-9]*"
    jump_heard && break
    ((games < 5)) || fail "after $games games: $(cat "$WORK/probe.out")"
done
key Escape
expect_exit "Escape on the front page"
