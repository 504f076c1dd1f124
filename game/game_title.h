// GameTitle: the one game. Babies drift in from the right; the catcher at the left moves with
// Up and Down; a baby that slips past is a time paradox and ends the game.
#pragma once

#include "display/game_image.h"
#include "game/game_state.h"

#include <vector>

struct Baby {
    float x, y;
};

// Geometry of the 32 x 32 field, in game picture pixels.
constexpr float BABY_START_X = 36.0f;
constexpr int BABY_HEIGHTS = 22;
constexpr int BABY_LOWEST = 13;
constexpr int32_t CATCHER_TOP = 42;
constexpr float CATCH_LINE = 10.0f;
constexpr float CATCH_REACH = 2.5f;
constexpr float ESCAPE_LINE = -4.0f;

class GameTitle : public GameState {
  public:
    GameTitle(float x, float y, float width, float height);

    void update() override;
    // Rebuilds `image` from the current fields; the frame then shows it over the rectangle.
    void draw() override;

    // Where the frame shows the picture, in view units.
    float rectX, rectY, rectW, rectH;
    GameImage image;
    std::vector<Baby> babies;
};
