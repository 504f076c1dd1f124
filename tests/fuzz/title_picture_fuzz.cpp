// Any bytes as the title picture file: reading them and drawing the picture must stay inside
// the picture's cells and the front page's pixels, whatever the numbers are.
#include "sample_folder.h"

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
    for (int x = 0; x < PICTURE_WIDTH; ++x) {
        for (int y = 0; y < PICTURE_HEIGHT; ++y) {
            const bool inside =
                x >= TITLE_PICTURE_LEFT && x < TITLE_PICTURE_LEFT + TITLE_PICTURE_SIZE &&
                y >= TITLE_PICTURE_BOTTOM && y < TITLE_PICTURE_BOTTOM + TITLE_PICTURE_SIZE;
            if (!inside && pixelAt(x, y) != 0) std::abort();
        }
    }
    return 0;
}
