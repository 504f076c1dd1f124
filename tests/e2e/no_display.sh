# Without a display, or without the means to reach one, the program says why on one line and
# exits with status 1; with a broken OpenGL driver our line comes last, after the libraries'.
# When the X server goes away under a running game, on the front page or in a game, it ends
# with status 1 and one line, not with Xlib's lines, nor a crash while its sound still runs.
source "$(dirname "$0")/lib.sh"
make_folder
# No runtime folder either: no Wayland library may speak first.
expect_one_line "tinyarcade: cannot open the window: no display to show a window on$" \
    "$WORK/play" env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u XDG_RUNTIME_DIR \
    "$TINYARCADE"

start_display
# Room for 4 open files, and only the standard 3 open.
expect_one_line "tinyarcade: cannot open the window: too many open files" "$WORK/play" bash -c \
    'for fd in $(ls /proc/$$/fd); do ((fd < 3)) || eval "exec $fd>&-"; done
     ulimit -n 4 && exec "$0"' "$TINYARCADE"
expect_last_line() { # TEXT
    local status=0
    (cd "$WORK/play" && SDL_AUDIODRIVER=dummy LIBGL_DRIVERS_PATH=/nonexistent \
        timeout "$DEADLINE" "$TINYARCADE") >/dev/null 2>"$WORK/game.err" || status=$?
    [ "$status" = 1 ] && tail -n 1 "$WORK/game.err" | grep -q "^$1" ||
        fail "wanted status 1 and last '$1...', got $status: $(cat "$WORK/game.err")"
}
expect_last_line "tinyarcade: cannot open the window: the display refused OpenGL"

# Loses the display, after KEYS (none: on the front page).
lose_display() { # [KEYS...]
    start_game
    (($# == 0)) || xdotool "$@"
    kill "$XVFB_PID"
    expect_exit "losing the display" "" 1
    [ "$(cat "$WORK/game.err")" = "tinyarcade: the display went away" ] ||
        fail "losing the display said: $(cat "$WORK/game.err")"
    start_display
}
lose_display
lose_display key space keydown Up
