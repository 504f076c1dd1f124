// The size of the game's window when it does not fill the screen: whole multiples of the
// 128 x 96 picture, so that every picture pixel is an equal block of screen pixels.
#pragma once

#include "display/picture.h"

// The largest whole multiple of the picture that fits within nine tenths of the desktop, leaving
// room for the desktop's panels and the window's frame; at least the picture itself.
constexpr int windowScale(int desktopWidth, int desktopHeight) {
    const int across = desktopWidth * 9 / 10 / PICTURE_WIDTH;
    const int down = desktopHeight * 9 / 10 / PICTURE_HEIGHT;
    const int scale = across < down ? across : down;
    return scale > 1 ? scale : 1;
}
