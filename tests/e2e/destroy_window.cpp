// Destroys an X window from a client of its own, as a session manager or a
// window manager cleaning up may do: no close request first.
//   destroy_window WINDOW-ID      (decimal or 0x-prefixed hexadecimal)
// Exits 0 once the server has handled the request, 1 on a bad argument, no
// display or an X error (a window that does not exist).
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

namespace {

bool failed = false;

int noteError(Display*, XErrorEvent*) {
    failed = true;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    char* end = nullptr;
    const unsigned long window = argc == 2 ? std::strtoul(argv[1], &end, 0) : 0;
    if (window == 0 || *end != '\0') {
        std::fprintf(stderr, "usage: destroy_window WINDOW-ID\n");
        return 1;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "destroy_window: no X display\n");
        return 1;
    }
    XSetErrorHandler(noteError);
    XDestroyWindow(display, window);
    XSync(display, False);
    XCloseDisplay(display);
    if (failed) std::fprintf(stderr, "destroy_window: no window %s\n", argv[1]);
    return failed ? 1 : 0;
}
