# Shared steps of the end-to-end tests: a private X server, the real program in a folder of
# its own, real key events and the program's own screenshots. Every wait is for a condition,
# with a deadline that only a stuck program reaches, even on a loaded machine.
#
# Needs TINYARCADE (the program), PNG_PROBE and SOURCE_DIR in the environment (CTest sets them).
set -euo pipefail
source "$SOURCE_DIR/tests/e2e/xvfb.bash"

WORK=$(mktemp -d "${TMPDIR:-/tmp}/tinyarcade-e2e.XXXXXX")
# The title picture the front page must show.
TITLE=$WORK/play/dat/tc0.txt
DEADLINE=60

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Ends everything the test started: the program, the X server and any helper (a stopped one
# is woken to hear it).
cleanup() {
    kill $(jobs -p) 2>/dev/null || true
    kill -CONT $(jobs -p) 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

# Runs CHECK until it succeeds; fails the test with WHAT once the deadline has passed.
wait_until() { # WHAT CHECK...
    local deadline=$((SECONDS + DEADLINE))
    until "${@:2}"; do
        ((SECONDS < deadline)) || fail "$1"
        sleep 0.1
    done
}

start_display() {
    start_xvfb 1280x960x24 "$WORK/xvfb.log" || fail "no X server would start: $(cat "$WORK/xvfb.log")"
}

# Starts a private PulseAudio server with a null sink (no sound card, no root needed) for the
# program's "pulseaudio" driver; PULSE_PID is its process.
start_pulse() {
    local home=$WORK/pulse
    mkdir -p -m 700 "$home"
    HOME=$home XDG_RUNTIME_DIR=$home XDG_CONFIG_HOME=$home pulseaudio -n --daemonize=no \
        --exit-idle-time=-1 --use-pid-file=no -L module-null-sink \
        -L "module-native-protocol-unix auth-anonymous=1 socket=$home/native" \
        >"$WORK/pulse.log" 2>&1 &
    PULSE_PID=$!
    export PULSE_SERVER=unix:$home/native
    wait_until "no sound server started" pulse_listens
}
pulse_listens() { kill -0 "$PULSE_PID" && [ -S "$WORK/pulse/native" ]; }

# A fresh playing folder with the game's data.
make_folder() {
    rm -rf "$WORK/play"
    mkdir -p "$WORK/play/dat"
    cp -r "$SOURCE_DIR/dat/." "$WORK/play/dat/"
}

# Starts the program in the playing folder and waits for its window.
start_game() {
    [ -d "$WORK/play" ] || make_folder
    start_in "$WORK/play" "$TINYARCADE"
}

alive() {
    kill -0 "$GAME_PID" 2>/dev/null || fail "the program ended: $(tr "\n" " " <"$WORK/game.err")"
}

# Starts a command that execs the program, in the given folder, and waits until its window is
# on the screen, where keys reach it.
start_in() { # FOLDER COMMAND [ARGUMENT...]
    (cd "$1" && SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}" exec "${@:2}") \
        >"$WORK/game.out" 2>"$WORK/game.err" &
    GAME_PID=$!
    wait_until "no window appeared" window_shown
}
window_shown() { alive && xdotool search --onlyvisible --name '^tinyarcade$' >/dev/null 2>&1; }

key() { xdotool key --delay 30 "$@"; }

# Presses Print Screen and waits until the new screenshot, left in SHOT, is complete. The
# program writes it into the folder it runs in (SHOT_FOLDER, or else the playing folder) under
# the first free name, so the first number not on disk.
shot() {
    local folder=${SHOT_FOLDER:-$WORK/play} number=0
    while [ -e "$folder/screen$number.png" ]; do number=$((number + 1)); done
    SHOT=$folder/screen$number.png
    key Print
    wait_until "Print Screen wrote no $SHOT" shot_written
}
shot_written() { alive && "$PNG_PROBE" size "$SHOT" >/dev/null 2>&1; }

# A screenshot shows the frame presented last, which may still be one from before the last key,
# so these take screenshots until one shows what they wait for.
# The front page with the scores "LAST BEST" matching PATTERN; leaves them in SCORES.
wait_for_front_page() { wait_until "no front page with scores $1" shows_front_page "$1"; }
shows_front_page() {
    shot && SCORES=$("$PNG_PROBE" front "$SHOT" "$TITLE" 2>&1) && [[ $SCORES == $1 ]]
}
# A game with the score 0 and the catcher where it starts.
wait_for_game() { wait_until "no game with score 0 and the catcher at 0" shows_game; }
shows_game() { shot && "$PNG_PROBE" game "$SHOT" 0 0 >/dev/null 2>&1; }

# Waits for the front page after the first game of a run, which must show that game's score as
# both the last and the best; leaves it in SCORE.
wait_for_first_score() {
    wait_for_front_page "[0-9]* [0-9]*"
    read -r SCORE best <<<"$SCORES"
    [ "$SCORE" = "$best" ] || fail "the front page shows '$SCORES' after one game"
}

# Waits for the program to end and fails unless its exit status is STATUS (0) and, with status
# 0, it said nothing but SAID (SDL's disk audio driver announces itself).
expect_exit() { # WHAT [SAID] [STATUS]
    wait_until "$1 did not end the program" program_ended
    local status=0
    wait "$GAME_PID" || status=$?
    [ "$status" = "${3:-0}" ] && { [ "$status" != 0 ] ||
        [ "$(grep -v "^CRITICAL: " "$WORK/game.err")" = "${2:-}" ]; } ||
        fail "$1 ended the program with status $status, saying: $(cat "$WORK/game.err")"
}
program_ended() { ! kill -0 "$GAME_PID" 2>/dev/null; }

# Runs COMMAND in FOLDER to its end without a window and fails unless it exits with status 1
# after one line that starts with TEXT.
expect_one_line() { # TEXT FOLDER COMMAND...
    local status=0
    (cd "$2" && SDL_AUDIODRIVER=dummy timeout "$DEADLINE" "${@:3}") >/dev/null 2>"$WORK/game.err" ||
        status=$?
    [ "$status" = 1 ] && [ "$(wc -l <"$WORK/game.err")" = 1 ] && grep -q "^$1" "$WORK/game.err" ||
        fail "wanted status 1 and one line '$1...', got $status: $(cat "$WORK/game.err")"
}
