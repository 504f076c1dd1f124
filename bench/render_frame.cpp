// One rendered frame's picture work against the 18 ms tick: clear the picture, draw the front
// page into it (title, title picture, instructions, blink, scores) and turn it into the
// screen texture's texels through the palette. During a game the picture is only cleared and
// converted. The upload and drawing on the GPU side are not part of it.
//
// The counter tick_fraction is the time one frame takes over one tick (18 ms).
#include "display/palette.h"
#include "display/picture.h"
#include "frame/frame_state.h"
#include "frame/front_page.h"
#include "frame/title_picture.h"

#include <benchmark/benchmark.h>

namespace {

constexpr double TICK_SECONDS = 0.018;

uint8_t texels[TEXTURE_BYTES];

void reportTickFraction(benchmark::State& state) {
    state.counters["tick_fraction"] = benchmark::Counter(
        TICK_SECONDS, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_FrontPageFrame(benchmark::State& state) {
    initPalette();
    // The game's own picture, and two scores so that both score lines are drawn.
    readTitlePicture(TINYARCADE_SOURCE_DIR "/dat/tc0.txt");
    frame.lastScore = 12;
    frame.bestScore = 345;
    for (auto _ : state) {
        frame.frameCounter++;
        clearPicture();
        drawFrontPage();
        convertPictureToTexels(texels);
        benchmark::DoNotOptimize(texels);
    }
    reportTickFraction(state);
}
BENCHMARK(BM_FrontPageFrame)->Unit(benchmark::kMicrosecond);

void BM_GameFramePicture(benchmark::State& state) {
    initPalette();
    for (auto _ : state) {
        frame.frameCounter++;
        clearPicture();
        convertPictureToTexels(texels);
        benchmark::DoNotOptimize(texels);
    }
    reportTickFraction(state);
}
BENCHMARK(BM_GameFramePicture)->Unit(benchmark::kMicrosecond);

} // namespace
