// render_music: lets a person listen to the music without the game. Loads the samples from
// dat/samples (relative to the working folder; missing ones stay silent), then runs the mixer
// and one music generator offline and writes what the sound card would have played as a 16-bit
// stereo 44100 Hz WAV file.
//
//     render_music front|calm|busy SECONDS OUT.wav
//
// front is the front page's music, calm and busy the game's two modes. The music is the same
// on every run, as in the game. Never opens a sound device; the game itself takes no options.
#include "audio/audio_state.h"
#include "audio/callback.h"
#include "audio/device.h"
#include "audio/loader.h"
#include "audio/music.h"
#include "audio/sample_bank.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The renderer runs the mixer in the same steps as the callback.
constexpr int BUFFER_FRAMES = DEVICE_BUFFER_FRAMES;
constexpr double LONGEST_SECONDS = 3600.0;
constexpr int CHANNELS = 2;
constexpr int BYTES_PER_VALUE = 2;
constexpr int BYTES_PER_FRAME = STEREO_FRAME_BYTES;
constexpr uint32_t WAV_HEADER_BYTES = 44;
constexpr uint32_t FORMAT_CHUNK_BYTES = 16;
constexpr uint16_t PCM_FORMAT = 1;

struct Music {
    bool frontPage;
    bool emotions;
};

bool musicNamed(const char* name, Music& music) {
    if (std::strcmp(name, "front") == 0)
        music = {true, false};
    else if (std::strcmp(name, "calm") == 0)
        music = {false, false};
    else if (std::strcmp(name, "busy") == 0)
        music = {false, true};
    else
        return false;
    return true;
}

void putLittle(unsigned char*& at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) *at++ = static_cast<unsigned char>(value >> (8 * i));
}

void putTag(unsigned char*& at, const char* tag) {
    std::memcpy(at, tag, 4);
    at += 4;
}

bool writeHeader(std::FILE* file, uint32_t frames) {
    unsigned char header[WAV_HEADER_BYTES];
    unsigned char* at = header;
    uint32_t dataBytes = frames * BYTES_PER_FRAME;
    putTag(at, "RIFF");
    putLittle(at, WAV_HEADER_BYTES - 8 + dataBytes, 4);
    putTag(at, "WAVE");
    putTag(at, "fmt ");
    putLittle(at, FORMAT_CHUNK_BYTES, 4);
    putLittle(at, PCM_FORMAT, 2);
    putLittle(at, CHANNELS, 2);
    putLittle(at, SAMPLE_RATE, 4);
    putLittle(at, SAMPLE_RATE * BYTES_PER_FRAME, 4);
    putLittle(at, BYTES_PER_FRAME, 2);
    putLittle(at, 8 * BYTES_PER_VALUE, 2);
    putTag(at, "data");
    putLittle(at, dataBytes, 4);
    return std::fwrite(header, 1, sizeof header, file) == sizeof header;
}

bool writeFrames(std::FILE* file, const StereoFrame* frames, int count) {
    uint8_t bytes[BUFFER_FRAMES * BYTES_PER_FRAME];
    writeStereoFrames(frames, count, bytes);
    size_t size = static_cast<size_t>(count) * BYTES_PER_FRAME;
    return std::fwrite(bytes, 1, size, file) == size;
}

bool render(std::FILE* file, Music music, uint32_t frames) {
    if (!writeHeader(file, frames)) return false;
    StereoFrame buffer[BUFFER_FRAMES];
    SlotList finished{};
    for (uint32_t done = 0; done < frames;) {
        int count = static_cast<int>(frames - done < BUFFER_FRAMES ? frames - done : BUFFER_FRAMES);
        finished.count = 0;
        produceFrames(buffer, count, music.frontPage, music.emotions, finished);
        if (!writeFrames(file, buffer, count)) return false;
        done += static_cast<uint32_t>(count);
    }
    return true;
}

int usage() {
    std::fprintf(stderr, "usage: render_music front|calm|busy SECONDS OUT.wav\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    Music music{};
    if (argc != 4 || !musicNamed(argv[1], music)) return usage();
    char* end = nullptr;
    double seconds = std::strtod(argv[2], &end);
    if (*end != '\0' || !(seconds > 0.0) || seconds > LONGEST_SECONDS) return usage();
    uint32_t frames = static_cast<uint32_t>(seconds * SAMPLE_RATE);

    std::FILE* file = std::fopen(argv[3], "wb");
    if (file == nullptr) {
        std::fprintf(stderr, "render_music: cannot write %s\n", argv[3]);
        return 1;
    }
    // The device's start: silent echo, free voices, clock 0, the first section, the notes and
    // the opening chord; the samples loaded here, not on a thread of its own, so the music
    // starts with every drum.
    audio = AudioState{};
    loadSamples();
    startMusic();
    bool written = render(file, music, frames);
    written = std::fclose(file) == 0 && written;
    freeSamples();
    if (!written) {
        std::fprintf(stderr, "render_music: writing %s failed\n", argv[3]);
        return 1;
    }
    return 0;
}
