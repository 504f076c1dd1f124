// One game tick with its picture: GameTitle::update followed by GameTitle::draw, against
// the 18 ms tick. The babies are put back before each tick so every measured tick has the same
// field; the heaviest case holds z (the emotions background) during the ending (the dissolve),
// which are the two layers that draw chance for every colour byte.
#include "display/palette.h"
#include "game/game_title.h"
#include "platform/chance.h"

#include <benchmark/benchmark.h>

namespace {

// Late in a game (band 5) a baby comes every 30 ticks and crosses the field in about 67, so
// two or three are on it; 12 is a crowded field, 64 far more than a game ever shows.
std::vector<Baby> fieldOf(int count) {
    std::vector<Baby> babies;
    for (int i = 0; i < count; i++) {
        float x = 30.0f - static_cast<float>(i % 30);
        float y = static_cast<float>(13 + (i * 7) % 22);
        babies.push_back({x, y});
    }
    return babies;
}

void runTicks(benchmark::State& state, bool emotions, bool ending) {
    initPalette();
    seedRandom(2024);
    GameTitle game(0.0f, 0.0f, 128.0f, 96.0f);
    const std::vector<Baby> field = fieldOf(static_cast<int>(state.range(0)));
    game.playerPos = 0;
    if (emotions) game.keyDown(KEY_Z);
    for (auto _ : state) {
        game.babies.assign(field.begin(), field.end());
        game.tickCount = 2001;
        game.ending = ending;
        game.endCountdown = ending ? 64 : ENDING_TICKS;
        game.update();
        // The ending ignores the keys; the picture still shows the background under test.
        game.emotions = emotions;
        game.draw();
        benchmark::DoNotOptimize(game.image.bytes);
    }
}

void BM_GameTickPlain(benchmark::State& state) {
    runTicks(state, false, false);
}
void BM_GameTickEmotions(benchmark::State& state) {
    runTicks(state, true, false);
}
void BM_GameTickEmotionsEnding(benchmark::State& state) {
    runTicks(state, true, true);
}

} // namespace

BENCHMARK(BM_GameTickPlain)->Arg(3)->Arg(12)->Arg(64)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GameTickEmotions)->Arg(3)->Arg(12)->Arg(64)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GameTickEmotionsEnding)->Arg(3)->Arg(12)->Arg(64)->Unit(benchmark::kMicrosecond);
