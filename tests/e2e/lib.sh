# Shared steps of the end-to-end tests: a private X server, the real program in a folder of
# its own, real key events and the program's own screenshots. Every wait is for a condition,
# with a deadline that only a stuck program reaches, even on a loaded machine.
#
# Needs TINYARCADE (the program), PNG_PROBE and SOURCE_DIR in the environment (CTest sets them).
set -euo pipefail
source "$SOURCE_DIR/tools/xvfb.bash"

WORK=$(mktemp -d "${TMPDIR:-/tmp}/tinyarcade-e2e.XXXXXX")
TITLE=$WORK/play/dat/tc0.txt
DEADLINE=60
GAME_PID=

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Ends everything the test started: the program, the X server and any helper.
cleanup() {
    kill $(jobs -p) 2>/dev/null || true
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

# A playing folder with the game's data.
make_folder() {
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

# Presses Print Screen and prints the path of the new screenshot once it is complete. The
# program writes it into the folder it runs in: SHOT_FOLDER, or else the playing folder.
shot() {
    local folder=${SHOT_FOLDER:-$WORK/play} number=0
    # Screenshots take the first free number, so the next one is the first number not on disk.
    while [ -e "$folder/screen$number.png" ]; do number=$((number + 1)); done
    SHOT=$folder/screen$number.png
    key Print
    wait_until "Print Screen wrote no $SHOT" shot_written
    echo "$SHOT"
}
shot_written() {
    [ -s "$SHOT" ] && "$PNG_PROBE" size "$SHOT" >/dev/null 2>&1 && return 0
    alive
    return 1
}

# A screenshot shows the frame presented last, which may still be one from before the last key:
# this takes screenshots until CHECK, given the path of one, accepts it, and leaves it in SHOT.
until_shot() { # WHAT CHECK...
    local deadline=$((SECONDS + DEADLINE))
    while :; do
        SHOT=$(shot)
        "${@:2}" "$SHOT" && return 0
        ((SECONDS < deadline)) || fail "$1"
    done
}

# Sets SCORES to the "last best" a front-page screenshot shows, or fails.
shows_front_page() { # TITLE SHOT
    SCORES=$("$PNG_PROBE" front "$2" "$1" 2>/dev/null)
}
shows_scores() { # "LAST BEST" (a pattern) TITLE SHOT
    shows_front_page "$2" "$3" && [[ $SCORES == $1 ]]
}
wait_for_front_page() { # LAST BEST [TITLE]
    until_shot "no front page with scores $1 $2" shows_scores "$1 $2" "${3:-$TITLE}"
}
shows_game() { # SCORE CATCHER_POSITION SHOT
    "$PNG_PROBE" game "$3" "$1" "$2" >/dev/null 2>&1
}
wait_for_game() { # SCORE CATCHER_POSITION
    until_shot "no game with score $1 and the catcher at $2 appeared" shows_game "$1" "$2"
}

# Waits for the front page after the first game of a run, which must show that game's score as
# both the last and the best; leaves it in SCORE.
wait_for_first_score() { # [TITLE]
    until_shot "no front page with a score" shows_scores "[0-9]* [0-9]*" "${1:-$TITLE}"
    read -r SCORE best <<<"$SCORES"
    [ "$SCORE" = "$best" ] || fail "the front page shows '$SCORES' after one game"
}

# Waits for the program to end and fails unless its exit status is STATUS (0) and it said
# nothing but SAID.
expect_exit() { # WHAT [SAID] [STATUS]
    wait_until "$1 did not end the program" program_ended
    local status=0
    wait "$GAME_PID" || status=$?
    GAME_PID=
    [ "$status" = "${3:-0}" ] || fail "$1 ended the program with status $status: $(cat "$WORK/game.err")"
    # SDL's disk audio driver announces itself; nothing else may be said.
    [ "${3:-0}" != 0 ] || [ "$(grep -v "^CRITICAL: " "$WORK/game.err")" = "${2:-}" ] ||
        fail "$1: unexpected output: $(cat "$WORK/game.err")"
}
program_ended() { ! kill -0 "$GAME_PID" 2>/dev/null; }
