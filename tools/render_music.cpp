// render_music: lets a person listen to the music without the game. Loads the samples from
// dat/samples (relative to the working folder; missing ones stay silent), then runs the mixer
// and one music generator offline and writes what the sound card would have played as a 16-bit
// stereo 44100 Hz WAV file.
//
//     render_music front|calm|busy SECONDS OUT.wav
//
// front is the front page's music, calm and busy the game's two modes. The music is the same
// on every run, as in the game. Never opens a sound device.
#include "audio/audio_state.h"
#include "audio/callback.h"
#include "audio/device.h"
#include "audio/loader.h"
#include "audio/music.h"
#include "audio/sample_bank.h"
#include "audio/wav_file.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The renderer runs the mixer in the same steps as the callback.
constexpr int BUFFER_FRAMES = DEVICE_BUFFER_FRAMES;
constexpr double LONGEST_SECONDS = 3600.0;
constexpr int BYTES_PER_FRAME = STEREO_FRAME_BYTES;

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

bool writeFrames(std::FILE* file, const StereoFrame* frames, int count) {
    uint8_t bytes[BUFFER_FRAMES * BYTES_PER_FRAME];
    writeStereoFrames(frames, count, bytes);
    size_t size = static_cast<size_t>(count) * BYTES_PER_FRAME;
    return std::fwrite(bytes, 1, size, file) == size;
}

bool render(std::FILE* file, Music music, uint32_t frames) {
    if (!writeWavHeader(file, frames)) return false;
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
