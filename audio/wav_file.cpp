// The WAV header: RIFF, a PCM format chunk, and the data chunk's head.
#include "audio/wav_file.h"

#include "audio/stereo_frame.h"

#include <cstring>

namespace {
constexpr uint32_t WAV_HEADER_BYTES = 44;
constexpr uint32_t FORMAT_CHUNK_BYTES = 16;
constexpr uint16_t PCM_FORMAT = 1;
constexpr int CHANNELS = 2;
constexpr int BYTES_PER_VALUE = 2;

void putLittle(unsigned char*& at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) *at++ = static_cast<unsigned char>(value >> (8 * i));
}

void putTag(unsigned char*& at, const char* tag) {
    std::memcpy(at, tag, 4);
    at += 4;
}
} // namespace

bool writeWavHeader(std::FILE* file, uint32_t frames) {
    unsigned char header[WAV_HEADER_BYTES];
    unsigned char* at = header;
    const uint32_t dataBytes = frames * STEREO_FRAME_BYTES;
    putTag(at, "RIFF");
    putLittle(at, WAV_HEADER_BYTES - 8 + dataBytes, 4);
    putTag(at, "WAVE");
    putTag(at, "fmt ");
    putLittle(at, FORMAT_CHUNK_BYTES, 4);
    putLittle(at, PCM_FORMAT, 2);
    putLittle(at, CHANNELS, 2);
    putLittle(at, SAMPLE_RATE, 4);
    putLittle(at, SAMPLE_RATE * STEREO_FRAME_BYTES, 4);
    putLittle(at, STEREO_FRAME_BYTES, 2);
    putLittle(at, 8 * BYTES_PER_VALUE, 2);
    putTag(at, "data");
    putLittle(at, dataBytes, 4);
    return std::fwrite(header, 1, sizeof header, file) == sizeof header;
}
