// Reads the raw stream that SDL's disk audio driver wrote (signed 16-bit little-endian stereo
// at 44100 Hz) and checks what the game's sound must do, from the rules alone:
//
//   audio_probe notes STREAM FRAMES     square notes at the front page's level sound in the
//                                       stream's first FRAMES frames
//   audio_probe jump STREAM             the "jump" sample sounds on the grid at its level
//   audio_probe drums STREAM MIN_STEPS  a drum at the busy music's level on every step of a
//                                       run of at least MIN_STEPS steps
//
// Run from a folder holding dat/samples: the samples are decoded from there, as the game does.
// Prints what it found; exits 1 with a reason when a check fails, 3 when what it looks for is
// not (yet) in the stream.
#include "audio/sample_bank.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr long GRID = 2756;
constexpr long STEP = 11025;
constexpr long DEVICE_BUFFER = 2048;
constexpr int SAMPLE_JUMP = 16;
constexpr int DRUM_COUNT = 16;
// A voice's volume is asked for times 1.5 .. 1.5 + 1023/10000, and three quarters of that
// when its start had to be moved to a grid point that is not every fourth one.
constexpr double BOOST_LOW = 1.5, BOOST_HIGH = 1.6023, OFF_ACCENT = 0.75;

constexpr int NOT_HEARD = 3;

[[noreturn]] void fail(const std::string& why, int status = 1) {
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

// Where a start at step k's first frame lands: on the next grid point.
long stepStart(long origin, long step) {
    const long clock = step * STEP;
    return origin + (clock % GRID == 0 ? clock : (clock / GRID + 1) * GRID);
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

// ---- notes -------------------------------------------------------------------------------

// Level of a square tone of `hertz` whose phase counts from `activation`, over [from, to).
double squareLevel(const std::vector<double>& stream, long activation, long from, long to,
                   int hertz) {
    double sum = 0;
    for (long t = from; t < to; ++t) {
        const long phase = (static_cast<long>(hertz) * (t - activation)) % 44100;
        sum += phase < 22050 ? -stream[t] : stream[t];
    }
    return sum / static_cast<double>(to - from);
}

int checkNotes(const std::vector<double>& stream) {
    const long origin = findClockOrigin(stream);
    int found = 0;
    for (long step = 0;; ++step) {
        const long start = stepStart(origin, step);
        if (start + STEP >= static_cast<long>(stream.size())) break;
        // The note's phase counts from its activation at the step's first frame.
        const long activation = origin + step * STEP;
        int best = 0;
        double bestLevel = 0;
        for (int hertz = 20; hertz <= 3500; ++hertz) {
            const double level =
                squareLevel(stream, activation, start + 16, start + STEP - 16, hertz);
            if (level > bestLevel) bestLevel = level, best = hertz;
        }
        // 16383 x volume 0.035 .. 0.04 x the boost. Echoes of earlier notes reach about a
        // third of a note's level, and more where several of one tone pile up: below the least
        // a note can have, the step is an echo or a note too buried to judge.
        const double least = 16383 * 0.035 * expectedBoost(origin, start, true);
        const double most = 16383 * 0.04 * expectedBoost(origin, start, false);
        if (bestLevel < least * 0.9) continue;
        std::printf("step %ld: %d Hz at level %.0f\n", step, best, bestLevel);
        if (bestLevel > most * 1.5)
            fail("step " + std::to_string(step) + ": level " + std::to_string(bestLevel) +
                 " outside " + std::to_string(least) + " .. " + std::to_string(most));
        ++found;
    }
    if (found < 6) fail("only " + std::to_string(found) + " notes found");
    std::printf("%d notes at the front page's level\n", found);
    return 0;
}

// ---- jump --------------------------------------------------------------------------------

int checkJump(const std::vector<double>& stream) {
    const long origin = findClockOrigin(stream);
    const std::vector<double> jump = sampleWave(SAMPLE_JUMP);
    int found = 0;
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
        ++found;
    }
    if (found == 0) fail("no jump in the stream", NOT_HEARD);
    return 0;
}

// ---- drums -------------------------------------------------------------------------------

// How well drum `wave` explains the stream from `start` on, next to a square note of `hertz`
// activated at `activation` that starts at the same grid point: a least-squares fit of both
// over the drum's head. Returns the share of the stream's energy there that the drum adds to
// what the note alone explains, and its level through `level`.
double drumFit(const std::vector<double>& stream, long start, long activation, int hertz,
               const std::vector<double>& wave, double& level) {
    const long length = std::min<long>(static_cast<long>(wave.size()), GRID);
    double dd = 0, qq = 0, dq = 0, xd = 0, xq = 0, xx = 0;
    for (long i = 0; i < length; ++i) {
        const long t = start + i;
        const double q = (static_cast<long>(hertz) * (t - activation)) % 44100 < 22050 ? -1 : 1;
        const double d = wave[i], x = stream[t];
        dd += d * d, qq += q * q, dq += d * q, xd += x * d, xq += x * q, xx += x * x;
    }
    const double determinant = dd * qq - dq * dq;
    if (determinant <= 0 || xx == 0) return level = 0;
    level = (xd * qq - xq * dq) / determinant;
    const double note = (xq * dd - xd * dq) / determinant;
    const double explained = level * xd + note * xq;
    return (explained - xq * xq / qq) / xx;
}

int checkDrums(const std::vector<double>& stream, int minimumRun) {
    const long origin = findClockOrigin(stream);
    std::vector<std::vector<double>> drums;
    for (int k = 0; k < DRUM_COUNT; ++k) drums.push_back(sampleWave(k));
    int run = 0, longest = 0;
    for (long step = 0;; ++step) {
        const long start = stepStart(origin, step);
        if (start + STEP >= static_cast<long>(stream.size())) break;
        // Every busy step also starts a note here; find its tone first.
        const long activation = origin + step * STEP;
        int hertz = 20;
        double noteLevel = 0;
        for (int candidate = 20; candidate <= 3500; ++candidate) {
            const double level = squareLevel(stream, activation, start, start + GRID, candidate);
            if (level > noteLevel) noteLevel = level, hertz = candidate;
        }
        int best = 0;
        double bestShare = 0, bestLevel = 0;
        for (int k = 0; k < DRUM_COUNT; ++k) {
            double level = 0;
            const double share = drumFit(stream, start, activation, hertz, drums[k], level);
            if (share > bestShare) bestShare = share, bestLevel = level, best = k;
        }
        // The busy game music: on steps 0, 4, 8, 12 a heavy drum at 0.4, otherwise a light one
        // at 0.3 or a heavy one at 0.4.
        const double volume = best >= 8 ? 0.4 : 0.3;
        const bool level = bestLevel > volume * expectedBoost(origin, start, true) - 0.05 &&
                           bestLevel < volume * expectedBoost(origin, start, false) + 0.05;
        const bool busy = level && (step % 4 != 0 || best >= 8);
        std::printf("step %ld: %s at level %.3f, share %.2f, note %d Hz%s\n", step,
                    SAMPLE_NAMES[best], bestLevel, bestShare, hertz, busy ? " (busy)" : "");
        run = busy ? run + 1 : 0;
        if (run > longest) longest = run;
    }
    std::printf("longest run of steps with a busy drum: %d\n", longest);
    if (longest < minimumRun)
        fail("fewer than " + std::to_string(minimumRun) + " steps in a row", NOT_HEARD);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc != 3 + (std::strcmp(argv[1], "jump") != 0))
        fail("usage: audio_probe notes STREAM FRAMES | jump STREAM | drums STREAM MIN_STEPS");
    std::vector<double> stream = readStream(argv[2]);
    if (!std::strcmp(argv[1], "jump")) return checkJump(stream);
    if (!std::strcmp(argv[1], "drums")) return checkDrums(stream, std::atoi(argv[3]));
    stream.resize(std::min(stream.size(), static_cast<size_t>(std::atol(argv[3]))));
    if (!std::strcmp(argv[1], "notes")) return checkNotes(stream);
    fail(std::string("unknown check ") + argv[1]);
}
