// GTK 3 backend: showing a window's backing image, and its icon.
//
// Implements backend::present and backend::setWindowIcon. The client area is a
// GtkDrawingArea that copies the backing image the core last presented (a
// Cairo image surface) onto the screen, so X exposures are repaired from the
// image without a WM_PAINT; the core asks for a repaint only where its image
// changed.
#include "platform/gtk/gtk_state.h"

namespace {

gboolean drawBackingImage(GtkWidget*, cairo_t* cr, gpointer data) {
    const Gtk_Window* record = Gtk_find(static_cast<HWND>(data));
    cairo_surface_t* image = record ? record->image : nullptr;
    if (!image) return FALSE;
    cairo_surface_flush(image);
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_paint(cr);
    return TRUE;
}

}  // namespace

GtkWidget* Gtk_createDrawingArea(HWND window) {
    GtkWidget* area = gtk_drawing_area_new();
    g_signal_connect(area, "draw", G_CALLBACK(drawBackingImage), window);
    return area;
}

namespace backend {

void present(HWND window, cairo_surface_t* image, const RECT& area) {
    Gtk_Window* record = Gtk_find(window);
    if (!record || !record->area) return;
    record->image = image;
    gtk_widget_queue_draw_area(record->area, area.left, area.top, area.right - area.left,
                               area.bottom - area.top);
}

void setWindowIcon(HWND window, cairo_surface_t* icon) {
    Gtk_Window* record = Gtk_find(window);
    if (!record || record->kind != WindowKind::TopLevel || !icon) return;
    GdkPixbuf* pixbuf = gdk_pixbuf_get_from_surface(icon, 0, 0, cairo_image_surface_get_width(icon),
                                                    cairo_image_surface_get_height(icon));
    if (!pixbuf) return;
    gtk_window_set_icon(GTK_WINDOW(record->widget), pixbuf);
    g_object_unref(pixbuf);
}

}  // namespace backend
