// The picture and the games' pictures on screen, through OpenGL 1.1 fixed function.
#include "display/video.h"

#include <SDL.h>
#include <SDL_opengl.h>

namespace {
GLuint screenTexture;
// Shows the running game's picture; games come and go, the texture stays.
GLuint gameTexture;
// Checking a replay draws every picture but shows none: without setUpVideo there is no OpenGL
// context, and every call below but setUpVideo does nothing.
bool videoSetUp = false;

// Two triangles over the 128 x 96 view. The view's x runs along the texture's rows (t) and
// its y along the texels of a row (s), since a texture row holds one picture column.
const GLfloat QUAD_VERTICES[6][2] = {{0, 0}, {128, 0}, {128, 96}, {0, 0}, {128, 96}, {0, 96}};
const GLfloat QUAD_TEXTURE_COORDS[6][2] = {{0, 0}, {0, 1},     {0.75f, 1},
                                           {0, 0}, {0.75f, 1}, {0.75f, 0}};

void setNearestRepeating() {
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
}
} // namespace

void setUpVideo(int windowWidth, int windowHeight, const uint8_t texels[TEXTURE_BYTES]) {
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glClearColor(0, 0, 0, 1);
    glViewport(0, 0, windowWidth, windowHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, PICTURE_WIDTH, 0, PICTURE_HEIGHT, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT);

    glColor4f(1, 1, 1, 1);
    glEnable(GL_TEXTURE_2D);
    glGenTextures(1, &screenTexture);
    glBindTexture(GL_TEXTURE_2D, screenTexture);
    setNearestRepeating();
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, TEXTURE_SIZE, TEXTURE_SIZE, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, texels);

    glGenTextures(1, &gameTexture);
    glBindTexture(GL_TEXTURE_2D, gameTexture);
    setNearestRepeating();
    glBindTexture(GL_TEXTURE_2D, screenTexture);

    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisable(GL_BLEND);
    glVertexPointer(2, GL_FLOAT, 0, QUAD_VERTICES);
    glTexCoordPointer(2, GL_FLOAT, 0, QUAD_TEXTURE_COORDS);
    videoSetUp = true;
}

void resizeVideo(int windowWidth, int windowHeight) {
    if (!videoSetUp) return;
    glViewport(0, 0, windowWidth, windowHeight);
}

void clearWindow() {
    if (!videoSetUp) return;
    glClear(GL_COLOR_BUFFER_BIT);
}

void showPicture(const uint8_t texels[TEXTURE_BYTES]) {
    if (!videoSetUp) return;
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, screenTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, TEXTURE_SIZE, TEXTURE_SIZE, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, texels);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, QUAD_VERTICES);
    glTexCoordPointer(2, GL_FLOAT, 0, QUAD_TEXTURE_COORDS);
    glDrawArrays(GL_TRIANGLES, 0, 6);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

void showGameImage(const GameImage& image, float x, float y, float width, float height) {
    if (!videoSetUp) return;
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, gameTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, GAME_IMAGE_SIZE, GAME_IMAGE_SIZE, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, image.bytes);
    // The image's rows are its columns, so t follows x and s follows y.
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(x, y);
    glTexCoord2f(0, 1);
    glVertex2f(x + width, y);
    glTexCoord2f(1, 1);
    glVertex2f(x + width, y + height);
    glTexCoord2f(1, 0);
    glVertex2f(x, y + height);
    glEnd();
}

void swapFrame() {
    if (!videoSetUp) return;
    SDL_GL_SwapBuffers();
}

void readPresentedFrame(int width, int height, uint8_t* rgba) {
    if (!videoSetUp) return;
    glReadBuffer(GL_FRONT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
}
