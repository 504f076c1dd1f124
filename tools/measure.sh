#!/bin/bash
# Measures tinyarcade's speed and appetite: the benchmarks against their real-time budgets, and
# the running program under Xvfb: CPU on the front page and during games, peak memory, and the
# time from start to the first frame on screen.
#
#   tools/measure.sh [BUILD_DIR] [SCREEN...]
#
# BUILD_DIR (default build-release) gets a Release build with the benchmarks. Each SCREEN
# (default 1280x960) is a Xvfb screen size to run the program at; give two, such as
# "1280x960 640x480", to see what the window's size costs. Needs xvfb and xdotool, and
# Google Benchmark for the benchmarks. Sound goes to SDL's dummy driver, which still runs the
# mixer in real time. With perf installed it also names where the CPU time goes (PROFILE=0
# leaves that out).
set -euo pipefail

SOURCE=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(realpath -m "${1:-$SOURCE/build-release}")
shift || true
SCREENS=("${@:-1280x960}")
SECONDS_MEASURED=10
source "$SOURCE/tests/e2e/xvfb.bash"

WORK=$(mktemp -d "${TMPDIR:-/tmp}/tinyarcade-measure.XXXXXX")
XVFB_PID=
GAME_PID=
cleanup() {
    [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null || true
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

cmake -S "$SOURCE" -B "$BUILD" -DCMAKE_BUILD_TYPE=Release -DTINYARCADE_BENCH=ON >/dev/null
cmake --build "$BUILD" -j2 --target tinyarcade audio_mix game_tick render_frame frame_times \
    >/dev/null

echo "== Benchmarks (Release, CPU time against the budget: a 2048-frame buffer lasts 46.4 ms,"
echo "   a tick 18 ms)"
# Prints each benchmark's name, CPU time and share of BUDGET (in microseconds), from the
# JSON report, whose fields come one to a line.
bench() { # EXECUTABLE FILTER BUDGET
    "$BUILD/bench/$1" --benchmark_filter="$2" --benchmark_format=json 2>/dev/null |
        awk -v budget="$3" '
            /"name":/ { gsub(/[",]/, "", $2); name = $2 }
            /"cpu_time":/ { gsub(/,/, "", $2); cpu = $2 }
            /"time_unit":/ { gsub(/[",]/, "", $2)
                us = cpu * ($2 == "ns" ? 0.001 : $2 == "ms" ? 1000 : $2 == "s" ? 1e6 : 1)
                printf "%-32s %9.1f us   %.4f of the budget\n", name, us, us / budget }'
}
bench audio_mix 'BM_AudioBufferAllVoices' 46440
bench game_tick 'BM_GameTick(Plain/3|EmotionsEnding/64)$' 18000
bench render_frame '.' 18000

# The program, run in a folder of its own with its data.
mkdir -p "$WORK/play"
cp -r "$SOURCE/dat" "$WORK/play/"

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat"; }
CLOCK_TICKS=$(getconf CLK_TCK)

frames() { cat "$WORK/frames" 2>/dev/null || echo 0; }

# CPU seconds the program used per wall second over SECONDS_MEASURED, while KEEP runs each
# half second (a key that keeps the program in the state wanted), with frames per second and
# CPU milliseconds per frame.
cpu_share() { # KEEP
    local start_ticks start_time start_frames end_ticks end_time end_frames
    start_ticks=$(cpu_ticks)
    start_frames=$(frames)
    start_time=$EPOCHREALTIME
    local end=$((${start_time/./} + SECONDS_MEASURED * 1000000))
    while ((${EPOCHREALTIME/./} < end)); do
        [ -n "$1" ] && xdotool key "$1"
        sleep 0.5
    done
    end_ticks=$(cpu_ticks)
    end_frames=$(frames)
    end_time=$EPOCHREALTIME
    awk -v t="$((end_ticks - start_ticks))" -v hz="$CLOCK_TICKS" -v a="$start_time" \
        -v b="$end_time" -v f="$((end_frames - start_frames))" 'BEGIN {
            cpu = t / hz; wall = b - a
            printf "%.2f CPU s per s over %.0f s; %.1f frames per s, %.1f CPU ms per frame",
                cpu / wall, wall, f / wall, f ? cpu * 1000 / f : 0 }'
}

# Where the time went: CPU samples over 5 s by thread, by library, and the program's own
# busiest functions, while KEEP runs each half second as above. Mesa's llvmpipe runs its
# rasteriser on threads "llvmpipe-N" in code it compiles at run time ("[JIT]").
profile() { # KEEP
    [ "${PROFILE:-1}" = 1 ] && command -v perf >/dev/null || return 0
    perf record -q -F 499 -o "$WORK/perf.data" -p "$GAME_PID" -- sleep 5 >/dev/null 2>&1 &
    local recorder=$! status=0
    while kill -0 "$recorder" 2>/dev/null; do
        [ -n "$1" ] && xdotool key "$1"
        sleep 0.5
    done
    wait "$recorder" || status=$?
    [ "$status" = 0 ] || return 0
    local sort
    for sort in comm dso; do
        echo "   CPU samples by ${sort/comm/thread} (perf, 5 s):"
        perf report -i "$WORK/perf.data" --sort "$sort" --stdio 2>/dev/null |
            awk '/^ +[0-9.]+%/ && $1 + 0 >= 0.5 { printf "     %7s  %s\n", $1, $2 }'
    done
    echo "   the program's own busiest functions:"
    perf report -i "$WORK/perf.data" --dsos tinyarcade --sort sym --stdio 2>/dev/null |
        awk '/^ +[0-9.]+%/ && n++ < 4 { $2 = ""; printf "     %7s %s\n", $1, $0 }' |
        sed 's/^\( *[0-9.]*%\) *[0-9.]*% */\1  /'
}

for screen in "${SCREENS[@]}"; do
    echo "== The program under Xvfb at $screen (sound: SDL dummy driver)"
    start_xvfb "${screen}x24" "$WORK/xvfb.log" || { cat "$WORK/xvfb.log" >&2 && exit 1; }

    started=$EPOCHREALTIME
    (cd "$WORK/play" && LD_PRELOAD="$BUILD/tools/libframe_times.so" SDL_AUDIODRIVER=dummy \
        TINYARCADE_FRAME_COUNT="$WORK/frames" exec "$BUILD/tinyarcade") 2>"$WORK/game.err" &
    GAME_PID=$!
    for try in $(seq 100); do
        grep -q "first frame at" "$WORK/game.err" && break
        sleep 0.1
    done
    shown=$(awk '/first frame at/ { print $NF }' "$WORK/game.err")
    awk -v a="$started" -v b="$shown" \
        'BEGIN { printf "start to first frame:          %.0f ms\n", (b - a) * 1000 }'
    # Let start-up settle: the sample loader decodes its files on a thread of its own.
    sleep 2

    echo "front page:                    $(cpu_share "")"
    profile ""
    # Space starts a game from the front page and means nothing in one, so a game runs
    # nearly all the time; games that end by themselves are started again within 0.5 s.
    xdotool key space
    echo "game:                          $(cpu_share space)"
    profile space
    echo "peak memory (VmHWM):           $(awk '/VmHWM/ { print $2, $3 }' "/proc/$GAME_PID/status")"

    # Escape leaves the game; Down on the front page then quits.
    xdotool key Escape
    sleep 0.5
    kill -0 "$GAME_PID" 2>/dev/null && xdotool key Down
    status=0
    wait "$GAME_PID" || status=$?
    GAME_PID=
    echo "exit status:                   $status"
    kill "$XVFB_PID"
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
done
