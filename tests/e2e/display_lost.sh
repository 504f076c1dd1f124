# When the X server goes away under a running game, the program ends with status 1 (Xlib's
# verdict), not with an abort while its sample loader is still busy.
source "$(dirname "$0")/lib.sh"
start_display
start_game
key space
kill "$XVFB_PID"
wait "$XVFB_PID" 2>/dev/null || true
XVFB_PID=
for try in $(seq 100); do
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.1
done
status=0
wait "$GAME_PID" || status=$?
GAME_PID=
[ "$status" = 1 ] || fail "losing the display ended the program with status $status: $(cat "$WORK/game.err")"
echo "display lost: status 1"
