# Shared steps of the audio end-to-end tests: the program's sound goes to a raw file through
# SDL's disk audio driver (signed 16-bit stereo at 44100 Hz, paced like a sound card), which
# audio_probe then checks. Source after lib.sh (this file's name keeps it out of the test list).
AUDIO_PROBE=${AUDIO_PROBE:-$BINARY_DIR/tests/e2e/audio_probe}
STREAM="$WORK/stream.raw"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$STREAM"

# Quits from the front page and checks the program ended well.
quit_from_front_page() {
    key Escape
    expect_exit_zero "Escape on the front page"
    [ -s "$STREAM" ] || fail "the disk audio driver wrote no stream"
}

# Runs one check of audio_probe on the stream, from the folder with the game's samples.
probe_stream() {
    (cd "$WORK/play" && "$AUDIO_PROBE" "$1" "$STREAM" "${@:2}") || fail "audio_probe $1 failed"
}
