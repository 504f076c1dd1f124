# With no display to open, the program says why on one line and exits with status 1.
source "$(dirname "$0")/lib.sh"
make_folder
status=0
# XDG_RUNTIME_DIR keeps the Wayland library from adding its own complaint.
mkdir -m 700 "$WORK/runtime"
(cd "$WORK/play" && env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_RUNTIME_DIR="$WORK/runtime" \
    SDL_AUDIODRIVER=dummy timeout 20 "$TINYARCADE") >"$WORK/game.out" 2>"$WORK/game.err" || status=$?
[ "$status" = 1 ] || fail "exit status $status, wanted 1"
[ "$(wc -l <"$WORK/game.err")" = 1 ] || fail "wanted one line on standard error: $(cat "$WORK/game.err")"
grep -q "^tinyarcade: cannot open the window: ." "$WORK/game.err" || fail "$(cat "$WORK/game.err")"
echo "no display: $(cat "$WORK/game.err")"
