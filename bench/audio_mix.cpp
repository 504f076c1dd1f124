// The callback's worst case: one device buffer of 2048 frames with all 128 voices sounding,
// panned and sent into the echo, while the game music's steps run (and find no free voice).
//
// The counter realtime_fraction is the time one buffer takes over the time it lasts when
// played (2048 / 44100 s = 46.4 ms): the callback must stay well below 1.
#include "audio/audio_state.h"
#include "audio/callback.h"
#include "audio/device.h"
#include "audio/mixer.h"
#include "audio/music.h"
#include "audio/sample_bank.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int BUFFER_FRAMES = DEVICE_BUFFER_FRAMES;
constexpr int SAMPLE_VOICES = 32;
constexpr uint32_t SAMPLE_LENGTH = BUFFER_FRAMES;
// Far longer than any run, and the envelope sum stays within 32 bits.
constexpr uint32_t LONG_HOLD = 1u << 30;

std::vector<StereoFrame> benchSample(SAMPLE_LENGTH);

void soundEveryVoice() {
    for (uint32_t i = 0; i < SAMPLE_LENGTH; ++i) {
        int value = static_cast<int>((i * 37u) % 4000u) - 2000;
        benchSample[i] = {static_cast<int16_t>(value), static_cast<int16_t>(-value)};
    }
    audio = AudioState{};
    for (SampleEntry& entry : audio.sampleBank) entry = {benchSample.data(), SAMPLE_LENGTH};
    audio.samplesReady = true;
    startMusic();
    for (int i = 0; i < VOICE_COUNT; ++i) {
        bool sample = i < SAMPLE_VOICES;
        int sound = sample ? SOUND_FIRST_SAMPLE + i % SAMPLE_COUNT : SOUND_SQUARE;
        float frequency = NOTE_FREQUENCIES[i % NOTE_COUNT];
        // Half the voices rise through an attack and fall through a release; half hold flat.
        uint32_t attack = i % 2 == 0 ? 0u : 500u;
        float panOffset = i % 4 == 0 ? 0.5f : 0.0f;
        initVoice(audio.mixer.voices[i], sound, frequency, 0.05f, 0.6f, panOffset, attack,
                  LONG_HOLD, 50000, 0);
        audio.mixer.voiceActive[i] = 1;
    }
}

// Keeps every voice sounding from buffer to buffer: samples restart, tones stay in their hold.
void rearmVoices() {
    for (int i = 0; i < VOICE_COUNT; ++i) {
        audio.mixer.voices[i].position = i < SAMPLE_VOICES ? 0u : audio.mixer.voices[i].attack;
        audio.mixer.voiceActive[i] = 1;
    }
}

void BM_AudioBufferAllVoices(benchmark::State& state) {
    soundEveryVoice();
    StereoFrame buffer[BUFFER_FRAMES];
    SlotList finished{};
    for (auto _ : state) {
        rearmVoices();
        finished.count = 0;
        produceFrames(buffer, BUFFER_FRAMES, false, true, finished);
        benchmark::DoNotOptimize(buffer);
    }
    double bufferSeconds = static_cast<double>(BUFFER_FRAMES) / SAMPLE_RATE;
    state.counters["realtime_fraction"] = benchmark::Counter(
        bufferSeconds, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    audio = AudioState{};
}
BENCHMARK(BM_AudioBufferAllVoices)->Unit(benchmark::kMillisecond);

} // namespace
