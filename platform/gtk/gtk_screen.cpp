// GTK 3 backend: start-up, screen metrics, the pointer, the clock and the
// event loop.
//
// Implements backend::initialise, cursorPosition, screenRect, workArea,
// milliseconds, clockIsVirtual, playsAloud, pollEvents, waitForEvents and wake. Limits: X11
// only (the program places its window in screen coordinates, which Wayland does
// not offer, so GDK is kept to X11 or XWayland); the screen is the primary
// monitor, at scale 1.
#include "platform/gtk/gtk_state.h"

#include <algorithm>

namespace {

// GTK's theme gives an entry at least 34 pixels of height and a button 68 of
// width; the program's controls are 20 and 50. Without padding and minimum
// sizes the widgets keep the rectangles the program asks for. A check box
// fills its rectangle with the button face, as on Windows, rather than let
// the window's picture show through.
const char* controlCss =
    "entry.tonvisor-control { min-height: 0; padding-top: 0; padding-bottom: 0; }"
    "button.tonvisor-control { min-height: 0; min-width: 0; padding: 0; }"
    "checkbutton.tonvisor-control { min-height: 0; padding: 0 0 0 2px; background-color: @theme_bg_color; }"
    "checkbutton.tonvisor-control check { margin: 0 4px 0 0; }"
    "checkbutton.tonvisor-control label { margin: 0; }";

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
    if (Gtk_state.initialised) return;
    Gtk_state.initialised = true;
    gdk_set_allowed_backends("x11");
    gtk_init(nullptr, nullptr);
    loadControlCss();
    Gtk_watchForLostWindows();
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

std::uint64_t milliseconds() { return static_cast<std::uint64_t>(g_get_monotonic_time() / 1000); }

// A desktop has speakers: the synthesizer plays through the sound server.
bool clockIsVirtual() { return false; }

bool playsAloud() { return true; }

void pollEvents() {
    while (g_main_context_pending(nullptr)) g_main_context_iteration(nullptr, FALSE);
}

// A timeout source of GLib's own monotonic clock ends the wait; it fires no
// earlier than milliseconds() reaches the end, which rounds down.
bool waitForEvents(std::int64_t timeout) {
    GSource* deadline = nullptr;
    if (timeout >= 0) {
        deadline = g_timeout_source_new(static_cast<guint>(std::min<std::int64_t>(timeout, G_MAXUINT)));
        g_source_set_callback(deadline, [](gpointer) -> gboolean { return G_SOURCE_REMOVE; }, nullptr, nullptr);
        g_source_attach(deadline, nullptr);
    }
    g_main_context_iteration(nullptr, TRUE);
    if (deadline) {
        g_source_destroy(deadline);
        g_source_unref(deadline);
    }
    return true;
}

// GLib's own wake-up, which may be called from any thread.
void wake() { g_main_context_wakeup(nullptr); }

}  // namespace backend
