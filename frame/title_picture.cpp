// The title picture file.
#include "frame/title_picture.h"

#include "display/picture.h"
#include "frame/frame_state.h"
#include "platform/data_file.h"

#include <cstdio>
#include <cstring>
#include <istream>
#include <streambuf>

constexpr int TITLE_PICTURE_NUMBER = 0;

namespace {
// The standard formatted extraction over a file that openDataFile opened.
class FileReadBuffer : public std::streambuf {
  public:
    explicit FileReadBuffer(std::FILE* opened) : file(opened) {}
    ~FileReadBuffer() override { std::fclose(file); }
    FileReadBuffer(const FileReadBuffer&) = delete;
    FileReadBuffer& operator=(const FileReadBuffer&) = delete;

  private:
    int_type underflow() override {
        const size_t count = std::fread(bytes, 1, sizeof bytes, file);
        if (count == 0) return traits_type::eof();
        setg(bytes, bytes, bytes + count);
        return traits_type::to_int_type(bytes[0]);
    }
    std::FILE* file;
    char bytes[4096];
};
} // namespace

bool loadTitlePicture() {
    char path[64];
    std::snprintf(path, sizeof path, "dat/tc%d.txt", TITLE_PICTURE_NUMBER);
    return readTitlePicture(path);
}

bool readTitlePicture(const char* path) {
    std::memset(frame.titlePicture, 0, sizeof frame.titlePicture);
    std::FILE* opened = openDataFile(path);
    if (!opened) return false;
    FileReadBuffer buffer(opened);
    std::istream file(&buffer);
    for (auto& line : frame.titlePicture) {
        for (int32_t& cell : line) {
            int value = 0;
            // A failed read (end of file, not a number, out of range) fails every later one
            // too, and its cell keeps 0.
            if (!(file >> value)) return true;
            cell = value;
        }
    }
    return true;
}

void drawTitlePicture() {
    for (int j = 0; j < TITLE_PICTURE_SIZE; j++) {
        for (int i = 0; i < TITLE_PICTURE_SIZE; i++) {
            int32_t value = frame.titlePicture[j][i];
            // Only the low byte counts; values outside the palette show black.
            if (value != 0) {
                putPixel(TITLE_PICTURE_LEFT + i, TITLE_PICTURE_BOTTOM + j,
                         static_cast<int8_t>(value & 0xff));
            }
        }
    }
}
