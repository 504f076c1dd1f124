# Starts a private X server for the program, for the end-to-end tests (and tools/measure.sh).
# Source it, then:
#
#   start_xvfb WIDTHxHEIGHTxDEPTH LOG   starts Xvfb, exports DISPLAY and sets XVFB_PID; returns 1
#                                       (with the server's own words in LOG) if none came up
#
# A random display number that no server holds: servers of runs side by side never meet, and
# none takes the number of a server that is still going away. The server's lock file names its
# process, which proves the display is ours; it is ready once a client gets an answer. -noreset
# keeps it as it is when its last client leaves: otherwise that first client's leaving, or a
# program's end, resets it, and a program started at that moment finds no display.
start_xvfb() { # SIZE LOG
    local try number deadline
    for try in $(seq 50); do
        number=$(($(od -An -N2 -tu2 /dev/urandom) % 900 + 100))
        [ -e "/tmp/.X$number-lock" ] && continue
        Xvfb ":$number" -noreset -nolisten tcp -screen 0 "$1" >"$2" 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$number"
        deadline=$((SECONDS + 60))
        while kill -0 "$XVFB_PID" 2>/dev/null && ((SECONDS < deadline)); do
            [ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$number-lock")" = "$XVFB_PID" ] &&
                xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
    done
    return 1
}
