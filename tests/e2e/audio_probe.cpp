// Reads the raw stream that SDL's disk audio driver wrote (signed 16-bit little-endian stereo
// at 44100 Hz) and checks that the first "jump" in it sounds whole, on the start grid, at the
// level playSound gives it (later ones meet the echoes of the first):
//
//   audio_probe STREAM
//
// Run from a folder holding dat/samples: the jump is decoded from there, as the game does.
// Prints what it found; exits 1 with a reason when a jump is wrong, 3 when there is none (yet).
#include "audio/sample_bank.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr long GRID = 2756;
constexpr int SAMPLE_JUMP = 16;
// The jump is asked for at 0.1, times 1.5 .. 1.5 + 1023/10000, and three quarters of that when
// its start had to be moved to a grid point that is not every fourth one.
constexpr double LEAST = 0.1 * 1.5 * 0.75, MOST = 0.1 * 1.6023;
// The first sound of all, on the grid too, may be a drum that begins with a few quiet frames.
constexpr long QUIET_HEAD = 16;

[[noreturn]] void fail(const std::string& why, int status = 1) {
    std::fflush(stdout);
    std::fprintf(stderr, "audio_probe: %s\n", why.c_str());
    std::exit(status);
}

// The stream as the mean of its two sides: the pan of every voice moves level from one side
// to the other and keeps the mean.
std::vector<double> readStream(const char* path) {
    FILE* file = std::fopen(path, "rb");
    if (!file) fail(std::string("cannot read ") + path);
    std::vector<double> mean;
    int16_t frame[2]; // little-endian, as this machine is
    while (std::fread(frame, sizeof frame, 1, file) == 1)
        mean.push_back((frame[0] + frame[1]) / 2.0);
    std::fclose(file);
    return mean;
}

// Least-squares level of `wave` in the stream from `start` on; `likeness` receives how much
// the stream there looks like the wave (the correlation coefficient, 1 for a perfect match).
double levelAt(const std::vector<double>& stream, long start, const SampleEntry& wave,
               double* likeness = nullptr) {
    double cross = 0, energy = 0, heard = 0;
    for (size_t i = 0; i < wave.length && start + i < stream.size(); ++i) {
        const double sample = wave.frames[i].left;
        cross += stream[start + i] * sample;
        energy += sample * sample;
        heard += stream[start + i] * stream[start + i];
    }
    if (energy == 0 || heard == 0) return 0;
    if (likeness) *likeness = cross / std::sqrt(energy * heard);
    return cross / energy;
}

int checkJump(const std::vector<double>& stream) {
    long first = 0;
    while (first < static_cast<long>(stream.size()) && stream[first] == 0) ++first;
    loadSample(SAMPLE_JUMP);
    const SampleEntry& jump = sampleBank[SAMPLE_JUMP];
    if (jump.length == 0) fail("no jump sample in dat/samples");
    for (long start = first;
         start + static_cast<long>(jump.length) < static_cast<long>(stream.size()); start += GRID) {
        const double level = levelAt(stream, start, jump);
        if (level < 0.05) continue;
        // The sound starts where it fits best near here, which must be on the grid.
        long bestAt = start;
        double bestLikeness = 0;
        for (long at = start - GRID / 2; at < start + GRID / 2; ++at) {
            double likeness = 0;
            levelAt(stream, at, jump, &likeness);
            if (likeness > bestLikeness) bestLikeness = likeness, bestAt = at;
        }
        const double bestLevel = levelAt(stream, bestAt, jump);
        const long offGrid = ((bestAt - first) % GRID + GRID) % GRID;
        std::printf("jump at frame %ld, %ld after the grid, level %.4f\n", bestAt, offGrid,
                    bestLevel);
        if (offGrid != 0 && offGrid < GRID - QUIET_HEAD) fail("the jump is off the grid");
        if (bestLevel < LEAST - 0.01 || bestLevel > MOST + 0.01)
            fail("jump level " + std::to_string(bestLevel) + " outside " + std::to_string(LEAST) +
                 " .. " + std::to_string(MOST));
        return 0;
    }
    fail("no jump in the stream", 3);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) fail("usage: audio_probe STREAM");
    return checkJump(readStream(argv[1]));
}
