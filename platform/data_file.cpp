// Data files through POSIX: opened without blocking, kept only when fstat says regular file.
#include "platform/data_file.h"

#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::FILE* openDataFile(const char* path) {
    // O_NONBLOCK: opening a pipe waits for a writer, and a device may wait for anything.
    const int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) return nullptr;
    struct stat status;
    std::FILE* file = nullptr;
    if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) &&
        fcntl(descriptor, F_SETFL, 0) == 0) {
        file = fdopen(descriptor, "rb");
    }
    if (!file) close(descriptor);
    return file;
}

// getcwd rather than std::filesystem, whose paths and errors would weigh on the browser's page.
std::string workingFolder() {
    char path[PATH_MAX];
    return getcwd(path, sizeof path) ? path : "";
}
