// Channel layout and rate conversion of decoded frames.
#include "audio/decoded_frames.h"

#include <cmath>

void framesFromDecoded(const short* decoded, int channels, uint32_t frameCount,
                       StereoFrame* frames) {
    if (channels < 1) return;
    for (uint32_t frame = 0; frame < frameCount; ++frame) {
        const short* first = decoded + static_cast<size_t>(frame) * channels;
        // One channel sounds the same on both sides; past two, the rest are dropped.
        frames[frame].left = first[0];
        frames[frame].right = channels == 1 ? first[0] : first[1];
    }
}

namespace {
// The value `fraction` / SAMPLE_RATE of the way from a to b, rounded to the nearest.
int16_t between(int16_t a, int16_t b, uint64_t fraction) {
    const double weight = static_cast<double>(fraction) / SAMPLE_RATE;
    return static_cast<int16_t>(std::lround(a + (b - a) * weight));
}
} // namespace

void convertRate(RateConverter& converter, const StereoFrame* in, size_t count,
                 std::vector<StereoFrame>& out, size_t limit) {
    if (count == 0) return;
    const uint64_t total = converter.framesIn + count;
    while (out.size() < limit) {
        const uint64_t position = converter.framesOut * converter.rate;
        const uint64_t index = position / SAMPLE_RATE;
        if (index + 1 >= total) break;
        // Every earlier output frame lay before the last frame of the earlier pieces, so
        // `index` is that frame or one of this piece.
        const StereoFrame a =
            index < converter.framesIn ? converter.lastIn : in[index - converter.framesIn];
        const StereoFrame b = in[index + 1 - converter.framesIn];
        const uint64_t fraction = position % SAMPLE_RATE;
        out.push_back({between(a.left, b.left, fraction), between(a.right, b.right, fraction)});
        ++converter.framesOut;
    }
    converter.framesIn = total;
    converter.lastIn = in[count - 1];
}

void finishRate(RateConverter& converter, std::vector<StereoFrame>& out, size_t limit) {
    while (out.size() < limit &&
           converter.framesOut * converter.rate / SAMPLE_RATE < converter.framesIn) {
        out.push_back(converter.lastIn);
        ++converter.framesOut;
    }
}
