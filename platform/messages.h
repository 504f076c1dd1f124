// The program's lines on standard error, and its standard descriptors.
//
// Every line the program says goes through say(): "tinyarcade: " and the text, written whole
// or not at all, never waiting. A terminal that is stopped, a pipe nobody reads or a reader
// that has gone cannot stop the game; a line that finds no room is dropped. A line said again
// right after itself is counted instead of repeated, and the count follows when another line
// comes or the program ends.
#pragma once

// First thing in main: opens /dev/null on each of descriptors 0 to 2 that is closed, so that no
// file or connection opened later takes their number and gets our lines written into it, and
// ignores SIGPIPE, so that writing to a reader that has gone fails instead of ending the game.
void guardStandardStreams();

// Says one line, prefixed "tinyarcade: " (a newline is added). Any thread.
void say(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Tells how often the last line came again, when that has not been told yet.
void sayRepeats();

// Ends the process now with `status`, after sayRepeats, without exit handlers or unloading any
// library: for leaving while another thread may still be inside one.
[[noreturn]] void leaveNow(int status);
