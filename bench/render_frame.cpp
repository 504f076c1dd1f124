// One rendered frame's work on the main thread against the 18 ms tick, through renderFrame with
// the null OpenGL edge of the tests: on the front page, clearing the picture, drawing the front
// page into it (title, title picture, instructions, blink, scores) and turning it into the
// screen texture's texels; during a game, building the game's picture. What OpenGL then does
// with the texture is not part of it.
//
// The counter tick_fraction is the time one frame takes over one tick (18 ms).
#include "display/palette.h"
#include "frame/frame_state.h"
#include "frame/render.h"
#include "frame/screens.h"
#include "frame/title_picture.h"
#include "platform/chance.h"

#include <benchmark/benchmark.h>

namespace {

constexpr double TICK_SECONDS = 0.018;

void reportTickFraction(benchmark::State& state) {
    state.counters["tick_fraction"] = benchmark::Counter(
        TICK_SECONDS, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_FrontPageFrame(benchmark::State& state) {
    frame = FrameState{};
    initPalette();
    // The game's own picture, and two scores so that both score lines are drawn.
    readTitlePicture(TINYARCADE_SOURCE_DIR "/dat/tc0.txt");
    frame.lastScore = 12;
    frame.bestScore = 345;
    for (auto _ : state) renderFrame();
    reportTickFraction(state);
}
BENCHMARK(BM_FrontPageFrame)->Unit(benchmark::kMicrosecond);

void BM_GameFrame(benchmark::State& state) {
    frame = FrameState{};
    initPalette();
    seedRandom(2024);
    startGame();
    for (auto _ : state) renderFrame();
    endGame();
    reportTickFraction(state);
}
BENCHMARK(BM_GameFrame)->Unit(benchmark::kMicrosecond);

} // namespace
