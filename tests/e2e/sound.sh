# The real sound stream, from one run, and a sound server that stops answering. SDL's disk audio
# driver writes the sound to a raw file (signed 16-bit stereo at 44100 Hz, paced like a sound
# card); audio_probe checks that the first "jump" of a game's baby sounds whole, on its grid
# point, at its level. Games are left alone until their time paradox, until the stream holds a
# jump: one is enough once the samples have loaded.
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

# A sound server that stops answering (stopped with SIGSTOP): the quit is not held up, with one
# line; a start against it says so on one line, and Escape then leaves.
start_pulse
export SDL_AUDIODRIVER=pulseaudio
start_game
# The window opens before the sound device does: stop the server only once the game plays on it.
plays_on_server() { alive && [ -n "$(pactl list short sink-inputs 2>/dev/null)" ]; }
wait_until "the game's sound never reached the server" plays_on_server
kill -STOP "$PULSE_PID"
key Escape
expect_exit "Escape with the sound server stopped" \
    "tinyarcade: the sound device did not close within a second; leaving without it"
start_game
WAITING="tinyarcade: the sound server does not answer; waiting for it (Escape quits)"
said_waiting() { alive && [ "$(cat "$WORK/game.err")" = "$WAITING" ]; }
wait_until "no line about the sound server" said_waiting
key Escape
expect_exit "Escape while waiting for the sound server" "" 1
kill -CONT "$PULSE_PID"
