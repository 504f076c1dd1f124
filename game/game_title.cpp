// GameTitle: the babies, the catcher, the score and the time paradox, one tick at a time, and
// the game's 32 x 32 picture. Paints only bytes, into its own image, which the frame shows.
// Every chance draw comes from nextRandom() in a fixed number and order, so a seeded run
// repeats exactly.
#include "game/game_title.h"

#include "draw/font.h"
#include "draw/image_pixel.h"
#include "draw/sprites.h"
#include "game/game_sounds.h"
#include "platform/chance.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// The game speeds up in bands of ticks: babies come more often and drift faster.
struct Band {
    uint32_t firstTick;
    int spawnInterval;
    float babySpeed;
};

// clang-format off
constexpr Band BANDS[] = {
    //  from tick  spawn every  speed
    {      0,      100,         0.3f  },
    {    500,       80,         0.38f },
    {   1000,       60,         0.46f },
    {   1500,       40,         0.52f },
    {   2000,       30,         0.6f  },
};
// clang-format on
constexpr int BAND_COUNT = sizeof BANDS / sizeof BANDS[0];

// The catcher sprite is centred 8 pixels in from the left and 8 up from its lowest place; it
// climbs one pixel for every two steps of playerPos.
constexpr int CATCHER_X = 8;
constexpr int CATCHER_BOTTOM = 8;
constexpr int CATCHER_STEPS_PER_PIXEL = 2;
constexpr float CATCHER_PIXELS_PER_STEP = 0.5f;
// Where the catcher's arms hold a baby, above the sprite's centre.
constexpr float CATCH_ABOVE_CENTRE = 4.5f;
// A baby caught while z is held counts twice.
constexpr int POINTS_PER_BABY = 1;
constexpr int EMOTIONS_FACTOR = 2;

// The emotions background changes its striped pattern every 4 ticks.
constexpr uint32_t STRIPE_TICKS = 4;
constexpr int COLOUR_CHANNELS = 3;
constexpr int BYTE_VALUES = 256;
// The dissolve compares the low 7 bits of a draw with the part of the ending that has passed.
constexpr int DISSOLVE_LOW_BITS = 127;
constexpr float DISSOLVE_STEP = 1.0f / static_cast<float>(ENDING_TICKS);

const Band& bandAt(uint32_t tick) {
    int band = 0;
    while (band + 1 < BAND_COUNT && tick >= BANDS[band + 1].firstTick) band++;
    return BANDS[band];
}

// Height of the catch centre for a catcher position.
float catchCentre(int32_t playerPos) {
    return static_cast<float>(playerPos) * CATCHER_PIXELS_PER_STEP +
           static_cast<float>(CATCHER_BOTTOM) + CATCH_ABOVE_CENTRE;
}

} // namespace

GameTitle::GameTitle(float x, float y, float width, float height)
    : rectX(x), rectY(y), rectW(width), rectH(height) {
    playerPos = 0;
}

// ---------------------------------------------------------------------------------------------
// [SECTION] Rules, once per tick

static void spawnBaby(std::vector<Baby>& babies, uint32_t tick) {
    if (tick % static_cast<uint32_t>(bandAt(tick).spawnInterval) != 0) return;
    requestJumpSound();
    int height = nextRandom() % BABY_HEIGHTS + BABY_LOWEST;
    babies.push_back({BABY_START_X, static_cast<float>(height)});
}

// Newest press first: with Up and Down both held, the older key has the last word.
static void applyHeldKeys(GameState& game) {
    for (auto key = game.heldKeys.rbegin(); key != game.heldKeys.rend(); ++key) {
        if (*key == KEY_UP && game.playerPos < CATCHER_TOP) game.playerPos++;
        if (*key == KEY_DOWN && game.playerPos > 0) game.playerPos--;
        if (*key == KEY_Z) game.emotions = true;
    }
}

static bool inCatchWindow(const Baby& baby, int32_t playerPos) {
    return baby.x < CATCH_LINE && std::fabs(baby.y - catchCentre(playerPos)) < CATCH_REACH;
}

void GameTitle::update() {
    spawnBaby(babies, tickCount);
    GameState::update();
    emotions = false;
    if (!ending) applyHeldKeys(*this);

    float speed = bandAt(tickCount).babySpeed;
    for (size_t i = 0; i < babies.size();) {
        Baby& baby = babies[i];
        baby.x -= speed;
        if (baby.x < ESCAPE_LINE) {
            babies.erase(babies.begin() + static_cast<std::ptrdiff_t>(i));
            // Only the escape that starts the ending is heard.
            if (!ending) requestParadoxSound();
            ending = true;
        } else if (!ending && inCatchWindow(baby, playerPos)) {
            babies.erase(babies.begin() + static_cast<std::ptrdiff_t>(i));
            requestBirthSound();
            score += emotions ? POINTS_PER_BABY * EMOTIONS_FACTOR : POINTS_PER_BABY;
        } else {
            i++;
        }
    }
}

// ---------------------------------------------------------------------------------------------
// [SECTION] The picture

// Red, green, blue each random or, for an even first draw, a product of the tick, the channel
// and the place; red's product is always 0.
static void paintEmotionsBackground(GameImage& image, uint32_t tickCount) {
    uint32_t stripe = tickCount / STRIPE_TICKS;
    for (int x = 0; x < GAME_IMAGE_SIZE; x++) {
        for (int y = 0; y < GAME_IMAGE_SIZE; y++) {
            uint8_t* pixel = gameImagePixel(image, x, y);
            for (int c = 0; c < COLOUR_CHANNELS; c++) {
                if (nextRandom() % 2 != 0) {
                    pixel[c] = static_cast<uint8_t>(nextRandom() % BYTE_VALUES);
                } else {
                    uint32_t product = stripe * static_cast<uint32_t>(c * x * y);
                    pixel[c] = static_cast<uint8_t>(product % BYTE_VALUES);
                }
            }
        }
    }
}

static void paintScore(GameImage& image, int32_t score) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", score);
    drawTextToImage(image, text);
}

static void makeOpaque(GameImage& image) {
    for (int i = 0; i < GAME_IMAGE_SIZE * GAME_IMAGE_SIZE; i++)
        image.bytes[i * 4 + 3] = OPAQUE_ALPHA;
}

// Each colour byte turns black with the chance of the part of the ending already passed.
static void dissolve(GameImage& image, uint32_t endCountdown) {
    float passed = 1.0f - static_cast<float>(endCountdown) * DISSOLVE_STEP;
    for (int x = 0; x < GAME_IMAGE_SIZE; x++) {
        for (int y = 0; y < GAME_IMAGE_SIZE; y++) {
            uint8_t* pixel = gameImagePixel(image, x, y);
            for (int c = 0; c < COLOUR_CHANNELS; c++) {
                float chance = static_cast<float>(nextRandom() & DISSOLVE_LOW_BITS) * DISSOLVE_STEP;
                if (chance < passed) pixel[c] = 0;
            }
        }
    }
}

void GameTitle::draw() {
    std::memset(image.bytes, 0, sizeof image.bytes);
    if (emotions) paintEmotionsBackground(image, tickCount);
    paintScore(image, score);
    for (const Baby& baby : babies) {
        drawSprite(SPRITE_BABY, image, static_cast<int>(baby.x), static_cast<int>(baby.y));
    }
    drawSprite(SPRITE_CATCHER, image, CATCHER_X,
               playerPos / CATCHER_STEPS_PER_PIXEL + CATCHER_BOTTOM);
    makeOpaque(image);
    if (ending) dissolve(image, endCountdown);
}
