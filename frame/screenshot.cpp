// Screenshots as PNG files, written to a temporary file and linked into place.
#include "frame/screenshot.h"

#include "display/video.h"
#include "frame/frame_state.h"
#include "frame/platform.h"
#include "platform/data_file.h"
#include "platform/messages.h"

#include <stb_image_write.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

void flipRows(uint8_t* rgba, int width, int height) {
    size_t rowBytes = static_cast<size_t>(width) * 4;
    for (int top = 0, bottom = height - 1; top < bottom; top++, bottom--) {
        std::swap_ranges(rgba + top * rowBytes, rgba + (top + 1) * rowBytes,
                         rgba + bottom * rowBytes);
    }
}

namespace {
// What the PNG encoder hands out, and the first error in writing it.
struct PngOutput {
    std::FILE* file;
    int error;
};

void writePngBytes(void* context, void* data, int size) {
    auto& output = *static_cast<PngOutput*>(context);
    if (output.error == 0 &&
        std::fwrite(data, 1, static_cast<size_t>(size), output.file) != static_cast<size_t>(size)) {
        output.error = errno ? errno : EIO;
    }
}

// Creates a file of our own in the working folder (never an existing one, nor through a link)
// and writes the picture into it, all the way to the disk. Returns 0 and the file's name, or
// the error; a file that could not be written whole is removed again.
int writeTemporary(const uint8_t* rgba, int width, int height, std::string& name) {
    int descriptor = -1;
    for (int attempt = 0; descriptor < 0 && attempt < 100; ++attempt) {
        name = ".screenshot-" + std::to_string(getpid()) + "-" + std::to_string(attempt) + ".tmp";
        descriptor = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor < 0 && errno != EEXIST) return errno;
    }
    if (descriptor < 0) return EEXIST;
    PngOutput output{fdopen(descriptor, "wb"), 0};
    if (!output.file) {
        output.error = errno;
        close(descriptor);
    } else {
        if (!stbi_write_png_to_func(writePngBytes, &output, width, height, 4, rgba, width * 4) &&
            output.error == 0) {
            output.error = ENOMEM;
        }
        if (std::fflush(output.file) != 0 || fsync(fileno(output.file)) != 0) {
            if (output.error == 0) output.error = errno;
        }
        if (std::fclose(output.file) != 0 && output.error == 0) output.error = errno;
    }
    if (output.error != 0) unlink(name.c_str());
    return output.error;
}

// Gives the temporary file the first free name screen<N>.png with N from `number` on, without
// ever replacing a file: a hard link fails on an existing name. Where the file system has no
// hard links, a rename after looking. Returns 0 and N, or the error.
int placeScreenshot(const std::string& temporary, int32_t& number) {
    for (; number < INT32_MAX; ++number) {
        const std::string name = "screen" + std::to_string(number) + ".png";
        if (link(temporary.c_str(), name.c_str()) == 0) {
            unlink(temporary.c_str());
            return 0;
        }
        if (errno == EEXIST) continue;
        struct stat status;
        if (lstat(name.c_str(), &status) == 0) continue;
        if (rename(temporary.c_str(), name.c_str()) == 0) return 0;
        const int error = errno;
        unlink(temporary.c_str());
        return error;
    }
    unlink(temporary.c_str());
    return EEXIST;
}

void reportFailure(int error) {
    const std::string folder = workingFolder();
    say("cannot save a screenshot in %s: %s",
        folder.empty() ? "the working folder" : folder.c_str(), std::strerror(error));
}
} // namespace

void takeScreenshot() {
    int width = 0, height = 0;
    windowSize(&width, &height);
    if (width <= 0 || height <= 0) return;
    std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
    readPresentedFrame(width, height, rgba.data());
    flipRows(rgba.data(), width, height);
    std::string temporary;
    int32_t number = frame.screenshotCounter;
    int error = writeTemporary(rgba.data(), width, height, temporary);
    if (error == 0) error = placeScreenshot(temporary, number);
    if (error != 0) {
        reportFailure(error);
        return;
    }
    frame.screenshotCounter = number + 1;
}
