// GTK 3 backend: a top-level window destroyed by another X client.
//
// A session manager, a window manager cleaning up or `xdotool` can destroy the
// program's window without a close request first. The program must then learn
// that its window is gone (core::windowLost, which ends in WM_DESTROY), or it
// would run on with no window. An X event filter sees the DestroyNotify before
// GDK does: while GDK still believes in the window, GTK destroys the GtkWindow
// and its controls cleanly, with the X errors that touching a window that no
// longer exists brings ignored. Left to GDK, the same event ends in GTK's own
// destruction of a window whose frame clock is already gone, with criticals.
// Limits: X11 only, like the rest of the backend; a window whose XID has been
// handed out again (after the X client ran out of identifiers) could be mistaken.
#include "platform/gtk/gtk_state.h"

#include <gdk/gdkx.h>

namespace {

Gtk_Window* topLevelWithXid(XID xid) {
    for (auto& [handle, record] : Gtk_state.windows) {
        if (record.kind != backend::WindowKind::TopLevel) continue;
        GdkWindow* window = gtk_widget_get_window(record.widget);
        if (window && GDK_WINDOW_XID(window) == xid) return &record;
    }
    return nullptr;
}

// The records of the window and its controls go first, so the core's
// destruction of them that follows finds nothing left to destroy.
void forgetWithControls(HWND topLevel) {
    for (auto record = Gtk_state.windows.begin(); record != Gtk_state.windows.end();) {
        const bool belongs = record->first == topLevel || record->second.parent == topLevel;
        if (belongs && record->second.colours) g_object_unref(record->second.colours);
        record = belongs ? Gtk_state.windows.erase(record) : std::next(record);
    }
}

GdkFilterReturn onXEvent(GdkXEvent* native, GdkEvent*, gpointer) {
    const XEvent* event = static_cast<const XEvent*>(native);
    if (event->type != DestroyNotify) return GDK_FILTER_CONTINUE;
    Gtk_Window* lost = topLevelWithXid(event->xdestroywindow.window);
    if (!lost) return GDK_FILTER_CONTINUE;
    const HWND handle = lost->handle;
    GtkWidget* widget = lost->widget;
    GdkDisplay* display = gtk_widget_get_display(widget);
    forgetWithControls(handle);
    gdk_x11_display_error_trap_push(display);
    gtk_widget_destroy(widget);
    gdk_x11_display_error_trap_pop_ignored(display);
    core::windowLost(handle);
    return GDK_FILTER_REMOVE;
}

}  // namespace

void Gtk_watchForLostWindows() { gdk_window_add_filter(nullptr, onXEvent, nullptr); }
