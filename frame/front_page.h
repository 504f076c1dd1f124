// The front page: title, subtitle line, title picture, instructions, the blinking "start" and
// the scores. Drawn from nothing into the picture in every frame while no game runs.
#pragma once

void drawFrontPage();
void drawInstructions();

// A key press on the front page (Escape and Print Screen excluded): Down quits, any other key
// starts a game.
void frontPageKey(int keyCode);
