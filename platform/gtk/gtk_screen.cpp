// GTK 3 backend: start-up, screen metrics, the pointer and the event loop.
//
// Implements backend::initialise, cursorPosition, screenRect, workArea,
// playsAloud, pollEvents and waitForEvents. Limits: X11 only (the program places its window
// in screen coordinates, which Wayland does not offer, so GDK is kept to X11 or
// XWayland); the screen is the primary monitor, at scale 1.
#include "platform/gtk/gtk_state.h"

namespace {

// GTK's theme gives an entry at least 34 pixels of height and a button 68 of
// width; the program's controls are 20 and 50. Without padding and minimum
// sizes the widgets keep the rectangles the program asks for.
const char* controlCss =
    "entry.tonvisor-control { min-height: 0; padding-top: 0; padding-bottom: 0; }"
    "button.tonvisor-control { min-height: 0; min-width: 0; padding: 0; }";

void loadControlCss() {
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, controlCss, -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
}

GdkMonitor* primaryMonitor() {
    GdkDisplay* display = gdk_display_get_default();
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    return monitor ? monitor : gdk_display_get_monitor(display, 0);
}

RECT toRect(const GdkRectangle& area) {
    return RECT{area.x, area.y, area.x + area.width, area.y + area.height};
}

}  // namespace

namespace backend {

void initialise() {
    static bool initialised = false;
    if (initialised) return;
    initialised = true;
    gdk_set_allowed_backends("x11");
    gtk_init(nullptr, nullptr);
    loadControlCss();
}

POINT cursorPosition() {
    GdkSeat* seat = gdk_display_get_default_seat(gdk_display_get_default());
    int x = 0, y = 0;
    gdk_device_get_position(gdk_seat_get_pointer(seat), nullptr, &x, &y);
    return POINT{x, y};
}

RECT screenRect() {
    GdkRectangle geometry;
    gdk_monitor_get_geometry(primaryMonitor(), &geometry);
    return toRect(geometry);
}

RECT workArea() {
    GdkRectangle area;
    gdk_monitor_get_workarea(primaryMonitor(), &area);
    return toRect(area);
}

// A desktop has speakers: the synthesizer plays through the sound server.
bool playsAloud() { return true; }

void pollEvents() {
    while (g_main_context_pending(nullptr)) g_main_context_iteration(nullptr, FALSE);
}

bool waitForEvents() {
    g_main_context_iteration(nullptr, TRUE);
    return true;
}

}  // namespace backend
