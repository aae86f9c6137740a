// GTK 3 backend: top-level windows and the person's events on them.
//
// Implements backend::createWindow, destroyWindow, moveWindow, showWindow,
// setWindowText and setFocus. A top-level window is a GtkWindow decorated by
// the window manager, placed with static gravity so that the position the core
// gives is its client area's; it holds a GtkFixed with the drawing area and the
// controls. Its events go to the core: the left button and the wheel on the
// client area, Tab, Shift+Tab, Return and Escape in any of its widgets (and
// the arrows, space, + and - while no control has the focus), the close box, and
// moves or resizes by the window manager. Limits: the window does not shrink
// below the extent of its controls; only the left mouse button is reported.
#include "platform/gtk/gtk_state.h"

#include <algorithm>

Gtk_Screen Gtk_state;

Gtk_Window* Gtk_find(HWND window) {
    auto found = Gtk_state.windows.find(window);
    return found == Gtk_state.windows.end() ? nullptr : &found->second;
}

Gtk_Window* Gtk_findWidget(GtkWidget* widget) {
    for (auto& [handle, record] : Gtk_state.windows)
        if (record.widget == widget) return &record;
    return nullptr;
}

namespace {

HWND handleOf(gpointer data) { return static_cast<HWND>(data); }

RECT outerOf(const RECT& client) {
    return RECT{client.left - core::frameLeft, client.top - core::frameTop,
                client.right + core::frameRight, client.bottom + core::frameBottom};
}

bool sameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

int virtualKeyOf(guint keyval) {
    switch (keyval) {
        case GDK_KEY_Tab:
        case GDK_KEY_ISO_Left_Tab:
        case GDK_KEY_KP_Tab:
            return VK_TAB;
        case GDK_KEY_Return:
        case GDK_KEY_KP_Enter:
        case GDK_KEY_ISO_Enter:
            return VK_RETURN;
        case GDK_KEY_Escape:
            return VK_ESCAPE;
        default:
            return 0;
    }
}

// The keys a window with no control focused takes for itself (the piece
// window's stepping, playing, zooming and saving); a control keeps them for its own use.
int windowKeyOf(guint keyval, bool control) {
    switch (keyval) {
        case GDK_KEY_s:
        case GDK_KEY_S:
            return control ? 'S' : 0;
        case GDK_KEY_Left:
        case GDK_KEY_KP_Left:
            return VK_LEFT;
        case GDK_KEY_Right:
        case GDK_KEY_KP_Right:
            return VK_RIGHT;
        case GDK_KEY_space:
            return VK_SPACE;
        case GDK_KEY_plus:
        case GDK_KEY_equal:
            return VK_OEM_PLUS;
        case GDK_KEY_KP_Add:
            return VK_ADD;
        case GDK_KEY_minus:
            return VK_OEM_MINUS;
        case GDK_KEY_KP_Subtract:
            return VK_SUBTRACT;
        default:
            return 0;
    }
}

// Runs before the focused widget sees the key, so GTK neither moves the focus
// nor activates the control itself: the program's dialog navigation decides.
gboolean onKeyPress(GtkWidget* widget, GdkEventKey* event, gpointer data) {
    GtkWidget* focus = gtk_window_get_focus(GTK_WINDOW(widget));
    const bool control = (event->state & GDK_CONTROL_MASK) != 0;
    const int virtualKey = focus ? virtualKeyOf(event->keyval)
                                 : std::max(virtualKeyOf(event->keyval), windowKeyOf(event->keyval, control));
    if (!virtualKey) return FALSE;
    Gtk_Window* focused = focus ? Gtk_findWidget(focus) : nullptr;
    core::keyPressed(focused ? focused->handle : handleOf(data), virtualKey,
                     (event->state & GDK_SHIFT_MASK) != 0, control);
    return TRUE;
}

gboolean onDelete(GtkWidget*, GdkEvent*, gpointer data) {
    core::closeRequested(handleOf(data));
    return TRUE;  // the program decides whether the window goes
}

gboolean onConfigure(GtkWidget* widget, GdkEventConfigure* event, gpointer data) {
    Gtk_Window* record = Gtk_find(handleOf(data));
    if (!record) return FALSE;
    int x = 0, y = 0;
    gdk_window_get_origin(gtk_widget_get_window(widget), &x, &y);
    const RECT client{x, y, x + event->width, y + event->height};
    if (sameRect(client, record->client)) return FALSE;
    record->client = client;
    core::windowMoved(record->handle, outerOf(client), client);
    return FALSE;
}

// A point over a control belongs to the control, as on Windows.
bool overControl(GtkWidget* fixed, GtkWidget* area, int x, int y) {
    bool over = false;
    GList* children = gtk_container_get_children(GTK_CONTAINER(fixed));
    for (GList* child = children; child && !over; child = child->next) {
        GtkWidget* widget = GTK_WIDGET(child->data);
        if (widget == area || !gtk_widget_get_visible(widget)) continue;
        GtkAllocation box;
        gtk_widget_get_allocation(widget, &box);
        over = x >= box.x && y >= box.y && x < box.x + box.width && y < box.y + box.height;
    }
    g_list_free(children);
    return over;
}

gboolean onButtonPress(GtkWidget*, GdkEventButton* event, gpointer data) {
    // Double and triple clicks also arrive as plain presses first; the
    // program asks for no double-click messages.
    if (event->type != GDK_BUTTON_PRESS || event->button != 1) return FALSE;
    core::mousePressed(handleOf(data), static_cast<int>(event->x), static_cast<int>(event->y));
    return TRUE;
}

gboolean onButtonRelease(GtkWidget* area, GdkEventButton* event, gpointer data) {
    if (event->button != 1) return FALSE;
    // GTK sends the release to the widget that saw the press wherever it
    // happens; Windows sends it to the window under the pointer.
    const int x = static_cast<int>(event->x), y = static_cast<int>(event->y);
    const bool inside = x >= 0 && y >= 0 && x < gtk_widget_get_allocated_width(area) &&
                        y < gtk_widget_get_allocated_height(area);
    if (inside && !overControl(gtk_widget_get_parent(area), area, x, y))
        core::mouseReleased(handleOf(data), x, y);
    return TRUE;
}

// A notch is WHEEL_DELTA; a smooth scroll gives its share of one.
gboolean onScroll(GtkWidget*, GdkEventScroll* event, gpointer data) {
    double delta = 0;
    if (event->direction == GDK_SCROLL_UP) delta = 1;
    else if (event->direction == GDK_SCROLL_DOWN) delta = -1;
    else if (event->direction == GDK_SCROLL_SMOOTH) delta = -event->delta_y;
    const int notches = static_cast<int>(delta * WHEEL_DELTA);
    if (notches == 0) return FALSE;
    core::wheelTurned(handleOf(data), notches, (event->state & GDK_CONTROL_MASK) != 0,
                      static_cast<int>(event->x_root), static_cast<int>(event->y_root));
    return TRUE;
}

// The drawing area fills the client area at any size (GtkFixed would give it
// only its own request, which would also fix the window's minimum size).
void onFixedAllocated(GtkWidget*, GdkRectangle* area, gpointer data) {
    Gtk_Window* record = Gtk_find(handleOf(data));
    if (!record) return;
    gtk_widget_size_allocate(record->area, area);
    Gtk_keepControlRectangles(*area, record->handle);
}

void createTopLevel(Gtk_Window& record, const backend::WindowDesc& desc) {
    const int width = desc.client.right - desc.client.left;
    const int height = desc.client.bottom - desc.client.top;
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), desc.text.c_str());
    gtk_window_set_gravity(GTK_WINDOW(window), GDK_GRAVITY_STATIC);
    gtk_window_move(GTK_WINDOW(window), desc.client.left, desc.client.top);
    gtk_window_set_default_size(GTK_WINDOW(window), width, height);
    record.widget = window;
    record.fixed = gtk_fixed_new();
    record.area = Gtk_createDrawingArea(record.handle);
    gtk_container_add(GTK_CONTAINER(window), record.fixed);
    gtk_fixed_put(GTK_FIXED(record.fixed), record.area, 0, 0);
    gtk_widget_add_events(record.area, GDK_BUTTON_PRESS_MASK | GDK_BUTTON_RELEASE_MASK | GDK_SCROLL_MASK);
    g_signal_connect(window, "key-press-event", G_CALLBACK(onKeyPress), record.handle);
    g_signal_connect(window, "delete-event", G_CALLBACK(onDelete), record.handle);
    g_signal_connect(window, "configure-event", G_CALLBACK(onConfigure), record.handle);
    g_signal_connect(record.area, "button-press-event", G_CALLBACK(onButtonPress), record.handle);
    g_signal_connect(record.area, "button-release-event", G_CALLBACK(onButtonRelease), record.handle);
    g_signal_connect(record.area, "scroll-event", G_CALLBACK(onScroll), record.handle);
    g_signal_connect_after(record.fixed, "size-allocate", G_CALLBACK(onFixedAllocated), record.handle);
    gtk_widget_show(record.fixed);
    gtk_widget_show(record.area);
    if (desc.style & WS_VISIBLE) backend::showWindow(record.handle, true);
}

void showTopLevel(Gtk_Window& record, bool activate) {
    ++Gtk_state.changingQuietly;
    // Mapped without the focus, the window manager leaves the active window be.
    gtk_window_set_focus_on_map(GTK_WINDOW(record.widget), activate);
    if (activate)
        gtk_window_present(GTK_WINDOW(record.widget));
    else
        gtk_widget_show(record.widget);
    // GTK focuses the first control when a window first shows; Windows gives
    // the focus to the window itself, and the program moves it from there.
    gtk_window_set_focus(GTK_WINDOW(record.widget), nullptr);
    --Gtk_state.changingQuietly;
}

}  // namespace

namespace backend {

void createWindow(HWND window, const WindowDesc& desc) {
    Gtk_Window& record = Gtk_state.windows[window];
    record = Gtk_Window{desc.kind, window, desc.parent, nullptr, nullptr, nullptr, desc.client, nullptr, 0, 0, nullptr};
    if (desc.kind == WindowKind::TopLevel)
        createTopLevel(record, desc);
    else
        Gtk_createControl(record, desc);
    if (!record.widget) Gtk_state.windows.erase(window);
}

void destroyWindow(HWND window) {
    Gtk_Window* record = Gtk_find(window);
    if (!record) return;
    if (record->colours) g_object_unref(record->colours);
    GtkWidget* widget = record->widget;
    Gtk_state.windows.erase(window);
    gtk_widget_destroy(widget);
}

void moveWindow(HWND window, const RECT& outer, const RECT& client) {
    Gtk_Window* record = Gtk_find(window);
    if (!record) return;
    if (record->kind != WindowKind::TopLevel) {
        Gtk_placeControl(*record, client);
        return;
    }
    const int width = client.right - client.left, height = client.bottom - client.top;
    record->client = client;
    gtk_window_move(GTK_WINDOW(record->widget), client.left, client.top);
    gtk_window_resize(GTK_WINDOW(record->widget), width, height);
}

void showWindow(HWND window, bool visible, bool activate) {
    Gtk_Window* record = Gtk_find(window);
    if (!record) return;
    if (!visible)
        gtk_widget_hide(record->widget);
    else if (record->kind == WindowKind::TopLevel)
        showTopLevel(*record, activate);
    else
        gtk_widget_show(record->widget);
}

void setWindowText(HWND window, const char* text) {
    Gtk_Window* record = Gtk_find(window);
    if (!record) return;
    if (record->kind == WindowKind::TopLevel)
        gtk_window_set_title(GTK_WINDOW(record->widget), text);
    else
        Gtk_setControlText(*record, text);
}

void setFocus(HWND window) {
    Gtk_Window* record = Gtk_find(window);
    if (!record) return;
    ++Gtk_state.changingQuietly;
    if (record->kind == WindowKind::TopLevel)
        gtk_window_set_focus(GTK_WINDOW(record->widget), nullptr);
    else if (record->kind == WindowKind::Edit)
        gtk_entry_grab_focus_without_selecting(GTK_ENTRY(record->widget));
    else
        gtk_widget_grab_focus(record->widget);
    --Gtk_state.changingQuietly;
}

}  // namespace backend
