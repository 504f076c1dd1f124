// A sound device that opens (unless told to fail) and never calls back: tests run
// audioCallback themselves, on their own thread, with buffers of their choosing.
#pragma once

struct NullDevice {
    bool open = false;
    bool paused = true;
    bool silent = false;
    // When set, the next open fails with this reason.
    const char* failure = nullptr;
};

inline NullDevice nullDevice;
