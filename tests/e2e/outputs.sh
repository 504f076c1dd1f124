# Outputs that are closed or dead: the standard descriptors closed, a reader that has gone, and a
# pipe nobody reads while a thousand screenshots fail. The program plays on and quits at Escape
# with status 0; nothing it says can stop it or go astray.
source "$(dirname "$0")/lib.sh"
start_display

# Starts the program in a fresh folder through a shell command whose $0 is the program, deletes
# the folder under it, so that every screenshot fails with a line, presses Print Screen TIMES
# times during a game, and quits with Escape.
play_failing_screenshots() { # WHAT TIMES COMMAND [ARGUMENT...]
    make_folder
    start_in "$WORK/play" bash -c "$3" "$TINYARCADE" "${@:4}"
    rm -rf "$WORK/play"
    key space
    for ((shots = 0; shots < $2; shots += 50)); do
        # Presses of one key closer than 2 ms would read as the key's own repeat.
        xdotool key --delay 6 $(printf "Print %.0s" $(seq 50))
        alive
    done
    key Escape Escape
    expect_exit "$1: Escape"
}

# Closed, descriptor 2 would be the display's connection, and our lines would go into it.
play_failing_screenshots "closed outputs" 50 'exec "$0" >&- 2>&-'
# The first line would end the program with SIGPIPE.
play_failing_screenshots "a reader that has gone" 50 'set -o pipefail; "$0" 2>&1 | true'
# A pipe with a reader that never reads fills up after some 60 KiB: the next line would block.
mkfifo "$WORK/unread"
exec 7<>"$WORK/unread"
play_failing_screenshots "a pipe nobody reads" 1000 'exec "$0" 2>"$1" 7<&-' "$WORK/unread"
