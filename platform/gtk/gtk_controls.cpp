// GTK 3 backend: the "button", "edit" and "static" controls.
//
// Implements the controls' side of backend::createWindow and
// backend::setWindowText, setControlColours, controlTextSize, editTextArea,
// enableWindow and setCheck. A "button" is a GtkButton, or a GtkCheckButton
// for BS_AUTOCHECKBOX; an "edit" a GtkEntry (not editable with ES_READONLY);
// a "static" a GtkLabel: one line at the left, centred upright with
// SS_CENTERIMAGE, cut with "..." with SS_ENDELLIPSIS. Each stands at its pixel
// rectangle in the parent's GtkFixed, in the theme's default font (the default
// GUI font). A greyed-out control is insensitive. Clicks, typing and focus
// changes by the person go to the core; Tab, Return and Escape are taken by
// the window's key handler before the control sees them. Limits: no mnemonics
// (a static's '&' is shown as it is, as with SS_NOPREFIX), no multi-line
// edits, no wrapped static text; a check box's text may end in an ellipsis
// where GTK's font needs more room than the box has.
#include "platform/gtk/gtk_state.h"

#include <cstdio>

namespace {

// A check box set by the core reports "clicked" too.
void onClicked(GtkButton*, gpointer data) {
    if (!Gtk_state.changingQuietly) core::buttonClicked(static_cast<HWND>(data));
}

void onEditChanged(GtkEditable* editable, gpointer data) {
    if (Gtk_state.changingQuietly) return;
    core::editChanged(static_cast<HWND>(data), gtk_entry_get_text(GTK_ENTRY(editable)));
}

gboolean onFocusIn(GtkWidget*, GdkEvent*, gpointer data) {
    if (!Gtk_state.changingQuietly) core::focusChanged(static_cast<HWND>(data));
    return FALSE;
}

GtkWidget* newLabel(const backend::WindowDesc& desc) {
    GtkWidget* label = gtk_label_new(desc.text.c_str());
    gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
    gtk_label_set_yalign(GTK_LABEL(label), (desc.style & SS_CENTERIMAGE) ? 0.5f : 0.0f);
    gtk_label_set_single_line_mode(GTK_LABEL(label), TRUE);
    if (desc.style & SS_ENDELLIPSIS) gtk_label_set_ellipsize(GTK_LABEL(label), PANGO_ELLIPSIZE_END);
    return label;
}

// GTK never gives a label less room than its text, and a check box on an
// 800 x 600 screen has less: an ellipsis lets the text shorten instead.
GtkWidget* newCheckBox(const char* text) {
    GtkWidget* box = gtk_check_button_new_with_label(text);
    gtk_label_set_ellipsize(GTK_LABEL(gtk_bin_get_child(GTK_BIN(box))), PANGO_ELLIPSIZE_END);
    return box;
}

GtkWidget* newWidget(const backend::WindowDesc& desc, HWND handle) {
    if (desc.kind == backend::WindowKind::ScrollBar) return Gtk_newScrollBar(handle);
    if (desc.kind == backend::WindowKind::Button && (desc.style & BS_TYPEMASK) == BS_AUTOCHECKBOX)
        return newCheckBox(desc.text.c_str());
    if (desc.kind == backend::WindowKind::Button) return gtk_button_new_with_label(desc.text.c_str());
    if (desc.kind == backend::WindowKind::Static) return newLabel(desc);
    GtkWidget* entry = gtk_entry_new();
    gtk_entry_set_width_chars(GTK_ENTRY(entry), 0);
    gtk_entry_set_text(GTK_ENTRY(entry), desc.text.c_str());
    if (desc.style & ES_READONLY) gtk_editable_set_editable(GTK_EDITABLE(entry), FALSE);
    return entry;
}

void connectSignals(GtkWidget* widget, backend::WindowKind kind, HWND handle) {
    // A static neither takes the focus nor changes; a scroll bar reports its own moves.
    if (kind == backend::WindowKind::Static || kind == backend::WindowKind::ScrollBar) return;
    if (kind == backend::WindowKind::Button)
        g_signal_connect(widget, "clicked", G_CALLBACK(onClicked), handle);
    else
        g_signal_connect(widget, "changed", G_CALLBACK(onEditChanged), handle);
    g_signal_connect(widget, "focus-in-event", G_CALLBACK(onFocusIn), handle);
}

// "#rrggbb" from a COLORREF (red in the low byte).
void formatColour(char (&text)[8], COLORREF colour) {
    std::snprintf(text, sizeof text, "#%02x%02x%02x", static_cast<unsigned>(colour & 0xff),
                  static_cast<unsigned>((colour >> 8) & 0xff), static_cast<unsigned>((colour >> 16) & 0xff));
}

}  // namespace

void Gtk_createControl(Gtk_Window& record, const backend::WindowDesc& desc) {
    Gtk_Window* parent = Gtk_find(desc.parent);
    if (!parent || !parent->fixed) return;
    record.widget = newWidget(desc, record.handle);
    gtk_style_context_add_class(gtk_widget_get_style_context(record.widget), "tonvisor-control");
    connectSignals(record.widget, desc.kind, record.handle);
    gtk_widget_set_size_request(record.widget, desc.client.right - desc.client.left,
                                desc.client.bottom - desc.client.top);
    gtk_fixed_put(GTK_FIXED(parent->fixed), record.widget, desc.client.left, desc.client.top);
    gtk_widget_set_sensitive(record.widget, !(desc.style & WS_DISABLED));
    if (desc.style & WS_VISIBLE) gtk_widget_show(record.widget);
}

void Gtk_placeControl(Gtk_Window& record, const RECT& rect) {
    GtkWidget* fixed = gtk_widget_get_parent(record.widget);
    if (!GTK_IS_FIXED(fixed)) return;
    record.client = rect;
    gtk_widget_set_size_request(record.widget, rect.right - rect.left, rect.bottom - rect.top);
    gtk_fixed_move(GTK_FIXED(fixed), record.widget, rect.left, rect.top);
}

// The CSS class keeps the 20-pixel entry of a 1024 x 768 screen, but GTK never
// makes an entry lower than its text (19 pixels in the default font) and an
// 800 x 600 screen asks for 16. So once the GtkFixed has placed its children,
// each control gets its own rectangle again; the text is clipped, as on Windows.
void Gtk_keepControlRectangles(const GdkRectangle& area, HWND topLevel) {
    for (auto& [handle, record] : Gtk_state.windows) {
        if (record.parent != topLevel || !gtk_widget_get_visible(record.widget)) continue;
        GtkAllocation box{area.x + record.client.left, area.y + record.client.top,
                          record.client.right - record.client.left, record.client.bottom - record.client.top};
        gtk_widget_size_allocate(record.widget, &box);
    }
}

void Gtk_setControlText(Gtk_Window& record, const char* text) {
    ++Gtk_state.changingQuietly;
    if (record.kind == backend::WindowKind::Button)
        gtk_button_set_label(GTK_BUTTON(record.widget), text);
    else if (record.kind == backend::WindowKind::Static)
        gtk_label_set_text(GTK_LABEL(record.widget), text);
    else
        gtk_entry_set_text(GTK_ENTRY(record.widget), text);
    --Gtk_state.changingQuietly;
}

namespace backend {

void enableWindow(HWND window, bool enabled) {
    if (Gtk_Window* record = Gtk_find(window); record && record->kind != WindowKind::TopLevel)
        gtk_widget_set_sensitive(record->widget, enabled);
}

void setCheck(HWND checkBox, bool checked) {
    Gtk_Window* record = Gtk_find(checkBox);
    if (!record || !GTK_IS_CHECK_BUTTON(record->widget)) return;
    ++Gtk_state.changingQuietly;
    gtk_toggle_button_set_active(GTK_TOGGLE_BUTTON(record->widget), checked);
    --Gtk_state.changingQuietly;
}

SIZE controlTextSize(HWND control, const std::string& text) {
    Gtk_Window* record = Gtk_find(control);
    if (!record) return SIZE{0, 0};
    PangoLayout* layout = gtk_widget_create_pango_layout(record->widget, text.c_str());
    int width = 0, height = 0;
    pango_layout_get_pixel_size(layout, &width, &height);
    g_object_unref(layout);
    return SIZE{width, height};
}

// GTK knows the text area once the entry has its place; before, there is none.
RECT editTextArea(HWND edit) {
    Gtk_Window* record = Gtk_find(edit);
    if (!record || record->kind != WindowKind::Edit || !gtk_widget_get_realized(record->widget))
        return RECT{0, 0, 0, 0};
    GdkRectangle area;
    gtk_entry_get_text_area(GTK_ENTRY(record->widget), &area);
    return RECT{area.x, area.y, area.x + area.width, area.y + area.height};
}

void setControlColours(HWND control, COLORREF text, COLORREF background) {
    Gtk_Window* record = Gtk_find(control);
    if (!record || (record->kind != WindowKind::Edit && record->kind != WindowKind::Static)) return;
    // Restyling costs a redraw; the program answers with the same colours every time.
    if (record->colours && record->textColour == text && record->backgroundColour == background) return;
    record->textColour = text;
    record->backgroundColour = background;
    if (!record->colours) {
        record->colours = gtk_css_provider_new();
        gtk_style_context_add_provider(gtk_widget_get_style_context(record->widget),
                                       GTK_STYLE_PROVIDER(record->colours),
                                       GTK_STYLE_PROVIDER_PRIORITY_APPLICATION + 1);
    }
    char textColour[8], backgroundColour[8];
    formatColour(textColour, text);
    formatColour(backgroundColour, background);
    // No transition: the colours hold from the first frame, as on Windows.
    char css[160];
    std::snprintf(css, sizeof css, "%s { color: %s; background-color: %s; background-image: none; transition: none; }",
                  record->kind == WindowKind::Edit ? "entry" : "label", textColour, backgroundColour);
    gtk_css_provider_load_from_data(record->colours, css, -1, nullptr);
}

}  // namespace backend
