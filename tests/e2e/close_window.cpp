// Asks a window to close the way a window manager's close button does: a
// WM_PROTOCOLS client message carrying WM_DELETE_WINDOW. Xvfb runs no window
// manager, and destroying the window from outside is not what a user does.
//
// Usage: close_window WINDOW_ID   (decimal, as xdotool prints it)
// Exit status 0 when the message was sent, 1 otherwise.

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: close_window WINDOW_ID\n");
        return EXIT_FAILURE;
    }
    char* end = nullptr;
    unsigned long window = std::strtoul(argv[1], &end, 10);
    if (end == argv[1] || *end != '\0') {
        std::fprintf(stderr, "close_window: not a window id: %s\n", argv[1]);
        return EXIT_FAILURE;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "close_window: cannot open the display\n");
        return EXIT_FAILURE;
    }

    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    Status sent = XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
    XCloseDisplay(display);
    return sent != 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}
