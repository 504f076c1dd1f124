// Any bytes as the title picture file: reading them and drawing the picture must stay inside
// the picture's cells and the front page's pixels, whatever the numbers are.
#include "tests/audio/sample_folder.h"

#include "display/picture.h"
#include "frame/title_picture.h"

#include <cstdlib>
#include <fstream>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const SampleFolder folder; // the working folder for the whole run
    std::ofstream("dat/tc0.txt", std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    loadTitlePicture();
    clearPicture();
    drawTitlePicture();
    // Once the title picture's square is blanked, nothing may be left.
    for (int x = 0; x < TITLE_PICTURE_SIZE; ++x)
        for (int y = 0; y < TITLE_PICTURE_SIZE; ++y)
            putPixel(TITLE_PICTURE_LEFT + x, TITLE_PICTURE_BOTTOM + y, 0);
    for (int8_t index : pixelBuffer)
        if (index != 0) std::abort();
    return 0;
}
