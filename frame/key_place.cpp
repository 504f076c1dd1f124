// The game's z and x by their place on the keyboard.
#include "frame/key_place.h"

namespace {
bool isAsciiCharacter(int symbol) {
    return symbol > 0 && symbol < 128;
}
} // namespace

int symbolByPlace(int symbol, int scancode) {
    if (isAsciiCharacter(symbol) || symbol > 255) return symbol;
    if (scancode == Z_PLACE_SCANCODE) return 'z';
    if (scancode == X_PLACE_SCANCODE) return 'x';
    return symbol;
}
