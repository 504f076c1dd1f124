# A game left alone ends in a time paradox on its own, and the front page shows its score.
source "$(dirname "$0")/lib.sh"
start_display
start_game

key Up
wait_for_game 0 0

# The first baby escapes within about 2.5 s unless the catcher happens to catch it; each catch
# buys a few seconds more. The ending then takes 2.3 s.
for try in $(seq 40); do
    sleep 0.5
    picture=$(shot)
    if scores=$("$PNG_PROBE" front "$picture" "$WORK/play/dat/tc0.txt" 2>/dev/null); then
        read -r last best <<<"$scores"
        [ "$last" -ge 0 ] && [ "$last" = "$best" ] || fail "front page shows '$scores' after one game"
        key Escape
        expect_exit_zero "Escape on the front page"
        echo "time paradox after about $((try / 2)) s, score $last: ok"
        exit 0
    fi
done
fail "the game never ended by itself"
