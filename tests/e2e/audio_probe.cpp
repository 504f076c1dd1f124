// Reads the raw stream that SDL's disk audio driver wrote (signed 16-bit little-endian stereo
// at 44100 Hz) and checks, from the rules alone, that the first "jump" in it sounds whole, on
// the start grid, at the level playSound gives it (later ones meet the echoes of the first):
//
//   audio_probe STREAM
//
// Run from a folder holding dat/samples: the jump is decoded from there, as the game does.
// Prints what it found; exits 1 with a reason when a jump is wrong, 3 when there is none (yet).
#include "audio/sample_bank.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr long GRID = 2756;
constexpr long STEP = 11025;
constexpr long DEVICE_BUFFER = 2048;
constexpr int SAMPLE_JUMP = 16;
// A voice's volume is asked for times 1.5 .. 1.5 + 1023/10000, and three quarters of that
// when its start had to be moved to a grid point that is not every fourth one.
constexpr double BOOST_LOW = 1.5, BOOST_HIGH = 1.6023, OFF_ACCENT = 0.75;

constexpr int NOT_HEARD = 3;

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
    unsigned char frame[4];
    while (std::fread(frame, 1, 4, file) == 4) {
        auto left = static_cast<int16_t>(frame[0] | frame[1] << 8);
        auto right = static_cast<int16_t>(frame[2] | frame[3] << 8);
        mean.push_back((left + right) / 2.0);
    }
    std::fclose(file);
    return mean;
}

std::vector<double> sampleWave(int index) {
    loadSample(index);
    const SampleEntry& entry = sampleBank[index];
    if (entry.length == 0)
        fail(std::string("no sample ") + SAMPLE_NAMES[index] + " in dat/samples");
    std::vector<double> wave;
    for (uint32_t i = 0; i < entry.length; ++i) wave.push_back(entry.frames[i].left);
    return wave;
}

// The frame at which the callback's first buffer begins. The device may write whole silent
// buffers before it, so it is a multiple of 2048; the first sound starts either at it (a note
// of step 0) or at a grid point 4k + 1 after it (a start moved from step k to the grid), give
// or take a few quiet frames at the head of a drum.
long findClockOrigin(const std::vector<double>& stream) {
    long first = 0;
    while (first < static_cast<long>(stream.size()) && stream[first] == 0) ++first;
    if (first == static_cast<long>(stream.size())) fail("the stream is silent");
    for (long quiet = 0; quiet <= 16; ++quiet) {
        for (long origin = (first - quiet) / DEVICE_BUFFER * DEVICE_BUFFER; origin >= 0;
             origin -= DEVICE_BUFFER) {
            const long since = first - quiet - origin;
            if (since == 0 || (since % GRID == 0 && (since / GRID) % 4 == 1)) return origin;
        }
    }
    fail("the first sound at frame " + std::to_string(first) + " is on no step's grid point");
}

double expectedBoost(long origin, long start, bool low) {
    const long point = (start - origin) / GRID;
    const long stepClock = (start - origin) - (start - origin) % STEP;
    const bool moved = stepClock != start - origin && point % 4 != 0;
    return (low ? BOOST_LOW : BOOST_HIGH) * (moved ? OFF_ACCENT : 1.0);
}

// Least-squares level of `wave` in the stream from `start` on; `likeness` receives how much
// the stream there looks like the wave (the correlation coefficient, 1 for a perfect match).
double levelAt(const std::vector<double>& stream, long start, const std::vector<double>& wave,
               double* likeness = nullptr) {
    double cross = 0, energy = 0, heard = 0;
    for (size_t i = 0;
         i < wave.size() && start + static_cast<long>(i) < static_cast<long>(stream.size()); ++i) {
        cross += stream[start + i] * wave[i];
        energy += wave[i] * wave[i];
        heard += stream[start + i] * stream[start + i];
    }
    if (energy == 0 || heard == 0) return 0;
    if (likeness) *likeness = cross / std::sqrt(energy * heard);
    return cross / energy;
}

int checkJump(const std::vector<double>& stream) {
    const long origin = findClockOrigin(stream);
    const std::vector<double> jump = sampleWave(SAMPLE_JUMP);
    for (long start = origin;
         start + static_cast<long>(jump.size()) < static_cast<long>(stream.size()); start += GRID) {
        const double level = levelAt(stream, start, jump);
        if (level < 0.05) continue;
        // The sound starts exactly here: no other frame near it fits better.
        long bestAt = start;
        double bestLikeness = 0;
        for (long at = start - GRID / 2; at < start + GRID / 2; ++at) {
            double likeness = 0;
            levelAt(stream, at, jump, &likeness);
            if (likeness > bestLikeness) bestLikeness = likeness, bestAt = at;
        }
        const double least = 0.1 * expectedBoost(origin, start, true);
        const double most = 0.1 * expectedBoost(origin, start, false);
        std::printf("jump at grid point %ld (frame %ld), level %.4f, best fit at %+ld\n",
                    (start - origin) / GRID, start, level, bestAt - start);
        if (bestAt != start) fail("the jump does not start on its grid point");
        if (level < least - 0.01 || level > most + 0.01)
            fail("jump level " + std::to_string(level) + " outside " + std::to_string(least) +
                 " .. " + std::to_string(most));
        return 0;
    }
    fail("no jump in the stream", NOT_HEARD);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) fail("usage: audio_probe STREAM");
    return checkJump(readStream(argv[1]));
}
