// The baseline for the start-up figure: the least an X program can do to show
// a coloured window. One window of the form's size in the panel's colour,
// mapped, then idle until it is stopped.
//   trivial_window WIDTH HEIGHT RRGGBB
#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: trivial_window WIDTH HEIGHT RRGGBB\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return 1;
    unsigned long colour = std::strtoul(argv[3], nullptr, 16);
    Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0,
                                        std::atoi(argv[1]), std::atoi(argv[2]), 0, 0, colour);
    XStoreName(display, window, "Baseline");
    XMapWindow(display, window);
    XFlush(display);
    for (XEvent event;;) XNextEvent(display, &event);
}
