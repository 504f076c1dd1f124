# Without a display the program says why on one line and exits with status 1. When the X server
# goes away under a running game, it ends with status 1 (Xlib's verdict), not with an abort
# while its sample loader is still busy.
source "$(dirname "$0")/lib.sh"
make_folder
status=0
# XDG_RUNTIME_DIR keeps the Wayland library from adding its own complaint.
mkdir -m 700 "$WORK/runtime"
(cd "$WORK/play" && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_RUNTIME_DIR="$WORK/runtime" \
    SDL_AUDIODRIVER=dummy timeout 20 "$TINYARCADE") >"$WORK/game.out" 2>"$WORK/game.err" || status=$?
[ "$status" = 1 ] && [ "$(wc -l <"$WORK/game.err")" = 1 ] &&
    grep -q "^tinyarcade: cannot open the window: ." "$WORK/game.err" ||
    fail "no display: status $status, wanted 1 and one line: $(cat "$WORK/game.err")"

start_display
start_game
key space
kill "$XVFB_PID"
wait "$XVFB_PID" 2>/dev/null || true
XVFB_PID=
expect_exit "losing the display" "" 1
echo "no display: one line and status 1; display lost: status 1"
