// The front page.
#include "frame/front_page.h"

#include "display/picture.h"
#include "draw/font.h"
#include "frame/frame_state.h"
#include "frame/platform.h"
#include "frame/title_picture.h"

#include <cstdio>

// Palette indices of the front page's texts.
constexpr int TITLE_COLOUR = 3;
constexpr int LABEL_COLOUR = 1;
constexpr int NUMBER_COLOUR = 2;
constexpr int KEY_COLOUR = 6;
constexpr int INSTRUCTION_COLOUR = 8;
constexpr int START_COLOUR = 5;
constexpr int START_BLINK_COLOUR = 6;
// "start" takes its blink colour in the frames whose count modulo 10 is above 5.
constexpr int BLINK_PERIOD = 10;
constexpr int BLINK_ON_AFTER = 5;
// Left margin of the labels and instruction lines.
constexpr int MARGIN = 2;

// Every text of the front page goes through here, with this frame's cycling colour.
static void drawPageText(const char* text, int x, int y, int colour, int scale = 1) {
    drawText(text, x, y, colour, scale, cyclingColourAt(frame.frameCounter));
}

// Draws `text` one blank's width after `label`, both starting at the left margin.
static void drawAfterLabel(const char* labelWithBlank, const char* text, int y, int colour) {
    drawPageText(text, textWidth(labelWithBlank) + MARGIN, y, colour);
}

static void drawScoreLine(const char* label, const char* labelWithBlank, int32_t score, int y) {
    if (score < 0) return;
    char number[16];
    std::snprintf(number, sizeof number, "%d", score);
    drawPageText(label, MARGIN, y, LABEL_COLOUR);
    drawAfterLabel(labelWithBlank, number, y, NUMBER_COLOUR);
}

static int centredX(const char* text) {
    return (PICTURE_WIDTH - textWidth(text)) / 2;
}

// The title picture and the instruction lines over it.
static void drawInstructions() {
    drawTitlePicture();
    drawPageText("^&", MARGIN, 31, KEY_COLOUR);
    drawAfterLabel("^& ", "to move", 31, INSTRUCTION_COLOUR);
    drawPageText("catch babies. avoid time paradox.", MARGIN, 23, INSTRUCTION_COLOUR);
    drawPageText("hold", MARGIN, 15, INSTRUCTION_COLOUR);
    drawAfterLabel("hold ", "z", 15, KEY_COLOUR);
    drawAfterLabel("hold z ", "to feel emotions", 15, INSTRUCTION_COLOUR);
}

void drawFrontPage() {
    // The title is drawn at scale 2, so half the picture less its scale-1 width centres it.
    drawPageText("tumblingcradle2", PICTURE_WIDTH / 2 - textWidth("tumblingcradle2"), 84,
                 TITLE_COLOUR, 2);
    drawPageText("granny's version", centredX("granny's version"), 76, CYCLING_COLOUR);
    drawInstructions();
    int startColour =
        frame.frameCounter % BLINK_PERIOD > BLINK_ON_AFTER ? START_BLINK_COLOUR : START_COLOUR;
    drawPageText("start", centredX("start"), 6, startColour);
    drawScoreLine("score:", "score: ", frame.lastScore, 9);
    drawScoreLine("best:", "best: ", frame.bestScore, 2);
}

FrontPageAction frontPageKey(int keyCode) {
    if (keyCode == KEY_CODE_ESCAPE || keyCode == KEY_DOWN) return FrontPageAction::QUIT;
    if (keyCode == KEY_CODE_PRINT) return FrontPageAction::NOTHING;
    return FrontPageAction::START;
}
