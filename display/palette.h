// The ten-colour palette and its slow drift around fixed base colours.
//
// Main thread only. Every colour the system shows comes through colourOf().
#pragma once

#include <cstdint>

constexpr int PALETTE_SIZE = 10;

struct Colour {
    float red, green, blue, alpha;
};

// Palette entries are red, green, blue.
extern const float paletteBase[PALETTE_SIZE][3];

// The first 2000 ticks settle fast so the opening colours appear at once.
constexpr int START_DRIFT_RATE = 24;

// What drifts. initPalette starts from `palette = PaletteState{}`, then draws the colours.
struct PaletteState {
    // The colours shown; they may leave 0..1, colourOf clamps them.
    float paletteCurrent[PALETTE_SIZE][3] = {};
    // Where each current channel is heading.
    float paletteTarget[PALETTE_SIZE][3] = {};
    // Multiplier of the drift step: 24 until the first new targets after tick 0, then 1.
    int driftRate = START_DRIFT_RATE;
    // Drift steps since start-up.
    int driftCounter = 0;
};

extern PaletteState palette;

// Start-up: current and target colours at random offsets from the base colours, the fast
// starting rate, the count at 0.
void initPalette();

// One tick of drift; every 2000 ticks the targets are drawn anew.
void driftPalette();

// The colour shown for a palette index, clamped to 0..1. Negative indices and indices past
// the palette's ten entries show black.
Colour colourOf(int8_t index);

// A channel in 0..1 as a byte: times 255, truncated toward zero.
inline uint8_t colourByte(float channel) {
    return static_cast<uint8_t>(channel * 255.0);
}
