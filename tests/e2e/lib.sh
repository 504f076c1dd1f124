# Shared steps of the end-to-end tests: a private X server, the real program in a folder of
# its own, real key events and the program's own screenshots.
#
# Needs TINYARCADE (the program), PNG_PROBE and SOURCE_DIR in the environment (CTest sets them).
set -euo pipefail

SCREEN_SIZE=${SCREEN_SIZE:-1280x960x24}
WORK=$(mktemp -d "${TMPDIR:-/tmp}/tinyarcade-e2e.XXXXXX")
XVFB_PID=
GAME_PID=

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cleanup() {
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

# Starts Xvfb on a display number of its own: a random one that no server holds, so tests side
# by side never share a server and none reuses the number of a server that is still going away.
# The server's lock file names its process, which proves the display is ours.
start_display() {
    local try wait number
    for try in $(seq 50); do
        number=$(($(od -An -N2 -tu2 /dev/urandom) % 900 + 100))
        [ -e "/tmp/.X$number-lock" ] && continue
        Xvfb ":$number" -screen 0 "$SCREEN_SIZE" -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$number"
        for wait in $(seq 100); do
            if [ "$(tr -d ' \n' <"/tmp/.X$number-lock" 2>/dev/null)" = "$XVFB_PID" ] &&
                xdotool getdisplaygeometry >/dev/null 2>&1; then
                return 0
            fi
            kill -0 "$XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    done
    fail "no X server would start: $(cat "$WORK/xvfb.log")"
}

# Makes a playing folder with the game's data: pass "no-picture" to leave the title picture out.
make_folder() {
    mkdir -p "$WORK/play/dat"
    cp -r "$SOURCE_DIR/dat/." "$WORK/play/dat/"
    if [ "${1:-}" = no-picture ]; then rm -f "$WORK/play/dat/tc0.txt"; fi
}

# Starts the program in the playing folder and waits for its window.
start_game() {
    [ -d "$WORK/play" ] || make_folder
    # Every run numbers its screenshots from 0 again; shot finds the next one by what is on disk.
    find "$WORK/play" -maxdepth 1 -type f -name 'screen*.png' -delete
    start_in "$WORK/play" "$TINYARCADE"
}

# Starts a command that execs the program, in the given folder, and waits for the window.
start_in() { # FOLDER COMMAND [ARGUMENT...]
    local folder=$1
    shift
    (cd "$folder" && SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}" exec "$@") \
        >"$WORK/game.out" 2>"$WORK/game.err" &
    GAME_PID=$!
    local try
    for try in $(seq 100); do
        xdotool search --name '^tinyarcade$' >/dev/null 2>&1 && { sleep 0.5; return 0; }
        kill -0 "$GAME_PID" 2>/dev/null ||
            fail "the program ended at start on $DISPLAY: $(tr "\n" " " <"$WORK/game.err")"
        sleep 0.1
    done
    fail "no window appeared"
}

key() { xdotool key --delay 30 "$@"; }

# Presses Print Screen and prints the path of the new screenshot once it is complete. The
# program writes it into the folder it runs in: SHOT_FOLDER, or else the playing folder.
shot() {
    local folder=${SHOT_FOLDER:-$WORK/play}
    # Screenshots run from 0 without gaps, so the next one is the first number not on disk.
    local number=0
    while [ -e "$folder/screen$number.png" ]; do number=$((number + 1)); done
    local file="$folder/screen$number.png"
    key Print
    local try
    for try in $(seq 100); do
        if [ -s "$file" ] && "$PNG_PROBE" size "$file" >/dev/null 2>&1; then
            echo "$file"
            return 0
        fi
        sleep 0.1
    done
    fail "Print Screen wrote no $file"
}

# Waits for the program to end and fails unless its exit status is 0.
expect_exit_zero() { # WHAT
    local try status=0
    for try in $(seq 100); do
        if ! kill -0 "$GAME_PID" 2>/dev/null; then
            wait "$GAME_PID" || status=$?
            GAME_PID=
            [ "$status" = 0 ] || fail "$1 ended the program with status $status"
            return 0
        fi
        sleep 0.1
    done
    fail "$1 did not end the program"
}

expect_front_page() { # SHOT LAST BEST [TITLE]
    local title=${4:-$WORK/play/dat/tc0.txt}
    local scores
    scores=$("$PNG_PROBE" front "$1" "$title") || fail "$1 is not the front page"
    [ "$scores" = "$2 $3" ] || fail "front page shows scores '$scores', wanted '$2 $3'"
}

# A screenshot shows the frame presented last, which may still be the one from before the last
# key: these take screenshots until the wanted picture appears, for a few seconds at most.
wait_for_front_page() { # LAST BEST [TITLE]
    local title=${3:-$WORK/play/dat/tc0.txt} try picture
    for try in $(seq 10); do
        picture=$(shot)
        [ "$("$PNG_PROBE" front "$picture" "$title" 2>/dev/null)" = "$1 $2" ] && return 0
        sleep 0.2
    done
    expect_front_page "$picture" "$1" "$2" "$title"
}

wait_for_game() { # SCORE CATCHER_POSITION
    local try
    for try in $(seq 10); do
        "$PNG_PROBE" game "$(shot)" "$1" "$2" 2>/dev/null && return 0
        sleep 0.2
    done
    fail "no game with score $1 and the catcher at $2 appeared"
}
