// The front page: title, subtitle line, title picture, instructions, the blinking "start" and
// the scores. Drawn from nothing into the picture in every frame while no game runs; it keeps
// no state of its own and reads the frame's (frame/frame_state.h).
#pragma once

void drawFrontPage();

// What a key press means on the front page; the main loop acts on it.
enum class FrontPageAction { START, QUIT, NOTHING };

// Escape and Down quit; Print Screen (the frame's own screenshot key) means nothing more here;
// any other key starts a game.
FrontPageAction frontPageKey(int keyCode);
