// Asks a window to close the way a window manager's close button does: a WM_DELETE_WINDOW
// client message. Under Xvfb there is no window manager, and `xdotool windowclose` destroys
// the window outright instead of asking, which no program sees as a close request.
//
//   close_window WINDOW_ID...    window ids as xdotool prints them (decimal or 0x hex)
//
// Exits with 0 once every message is sent, 2 on a bad argument or no display.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: close_window WINDOW_ID...\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "close_window: cannot open the display\n");
        return 2;
    }
    Atom protocols = XInternAtom(display, "WM_PROTOCOLS", False);
    Atom deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    for (int i = 1; i < argc; i++) {
        char* end = nullptr;
        Window window = std::strtoul(argv[i], &end, 0);
        if (!end || *end || window == 0) {
            std::fprintf(stderr, "close_window: not a window id: %s\n", argv[i]);
            return 2;
        }
        XEvent event = {};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = protocols;
        event.xclient.format = 32;
        event.xclient.data.l[0] = static_cast<long>(deleteWindow);
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display, window, False, NoEventMask, &event);
    }
    // XSync rather than XFlush: the messages are surely sent before the tool leaves, and a
    // window id that does not exist ends it here with X's own error.
    XSync(display, False);
    XCloseDisplay(display);
    return 0;
}
