// GTK 3 backend: the "scrollbar" control as a horizontal GtkScrollbar.
//
// Implements backend::setScrollBar. The adjustment runs from the bar's min to
// max + 1 with the page as its page size, as Windows' range includes max; a
// move by the person reaches the core as core::scrollBarMoved, a move the core
// asks for does not.
#include "platform/gtk/gtk_state.h"

#include <algorithm>
#include <cmath>

namespace {

void onValueChanged(GtkAdjustment* adjustment, gpointer data) {
    if (Gtk_state.changingQuietly) return;
    core::scrollBarMoved(static_cast<HWND>(data), static_cast<int>(std::lround(gtk_adjustment_get_value(adjustment))));
}

}  // namespace

GtkWidget* Gtk_newScrollBar(HWND handle) {
    GtkAdjustment* adjustment = gtk_adjustment_new(0, 0, 101, 1, 10, 0);
    g_signal_connect(adjustment, "value-changed", G_CALLBACK(onValueChanged), handle);
    return gtk_scrollbar_new(GTK_ORIENTATION_HORIZONTAL, adjustment);
}

namespace backend {

void setScrollBar(HWND scrollBar, int min, int max, int page, int position) {
    Gtk_Window* record = Gtk_find(scrollBar);
    if (!record || record->kind != WindowKind::ScrollBar) return;
    ++Gtk_state.changingQuietly;
    GtkAdjustment* adjustment = gtk_range_get_adjustment(GTK_RANGE(record->widget));
    const double step = std::max(1, page / 10);
    gtk_adjustment_configure(adjustment, position, min, max + 1.0, step, std::max(page, 1), page);
    --Gtk_state.changingQuietly;
}

}  // namespace backend
