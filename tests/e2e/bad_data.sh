# Damaged or missing data files: the program starts, shows its front page, plays a game and
# quits cleanly all the same. The bytes are random but seeded, so a failure can be repeated.
source "$(dirname "$0")/lib.sh"
start_display

# Prints COUNT random bytes from SEED.
random_bytes() { # SEED COUNT
    LC_ALL=C awk -v seed="$1" -v count="$2" \
        'BEGIN { srand(seed); for (i = 0; i < count; i++) printf "%c", int(rand() * 256) }'
}

# Replaces every file of the playing folder's data by random bytes of the same size; with
# "keep-head", the first quarter of each stays (an Ogg file then still has its headers and
# the decoder gets as far as the damaged audio packets).
damage_data() { # SEED [keep-head]
    local seed=$1 file size head=0
    for file in "$WORK"/play/dat/tc0.txt "$WORK"/play/dat/samples/*.ogg; do
        size=$(stat -c %s "$file")
        [ "${2:-}" = keep-head ] && head=$((size / 4))
        seed=$((seed + 1))
        { head -c "$head" "$file"; random_bytes "$seed" $((size - head)); } >"$WORK/damaged"
        mv "$WORK/damaged" "$file"
    done
}

# Takes screenshots until png_probe accepts one and prints what it says; a screenshot comes
# from the last frame presented, which may still be the one before the last key.
probe_until() { # KIND ARGS...
    local kind=$1 try picture
    shift
    for try in $(seq 30); do
        picture=$(shot)
        "$PNG_PROBE" "$kind" "$picture" "$@" 2>/dev/null && return 0
        sleep 0.2
    done
    fail "no $kind screenshot: $("$PNG_PROBE" "$kind" "$picture" "$@" 2>&1)"
}

# One run: the front page with TITLE's picture (as the reader makes it out), a game with keys
# held for two seconds, Escape back to the front page and Down to quit.
play_one_game() { # WHAT TITLE
    start_game
    [ "$(probe_until front "$2")" = "-1 -1" ] || fail "$1: the first front page shows scores"
    key space
    probe_until game 0 0 >/dev/null
    xdotool keydown Up keydown z
    sleep 2
    kill -0 "$GAME_PID" 2>/dev/null || fail "$1: the program ended during the game"
    xdotool keyup Up keyup z
    key Escape
    local scores
    scores=$(probe_until front "$2")
    read -r last best <<<"$scores"
    [ "$last" -ge 0 ] && [ "$last" = "$best" ] || fail "$1: the front page shows '$scores' after one game"
    key Down
    expect_exit_zero "$1: Down"
    [ ! -s "$WORK/game.err" ] || fail "$1: unexpected output: $(cat "$WORK/game.err")"
    echo "$1: front page, a game (score $last) and Down: ok"
}

make_folder
damage_data 100
play_one_game "random bytes" "$WORK/play/dat/tc0.txt"

rm -rf "$WORK/play"
make_folder
damage_data 200 keep-head
play_one_game "damaged after the first quarter" "$WORK/play/dat/tc0.txt"

rm -rf "$WORK/play"
make_folder
rm -rf "$WORK/play/dat/tc0.txt" "$WORK/play/dat/samples"
play_one_game "no picture and no samples" "$WORK/play/dat/tc0.txt"

# Pipes under the names of the title picture and a sample: read as missing files, without
# waiting for a writer; the picture's has one that sends blank lines for ever.
rm -rf "$WORK/play"
make_folder
rm "$WORK/play/dat/tc0.txt" "$WORK/play/dat/samples/jump.ogg"
mkfifo "$WORK/play/dat/tc0.txt" "$WORK/play/dat/samples/jump.ogg"
yes '' >"$WORK/play/dat/tc0.txt" 2>/dev/null &
writer=$!
play_one_game "pipes as the title picture and a sample" /dev/null
kill "$writer" 2>/dev/null || true
