// The OpenGL edge: the only functions that call OpenGL (and SDL's buffer swap).
//
// The program links the real ones (video_gl.cpp), the browser's page its canvas's
// (video_web.cpp); tests link null stand-ins, so everything that decides what is drawn runs
// without a window.
#pragma once

#include "display/picture.h"
#include "display/game_image.h"

#include <cstdint>

// Start-up: viewport over the window, the 128 x 96 view, the screen texture with its first
// image, the quad that shows it, and the game texture.
void setUpVideo(int windowWidth, int windowHeight, const uint8_t texels[TEXTURE_BYTES]);

// After the window's size changed: the view over the whole of it again.
void resizeVideo(int windowWidth, int windowHeight);

// Clears the window to black.
void clearWindow();

// Uploads the screen texture whole and draws it over the whole view.
void showPicture(const uint8_t texels[TEXTURE_BYTES]);

// Uploads a game's picture to the game texture (made by setUpVideo, nearest filtering, one for
// every game of the run) and draws it over the given rectangle of the view.
void showGameImage(const GameImage& image, float x, float y, float width, float height);

// Shows the frame just drawn.
void swapFrame();

// Reads the frame presented last: width x height pixels of R, G, B, A, bottom row first.
void readPresentedFrame(int width, int height, uint8_t* rgba);
