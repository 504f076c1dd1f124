// Any bytes as the title picture file: reading them and drawing the picture must stay inside
// the picture's cells and the front page's pixels, whatever the numbers are.
#include "fuzz_support.h"

#include "display/picture.h"
#include "frame/title_picture.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InFuzzFolder inFolder;
    writeFuzzFile("dat/tc0.txt", data, size);
    loadTitlePicture();
    clearPicture();
    drawTitlePicture();
    // Only the picture's own square may be inked.
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
