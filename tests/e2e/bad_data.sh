# Damaged or missing data files: the program starts, shows its front page, plays a game to its
# time paradox and quits cleanly all the same. The bytes are random but seeded, so a failure can
# be repeated.
source "$(dirname "$0")/lib.sh"
start_display

# Overwrites every file of the playing folder's data with random bytes from SEED but its first
# quarter (an Ogg file then still has its headers and the decoder gets as far as the damaged
# audio packets).
damage_data() { # SEED
    local seed=$1 file size head
    for file in "$TITLE" "$WORK"/play/dat/samples/*.ogg; do
        size=$(stat -c %s "$file") && head=$((size / 4)) && seed=$((seed + 1))
        LC_ALL=C awk -v seed="$seed" -v count=$((size - head)) \
            'BEGIN { srand(seed); for (i = 0; i < count; i++) printf "%c", int(rand() * 256) }' |
            dd of="$file" seek="$head" oflag=seek_bytes conv=notrunc status=none
    done
}

# One run: the front page with the title picture as the reader makes it out (from TITLE), a
# game with Up and z held until its time paradox, and Down to quit; the program says nothing
# but, for data that is not there, one line naming what and where. Leaves a fresh folder.
play_one_game() { # WHAT [MISSING]
    start_game
    wait_for_front_page "-1 -1"
    key space
    wait_for_game
    xdotool keydown Up keydown z
    wait_for_first_score
    xdotool keyup Up keyup z key Down
    expect_exit "$1: Down" "${2:+tinyarcade: not found in $WORK/play/dat: $2; playing without them}"
    make_folder
}

make_folder
damage_data 200
play_one_game "damaged after the first quarter"

rm -rf "$TITLE" "$WORK/play/dat/samples"
play_one_game "no picture and no samples" "the title picture tc0.txt and the samples"

# Pipes under the names of the title picture and a sample: read as missing files, without
# waiting for a writer; the picture's has one that sends blank lines for ever.
rm "$TITLE" "$WORK/play/dat/samples/jump.ogg"
mkfifo "$TITLE" "$WORK/play/dat/samples/jump.ogg"
yes '' >"$TITLE" 2>/dev/null &
TITLE=/dev/null play_one_game "pipes as the title picture and a sample" \
    "the title picture tc0.txt and 1 of the 19 samples"
