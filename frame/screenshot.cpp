// Screenshots as PNG files.
#include "frame/screenshot.h"

#include "display/video.h"
#include "frame/frame_state.h"
#include "frame/platform.h"

#include <stb_image_write.h>

#include <algorithm>
#include <cstdio>
#include <vector>

void flipRows(uint8_t* rgba, int width, int height) {
    size_t rowBytes = static_cast<size_t>(width) * 4;
    for (int top = 0, bottom = height - 1; top < bottom; top++, bottom--) {
        std::swap_ranges(rgba + top * rowBytes, rgba + (top + 1) * rowBytes,
                         rgba + bottom * rowBytes);
    }
}

void takeScreenshot() {
    int width = 0, height = 0;
    windowSize(&width, &height);
    if (width > 0 && height > 0) {
        std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
        readPresentedFrame(width, height, rgba.data());
        flipRows(rgba.data(), width, height);
        char name[32];
        std::snprintf(name, sizeof name, "screen%d.png", frame.screenshotCounter);
        stbi_write_png(name, width, height, 4, rgba.data(), width * 4);
    }
    frame.screenshotCounter++;
}
