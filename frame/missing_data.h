// At start-up, one line on stderr when the game's data is not where it looked (a game started
// from the wrong folder): which of it is missing, and the folder it looked in.
#pragma once

// The title picture was found or not; `sampleFiles` of the samples were.
void reportMissingData(bool pictureFound, int sampleFiles);
