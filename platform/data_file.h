// Opening the game's data files (the title picture, the samples): the one place that does.
//
// Only a regular file is read. A pipe, a device, a socket or a folder under a data file's name
// is treated like a missing file, and looking at one never blocks: a pipe with no writer, or one
// that never ends, must not hang the start-up or the loader.
#pragma once

#include <cstdio>
#include <string>

// Opens `path` for reading when it is a regular file, checked on the opened descriptor; null
// when it is missing, unreadable or anything else.
std::FILE* openDataFile(const char* path);

// The working folder's path, for the lines that name it; empty when it cannot be told.
std::string workingFolder();
