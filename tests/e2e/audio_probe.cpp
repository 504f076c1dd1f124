// Reads the raw stream that SDL's disk audio driver wrote (signed 16-bit little-endian stereo
// at 44100 Hz) and checks that the first "jump" in it sounds whole, on the start grid, at the
// level playSound gives it (later ones meet the echoes of the first):
//
//   audio_probe STREAM
//
// Run from a folder holding dat/samples: the jump is decoded from there, as the game does.
// Prints what it found ("jump at ..." or "no jump"); exits 1 when the jump is wrong.
#include "audio/audio_state.h"
#include "audio/sample_bank.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr long GRID = 2756;
constexpr int SAMPLE_JUMP = 16;
// The jump is asked for at 0.1, times 1.5 .. 1.5 + 1023/10000, and three quarters of that when
// its start had to be moved to a grid point that is not every fourth one.
constexpr double LEAST = 0.1 * 1.5 * 0.75, MOST = 0.1 * 1.6023;
// The first sound of all, on the grid too, may be a drum that begins with a few quiet frames.
constexpr long QUIET_HEAD = 16;

struct Fit {
    double level, likeness;
};

// The least-squares level of the wave in the stream from `start` on, and how much the stream
// there looks like it (the correlation coefficient, 1 for a perfect match).
Fit fitAt(const std::vector<double>& stream, long start, const SampleEntry& wave) {
    double cross = 0, energy = 0, heard = 0;
    for (size_t i = 0; i < wave.length && start + i < stream.size(); ++i) {
        const double sample = wave.frames[i].left;
        cross += stream[start + i] * sample;
        energy += sample * sample;
        heard += stream[start + i] * stream[start + i];
    }
    if (energy == 0 || heard == 0) return {0, 0};
    return {cross / energy, cross / std::sqrt(energy * heard)};
}

} // namespace

int main(int argc, char** argv) {
    FILE* file = argc == 2 ? std::fopen(argv[1], "rb") : nullptr;
    loadSample(SAMPLE_JUMP);
    const SampleEntry& jump = audio.sampleBank[SAMPLE_JUMP];
    if (!file || jump.length == 0) {
        std::fprintf(stderr, "usage: audio_probe STREAM, from a folder with dat/samples\n");
        return 2;
    }
    // The stream as the mean of its two sides: the pan of every voice moves level from one side
    // to the other and keeps the mean.
    std::vector<double> stream;
    int16_t frame[2]; // little-endian, as this machine is
    while (std::fread(frame, sizeof frame, 1, file) == 1)
        stream.push_back((frame[0] + frame[1]) / 2.0);
    std::fclose(file);
    const long end = static_cast<long>(stream.size()) - static_cast<long>(jump.length);
    long first = 0;
    while (first < end && stream[first] == 0) ++first;
    for (long start = first; start < end; start += GRID) {
        if (fitAt(stream, start, jump).level < 0.05) continue;
        // The sound starts where it fits best near here, which must be on the grid.
        long at = start;
        for (long near = start - GRID / 2; near < start + GRID / 2; ++near)
            if (fitAt(stream, near, jump).likeness > fitAt(stream, at, jump).likeness) at = near;
        const double level = fitAt(stream, at, jump).level;
        const long offGrid = ((at - first) % GRID + GRID) % GRID;
        std::printf("jump at frame %ld, %ld after the grid, level %.4f (%.4f .. %.4f)\n", at,
                    offGrid, level, LEAST, MOST);
        const bool onGrid = offGrid == 0 || offGrid >= GRID - QUIET_HEAD;
        return onGrid && level >= LEAST - 0.01 && level <= MOST + 0.01 ? 0 : 1;
    }
    std::printf("no jump in the stream\n");
    return 0;
}
