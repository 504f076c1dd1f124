// GameState: the base of every game screen. Owns the tick count, the held keys, the score,
// the emotions flag and the ending sequence. Main thread only.
#pragma once

#include <cstdint>
#include <vector>

// Key indices that screens see; keyTable at the SDL edge (frame/platform_sdl.cpp) maps SDL's key
// symbols to them.
enum KeyIndex { KEY_UP = 0, KEY_DOWN = 1, KEY_LEFT = 2, KEY_RIGHT = 3, KEY_Z = 4, KEY_X = 5 };
constexpr int GAME_KEY_COUNT = 6;

// Ticks from the escape of a baby to the end of the game.
constexpr uint32_t ENDING_TICKS = 128;

class GameState {
  public:
    GameState() = default;
    virtual ~GameState() = default;
    GameState(const GameState&) = delete;
    GameState& operator=(const GameState&) = delete;

    virtual void update();
    virtual void draw() {}
    // Drawing hooks and endPlay: nothing in this game calls them, but they are slots of the
    // screen interface every game screen shares, so they stay.
    virtual void drawParticles() {}
    virtual void drawActors() {}
    virtual void keyDown(int key);
    virtual void keyUp(int key);
    virtual void endPlay();

    uint32_t tickCount = 0;
    // Held game keys, oldest press first.
    std::vector<int> heldKeys;
    int32_t playerPos = 0;
    int32_t score = 0;
    bool emotions = false;
    bool ending = false;
    bool finished = false;
    uint32_t endCountdown = ENDING_TICKS;
};
