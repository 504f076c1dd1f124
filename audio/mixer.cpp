// The mixer: the 128 voices, their envelopes, square tones, sample playback and pan, the start
// grid, and the two-second echo ring with its forward, double-speed and backward taps.
//
// Every sum and product of sound values saturates at the 16-bit limits (a wrap would turn a loud
// moment into a full-scale click); products truncate toward zero. Runs on the audio device
// thread, except initVoice for game voices. Must never allocate, wait, or touch the frame's
// gameVoiceBusy flags.
#include "audio/mixer.h"

#include "audio/audio_state.h"
#include "audio/sample_bank.h"
#include "platform/chance.h"

#include <limits>

namespace {

constexpr int32_t SOUND_MAX = std::numeric_limits<int16_t>::max();
constexpr int32_t SOUND_MIN = std::numeric_limits<int16_t>::min();
constexpr float SOUND_MAX_FLOAT = static_cast<float>(SOUND_MAX);
constexpr float SOUND_MIN_FLOAT = static_cast<float>(SOUND_MIN);

// Pan: a random step of 1/128 out of 16, and a dead zone around the middle.
constexpr int PAN_STEPS = 16;
constexpr float PAN_STEP = 0.0078125f;
constexpr float PAN_DEAD_ZONE = 0.05f;
constexpr float PAN_FIXED_GAIN = 0.6f;
constexpr float PAN_MOVING_GAIN = 0.4f;

// Every voice is louder than asked: 1.5 plus up to 1023 ten-thousandths.
constexpr float VOLUME_BOOST = 1.5f;
constexpr int VOLUME_JITTER_STEPS = 1024;
constexpr float VOLUME_JITTER_STEP = 0.0001f;

// A start moved onto the grid that misses every fourth grid point plays three-quarters as loud.
constexpr uint32_t GRID_POINTS_PER_ACCENT = 4;
constexpr float OFF_ACCENT_VOLUME = 0.75f;

// The square tone: low for the first half of each period, high for the second.
constexpr int16_t SQUARE_LOW = -16383;
constexpr int16_t SQUARE_HIGH = 16383;
constexpr uint32_t HALF_SAMPLE_RATE = SAMPLE_RATE / 2;

// Echo taps: how much of what each tap reads stays, and how much of the wet mix goes in.
constexpr float FORWARD_KEEP = 0.25f;
constexpr float FORWARD_SEND = 0.24f;
constexpr float DOUBLE_KEEP = 0.3f;
constexpr float DOUBLE_SEND = 0.34f;
constexpr float BACKWARD_KEEP = 0.25f;
constexpr float BACKWARD_SEND = 0.29f;
// What each tap contributes to the output.
constexpr float FORWARD_OUT = 0.24f;
constexpr float DOUBLE_OUT = 0.19f;
constexpr float BACKWARD_OUT = 0.19f;
// The double-speed tap writes one second ahead of where it reads, into two neighbouring frames.
constexpr int32_t DOUBLE_WRITE_AHEAD = SAMPLE_RATE;
constexpr int32_t DOUBLE_TAP_STRIDE = 2;

constexpr float ECHO_DAMP = 0.5f;

int16_t saturate(int32_t value) {
    if (value > SOUND_MAX) return static_cast<int16_t>(SOUND_MAX);
    if (value < SOUND_MIN) return static_cast<int16_t>(SOUND_MIN);
    return static_cast<int16_t>(value);
}

// A sound value times a gain, truncated toward zero and held within 16 bits.
int16_t scaled(int16_t value, float gain) {
    float product = static_cast<float>(value) * gain;
    if (product >= SOUND_MAX_FLOAT) return static_cast<int16_t>(SOUND_MAX);
    if (product <= SOUND_MIN_FLOAT) return static_cast<int16_t>(SOUND_MIN);
    return static_cast<int16_t>(product);
}

int16_t added(int16_t a, int16_t b) {
    return saturate(static_cast<int32_t>(a) + static_cast<int32_t>(b));
}

StereoFrame addFrames(StereoFrame a, StereoFrame b) {
    return {added(a.left, b.left), added(a.right, b.right)};
}

StereoFrame scaleFrame(StereoFrame frame, float gain) {
    return {scaled(frame.left, gain), scaled(frame.right, gain)};
}

// keep x what the tap read + send x the wet mix, per channel.
StereoFrame tapFeed(StereoFrame read, float keep, StereoFrame wet, float send) {
    return addFrames(scaleFrame(read, keep), scaleFrame(wet, send));
}

const SampleEntry& sampleOf(int sound) {
    return audio.sampleBank[sound - SOUND_FIRST_SAMPLE];
}

bool hasEnded(const Voice& voice) {
    return voice.position >= voice.delay + voice.attack + voice.hold + voice.release;
}

StereoFrame renderSample(const Voice& voice, float amp) {
    const SampleEntry& sample = sampleOf(voice.sound);
    uint32_t offset = voice.position - voice.delay;
    if (offset >= sample.length) return {0, 0};
    return scaleFrame(sample.frames[offset], amp);
}

// Whole hertz times the whole position: the phase ignores fractions of both.
StereoFrame renderSquare(const Voice& voice, float amp) {
    if (amp <= 0.0f) return {0, 0};
    uint32_t hertz = static_cast<uint32_t>(voice.frequency);
    uint32_t phase = (hertz * voice.position) % static_cast<uint32_t>(SAMPLE_RATE);
    int16_t level = phase < HALF_SAMPLE_RATE ? SQUARE_LOW : SQUARE_HIGH;
    int16_t value = scaled(level, amp);
    return {value, value};
}

// The three echo taps for one frame; each reads after the writes of the ones before it.
// Returns what the taps add to the dry mix.
StereoFrame runEcho(StereoFrame wet) {
    StereoFrame* ring = audio.mixer.echoRing;
    int32_t& tapA = audio.mixer.echoTapA;
    int32_t& tapB = audio.mixer.echoTapB;
    int32_t& tapC = audio.mixer.echoTapC;

    StereoFrame readA = ring[tapA];
    ring[tapA] = tapFeed(readA, FORWARD_KEEP, wet, FORWARD_SEND);
    if (++tapA == ECHO_LENGTH) tapA = 0;

    StereoFrame readB = ring[tapB];
    StereoFrame doubleFeed = tapFeed(readB, DOUBLE_KEEP, wet, DOUBLE_SEND);
    int32_t aheadFirst = (tapB + DOUBLE_WRITE_AHEAD) % ECHO_LENGTH;
    int32_t aheadSecond = (tapB + DOUBLE_WRITE_AHEAD + 1) % ECHO_LENGTH;
    ring[aheadFirst] = addFrames(ring[aheadFirst], doubleFeed);
    ring[aheadSecond] = addFrames(ring[aheadSecond], doubleFeed);
    tapB += DOUBLE_TAP_STRIDE;
    if (tapB >= ECHO_LENGTH) tapB = 0;

    StereoFrame readC = ring[tapC];
    ring[tapC] = addFrames(readC, tapFeed(readC, BACKWARD_KEEP, wet, BACKWARD_SEND));
    if (--tapC < 0) tapC = ECHO_LENGTH - 1;

    StereoFrame out = scaleFrame(readC, BACKWARD_OUT);
    out = addFrames(out, scaleFrame(readA, FORWARD_OUT));
    return addFrames(out, scaleFrame(readB, DOUBLE_OUT));
}

// Every start, music or game, snaps to the grid at the clock of its activation, as its voice
// asks.
void snapStart(Voice& voice) {
    if (voice.quantise) quantiseVoice(voice, audio.mixer.sampleClock);
}

} // namespace

void initVoice(Voice& voice, int sound, float frequency, float volume, float echoSend,
               float panOffset, uint32_t attack, uint32_t hold, uint32_t release, uint32_t delay) {
    voice.position = 0;
    voice.delay = delay;
    voice.attack = attack;
    voice.hold = hold;
    voice.release = release;
    voice.frequency = frequency;
    voice.volume = volume;
    voice.echoSend = echoSend;
    voice.sound = sound;
    voice.quantise = 1;
    voice.pan = static_cast<float>(nextRandom() % PAN_STEPS) * PAN_STEP - panOffset;
    if (isSampleSound(sound)) {
        voice.attack = 0;
        voice.hold = sampleOf(sound).length;
        voice.release = 0;
    }
    float jitter = static_cast<float>(nextRandom() % VOLUME_JITTER_STEPS) * VOLUME_JITTER_STEP;
    voice.volume = voice.volume * (VOLUME_BOOST + jitter);
}

void quantiseVoice(Voice& voice, uint32_t clock) {
    uint32_t offGrid = (voice.delay + clock) % START_GRID;
    if (offGrid == 0) return;
    voice.delay = voice.delay - offGrid + START_GRID;
    if (((voice.delay + clock) / START_GRID) % GRID_POINTS_PER_ACCENT != 0) {
        voice.volume = voice.volume * OFF_ACCENT_VOLUME;
    }
}

float envelopeLevel(const Voice& voice) {
    if (voice.position < voice.delay) return 0.0f;
    uint32_t t = voice.position - voice.delay;
    if (t < voice.attack) return static_cast<float>(t) / static_cast<float>(voice.attack);
    t -= voice.attack;
    if (t < voice.hold) return 1.0f;
    t -= voice.hold;
    if (t < voice.release) return 1.0f - static_cast<float>(t) / static_cast<float>(voice.release);
    return 0.0f;
}

StereoFrame applyPan(StereoFrame frame, float pan) {
    if (pan > -PAN_DEAD_ZONE && pan < PAN_DEAD_ZONE) return frame;
    if (pan > 1.0f) pan = 1.0f;
    if (pan < -1.0f) pan = -1.0f;
    float rightGain = PAN_FIXED_GAIN + PAN_MOVING_GAIN * (1.0f - pan);
    float leftGain = PAN_FIXED_GAIN + PAN_MOVING_GAIN * (1.0f + pan);
    return {scaled(frame.left, leftGain), scaled(frame.right, rightGain)};
}

StereoFrame renderVoice(Voice& voice) {
    if (voice.position < voice.delay) {
        ++voice.position;
        return {0, 0};
    }
    float amp = envelopeLevel(voice) * voice.volume;
    StereoFrame frame =
        isSampleSound(voice.sound) ? renderSample(voice, amp) : renderSquare(voice, amp);
    frame = applyPan(frame, voice.pan);
    ++voice.position;
    return frame;
}

int findFreeSlot(const uint8_t* busyFlags, int cursor) {
    static_assert(GAME_VOICE_COUNT == MUSIC_VOICE_COUNT, "both pools are searched alike");
    for (int tried = 0; tried < MUSIC_VOICE_COUNT; ++tried) {
        int slot = (cursor + tried) % MUSIC_VOICE_COUNT;
        if (!busyFlags[slot]) return slot;
    }
    return -1;
}

void startMusicVoice(int sound, float frequency, float volume, float echoSend, float panOffset,
                     uint32_t hold, uint32_t release, uint32_t delay) {
    if (isSampleSound(sound) && !audio.samplesReady) return;
    // A music slot is busy exactly while its voice is active.
    int slot =
        findFreeSlot(audio.mixer.voiceActive + FIRST_MUSIC_VOICE, audio.mixer.musicVoiceCursor);
    if (slot < 0) return;
    audio.mixer.musicVoiceCursor = slot;
    Voice& voice = audio.mixer.voices[FIRST_MUSIC_VOICE + slot];
    initVoice(voice, sound, frequency, volume, echoSend, panOffset, 0, hold, release, delay);
    snapStart(voice);
    audio.mixer.voiceActive[FIRST_MUSIC_VOICE + slot] = 1;
}

void activateGameVoice(int slot) {
    audio.mixer.voiceActive[slot] = 1;
    snapStart(audio.mixer.voices[slot]);
}

StereoFrame mixFrame(SlotList& finishedGameVoices) {
    StereoFrame dry = {0, 0};
    StereoFrame wet = {0, 0};
    for (int i = 0; i < VOICE_COUNT; ++i) {
        if (!audio.mixer.voiceActive[i]) continue;
        Voice& voice = audio.mixer.voices[i];
        StereoFrame frame = renderVoice(voice);
        dry = addFrames(dry, frame);
        wet = addFrames(wet, scaleFrame(frame, voice.echoSend));
        if (!hasEnded(voice)) continue;
        audio.mixer.voiceActive[i] = 0;
        // A slot stays busy until the frame has read this list, so it is listed at most once.
        if (i < GAME_VOICE_COUNT) appendSlot(finishedGameVoices, i);
    }
    return addFrames(dry, runEcho(wet));
}

void appendSlot(SlotList& list, int slot) {
    if (list.count < GAME_VOICE_COUNT) list.slots[list.count++] = slot;
}

void halveEcho() {
    for (StereoFrame& frame : audio.mixer.echoRing) frame = scaleFrame(frame, ECHO_DAMP);
}
