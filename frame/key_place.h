// The game's z and x by their place on the keyboard, where the layout gives them no Latin
// letter.
//
// z is the key left of x, x the key left of c, on any layout. Where the layout puts a Latin
// letter on those keys (de's y, fr's w), the letters count as labelled: the key labelled Z is
// z. Where it puts none (Cyrillic, Greek, Hebrew), no key would give z at all, so the place
// decides.
#pragma once

// X key codes (evdev) of the keys in z's and x's place on a PC keyboard.
constexpr int Z_PLACE_SCANCODE = 52;
constexpr int X_PLACE_SCANCODE = 53;

// The key symbol the game goes by: `symbol` as the layout gives it (SDL 1.2's key symbols),
// unless that is no ASCII character (0, or one of SDL's world keys 160 to 255) on the key at
// z's or x's place (`scancode`, the X key code), which then gives 'z' or 'x'.
int symbolByPlace(int symbol, int scancode);
