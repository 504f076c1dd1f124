// The palette: base colours, the colours shown, and the targets they drift toward.
#include "display/palette.h"

#include "platform/chance.h"

const float paletteBase[PALETTE_SIZE][3] = {
    {0.0f, 0.0f, 0.0f},   {0.1f, 0.3f, 0.21f},   {0.28f, 0.04f, 0.39f}, {0.98f, 0.15f, 0.03f},
    {0.21f, 0.21f, 0.9f}, {0.57f, 0.57f, 0.98f}, {0.95f, 0.67f, 0.51f}, {0.76f, 0.55f, 0.25f},
    {0.6f, 0.4f, 0.25f},  {0.8f, 0.8f, 0.8f},
};

PaletteState palette;

// Ticks between two draws of new targets.
constexpr int TARGET_PERIOD = 2000;
// Start-up offsets reach +-0.08, later targets +-0.04, in 201 steps.
constexpr float START_OFFSET_STEP = 0.0008f;
constexpr float TARGET_OFFSET_STEP = 0.0004f;

static float randomOffset(float step) {
    return static_cast<float>(nextRandom() % 201 - 100) * step;
}

void initPalette() {
    palette = PaletteState{};
    for (int i = 0; i < PALETTE_SIZE; i++) {
        for (int c = 0; c < 3; c++) {
            float base = paletteBase[i][c];
            palette.paletteCurrent[i][c] = base + randomOffset(START_OFFSET_STEP);
            palette.paletteTarget[i][c] = base + randomOffset(START_OFFSET_STEP);
        }
    }
}

static void moveToward(float& current, float target, float step) {
    float distance = current > target ? current - target : target - current;
    if (distance < step) {
        current = target;
    } else if (target > current) {
        current += step;
    } else {
        current -= step;
    }
}

void driftPalette() {
    float step = static_cast<float>(palette.driftRate) * 0.005f;
    for (int i = 0; i < PALETTE_SIZE; i++) {
        for (int c = 0; c < 3; c++) {
            moveToward(palette.paletteCurrent[i][c], palette.paletteTarget[i][c], step);
        }
    }
    if (palette.driftCounter % TARGET_PERIOD == 0) {
        if (palette.driftCounter > 0) palette.driftRate = 1;
        for (int i = 0; i < PALETTE_SIZE; i++) {
            for (int c = 0; c < 3; c++) {
                palette.paletteTarget[i][c] = paletteBase[i][c] + randomOffset(TARGET_OFFSET_STEP);
            }
        }
    }
    palette.driftCounter++;
}

static float clampUnit(float value) {
    if (value < 0.0f) value = 0.0f;
    if (value > 1.0f) value = 1.0f;
    return value;
}

Colour colourOf(int8_t index) {
    if (index < 0 || index >= PALETTE_SIZE) return {0.0f, 0.0f, 0.0f, 1.0f};
    const float* current = palette.paletteCurrent[index];
    return {clampUnit(current[0]), clampUnit(current[1]), clampUnit(current[2]), 1.0f};
}
