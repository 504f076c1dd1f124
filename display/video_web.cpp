// The picture and the games' pictures on screen in a browser, through the canvas's 2D context:
// a few lines of the page's own JavaScript instead of an emulation of OpenGL 1.1. The same
// pixels as video_gl.cpp: each picture is turned the right way up here, copied whole into a
// canvas of its own size and stretched over its rectangle of the view without smoothing, so
// every pixel becomes one hard-edged block.
#include "display/video.h"

#include <emscripten.h>

#include <cstring>

namespace {
// A picture turned into the canvas's order: rows from the top, R, G, B, A, opaque. The largest
// is the 128 x 96 picture.
uint8_t rows[PICTURE_SIZE * 4];

// Pixel (x, y) of a picture stored column by column, y upward, with `columnLength` texels a
// column, goes to row height - 1 - y, column x.
void turnUpright(const uint8_t* columns, int width, int height, int columnLength) {
    for (int x = 0; x < width; x++) {
        for (int y = 0; y < height; y++) {
            const uint8_t* from = columns + (x * columnLength + y) * 4;
            uint8_t* to = rows + ((height - 1 - y) * width + x) * 4;
            std::memcpy(to, from, 3);
            to[3] = 255; // OpenGL drew the quads opaque, whatever their alpha
        }
    }
}
} // namespace

// The canvas (the page's #canvas), its context, and one small canvas per picture size with its
// pixels, made once and used for every frame.
EM_JS(void, canvasSetUp, (), {
    Module.screen = Module.canvas.getContext("2d", {alpha : false});
    Module.pictures = {};
});

EM_JS(void, canvasClear, (), {
    Module.screen.fillStyle = "#000";
    Module.screen.fillRect(0, 0, Module.canvas.width, Module.canvas.height);
});

// Copies `width` x `height` upright pixels at `pixels` over the view's rectangle (x, y, w, h)
// in view units, y upward from the bottom of the 128 x 96 view.
// clang-format off
EM_JS(void, canvasDraw,
      (const uint8_t* pixels, int width, int height, float x, float y, float w, float h), {
    const key = width + "x" + height;
    let picture = Module.pictures[key];
    if (!picture) {
        const canvas = document.createElement("canvas");
        canvas.width = width;
        canvas.height = height;
        const context = canvas.getContext("2d");
        picture = Module.pictures[key] = { canvas: canvas, context: context,
            image: context.createImageData(width, height) };
    }
    picture.image.data.set(HEAPU8.subarray(pixels, pixels + width * height * 4));
    picture.context.putImageData(picture.image, 0, 0);
    const across = Module.canvas.width / 128, down = Module.canvas.height / 96;
    Module.screen.imageSmoothingEnabled = false;
    Module.screen.drawImage(picture.canvas, Math.round(x * across), Math.round((96 - y - h) * down),
        Math.round(w * across), Math.round(h * down));
});
// clang-format on

// The canvas as it shows now, bottom row first.
EM_JS(void, canvasRead, (int width, int height, uint8_t* rgba), {
    const pixels = Module.screen.getImageData(0, 0, width, height).data;
    const rowBytes = width * 4;
    for (let row = 0; row < height; row++) {
        HEAPU8.set(pixels.subarray(row * rowBytes, (row + 1) * rowBytes),
                   rgba + (height - 1 - row) * rowBytes);
    }
});

void setUpVideo(int, int, const uint8_t texels[TEXTURE_BYTES]) {
    canvasSetUp();
    canvasClear();
    showPicture(texels);
}

// The page sizes the canvas; every drawing reads its size afresh.
void resizeVideo(int, int) {}

void clearWindow() {
    canvasClear();
}

void showPicture(const uint8_t texels[TEXTURE_BYTES]) {
    turnUpright(texels, PICTURE_WIDTH, PICTURE_HEIGHT, TEXTURE_SIZE);
    canvasDraw(rows, PICTURE_WIDTH, PICTURE_HEIGHT, 0, 0, PICTURE_WIDTH, PICTURE_HEIGHT);
}

// A game's picture is copied afresh for every frame: no texture to keep.
void showGameImage(const GameImage& image, float x, float y, float width, float height) {
    turnUpright(image.bytes, GAME_IMAGE_SIZE, GAME_IMAGE_SIZE, GAME_IMAGE_SIZE);
    canvasDraw(rows, GAME_IMAGE_SIZE, GAME_IMAGE_SIZE, x, y, width, height);
}

// The browser shows the canvas when the page's turn ends.
void swapFrame() {}

void readPresentedFrame(int width, int height, uint8_t* rgba) {
    canvasRead(width, height, rgba);
}
