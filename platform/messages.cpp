// The program's lines on standard error, through POSIX: poll before each write, so a write
// never waits.
#include "platform/messages.h"

#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <unistd.h>

namespace {
// Shorter than a pipe's atomic write (PIPE_BUF, 4096 bytes): a pipe with room takes a line
// whole, in one write that does not wait.
constexpr size_t LINE_BYTES = 512;

struct MessageState {
    char lastLine[LINE_BYTES] = "";
    int repeats = 0;
};
MessageState messages;
std::mutex messageLock;

// Writes `line` in one go when standard error has room for it now; drops it otherwise.
void writeWithoutWaiting(const char* line) {
    pollfd output{STDERR_FILENO, POLLOUT, 0};
    if (poll(&output, 1, 0) != 1 || (output.revents & POLLOUT) == 0) return;
    const size_t length = std::strlen(line);
    while (write(STDERR_FILENO, line, length) < 0 && errno == EINTR) {
    }
}

// With messageLock held.
void writeRepeats() {
    if (messages.repeats == 0) return;
    char line[64];
    std::snprintf(line, sizeof line, "tinyarcade: the line above, %d more times\n",
                  messages.repeats);
    writeWithoutWaiting(line);
    messages.repeats = 0;
}
} // namespace

void guardStandardStreams() {
    for (int descriptor = 0; descriptor <= 2; ++descriptor) {
        if (fcntl(descriptor, F_GETFD) != -1 || errno != EBADF) continue;
        // The lower ones are open by now, so this takes the number of the closed one.
        const int opened = open("/dev/null", descriptor == 0 ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != descriptor) {
            dup2(opened, descriptor);
            close(opened);
        }
    }
    std::signal(SIGPIPE, SIG_IGN);
    std::atexit(sayRepeats);
}

void say(const char* format, ...) {
    char line[LINE_BYTES];
    const int prefix = std::snprintf(line, sizeof line, "tinyarcade: ");
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line + prefix, sizeof line - prefix - 1, format, arguments);
    va_end(arguments);
    std::strcat(line, "\n");
    std::lock_guard<std::mutex> held(messageLock);
    if (std::strcmp(line, messages.lastLine) == 0) {
        ++messages.repeats;
        return;
    }
    writeRepeats();
    writeWithoutWaiting(line);
    std::memcpy(messages.lastLine, line, sizeof line);
}

void sayRepeats() {
    std::lock_guard<std::mutex> held(messageLock);
    writeRepeats();
}

void leaveNow(int status) {
    sayRepeats();
    _exit(status);
}
