// Asks a window to close the way a window manager's close button does: a WM_DELETE_WINDOW
// client message. Under Xvfb there is no window manager, and `xdotool windowclose` destroys
// the window outright instead of asking, which no program sees as a close request.
//
//   close_window WINDOW_ID    the id as xdotool prints it
//
// Exits with 0 once the message is sent, 2 without a window id or a display.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(nullptr);
    Window window = argc == 2 ? std::strtoul(argv[1], nullptr, 0) : 0;
    if (!display || window == 0) {
        std::fprintf(stderr, "usage: close_window WINDOW_ID, with a display\n");
        return 2;
    }
    XEvent event = {}; // its time, data.l[1], stays 0: CurrentTime
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    XSendEvent(display, window, False, NoEventMask, &event);
    // XSync rather than XFlush: the message is surely sent before the tool leaves, and a window
    // id that does not exist ends it here with X's own error.
    XSync(display, False);
    XCloseDisplay(display);
    return 0;
}
