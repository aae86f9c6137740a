// Windows: classes, creation, rectangles, visibility, text and destruction.
//
// A top-level window's outer rectangle is its client area plus the layer's
// fixed frame (core.h); its pixels live in a backing image the size of the
// client area, which the window hands to its DC and to the screen whenever it
// gets a new one. Controls are rectangles in their parent's client area.
#include "platform/seam/cairo_colour.h"
#include "platform/gdi32/gdi_state.h"
#include "platform/seam/handles.h"
#include "platform/user32/user_state.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <strings.h>

namespace user {
namespace {

// Never destroyed: windows outlive static destruction, as they would on Windows.
auto& windows = *new std::map<HWND, Window>;
auto& order = *new std::vector<HWND>;

struct CaseInsensitive {
    bool operator()(const std::string& a, const std::string& b) const {
        return strcasecmp(a.c_str(), b.c_str()) < 0;
    }
};
std::map<std::string, WindowClass, CaseInsensitive> classes;

const WindowClass builtinClasses[] = {
    {"button", 0, buttonProcedure, nullptr, nullptr, backend::WindowKind::Button},
    {"edit", 0, editProcedure, nullptr, nullptr, backend::WindowKind::Edit},
    {"static", 0, staticProcedure, nullptr, nullptr, backend::WindowKind::Static},
    {"scrollbar", 0, scrollBarProcedure, nullptr, nullptr, backend::WindowKind::ScrollBar},
};

RECT clientOf(const RECT& outer) {
    RECT client{outer.left + core::frameLeft, outer.top + core::frameTop,
                outer.right - core::frameRight, outer.bottom - core::frameBottom};
    client.right = std::max(client.right, client.left);
    client.bottom = std::max(client.bottom, client.top);
    return client;
}

RECT rectAt(int x, int y, int width, int height) {
    return RECT{x, y, static_cast<LONG>(x + std::max(width, 0)),
                static_cast<LONG>(y + std::max(height, 0))};
}

cairo_surface_t* newImage(const RECT& client, HBRUSH background) {
    cairo_surface_t* image =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, widthOf(client), heightOf(client));
    COLORREF colour = RGB(255, 255, 255);
    gdi::brushColour(background, &colour);
    fillImage(image, colour);
    return image;
}

// The screen shows a new backing image whole.
void presentNewImage(const Window& window) {
    backend::present(window.handle, window.image, RECT{0, 0, widthOf(window.client), heightOf(window.client)});
}

backend::WindowDesc describe(const Window& window) {
    return backend::WindowDesc{window.kind,  window.parent, window.id,    window.style,
                               window.exStyle, window.text, window.outer, window.client};
}

void freeWindow(HWND handle) {
    Window& window = windows.at(handle);
    for (HWND child : std::vector<HWND>(window.children)) freeWindow(child);
    backend::destroyWindow(handle);
    forgetFocusOn(handle);
    killTimersOf(handle);
    forbidPosts(handle);
    gdi::destroyDC(window.dc);
    if (window.image) cairo_surface_destroy(window.image);
    if (Window* parent = find(window.parent)) std::erase(parent->children, handle);
    std::erase(order, handle);
    windows.erase(handle);
}

void sendDestroy(HWND handle) {
    Window* window = find(handle);
    if (!window) return;
    window->destroying = true;
    SendMessageA(handle, WM_DESTROY, 0, 0);
    if (!(window = find(handle))) return;
    for (HWND child : std::vector<HWND>(window->children)) sendDestroy(child);
}

}  // namespace

Window* find(HWND handle) {
    auto found = windows.find(handle);
    return found == windows.end() ? nullptr : &found->second;
}

const std::vector<HWND>& windowsInOrder() { return order; }

const WindowClass* findClass(const char* name) {
    if (!name) return nullptr;
    auto found = classes.find(name);
    if (found != classes.end()) return &found->second;
    for (const WindowClass& builtin : builtinClasses)
        if (strcasecmp(builtin.name.c_str(), name) == 0) return &builtin;
    return nullptr;
}

void forgetClasses() { classes.clear(); }

void fillImage(cairo_surface_t* image, COLORREF colour) {
    cairo_t* cairo = cairo_create(image);
    setSourceColour(cairo, colour);
    cairo_paint(cairo);
    cairo_destroy(cairo);
}

int widthOf(const RECT& rect) { return std::max(0, static_cast<int>(rect.right - rect.left)); }
int heightOf(const RECT& rect) { return std::max(0, static_cast<int>(rect.bottom - rect.top)); }

bool shown(const Window& window) {
    if (!window.visible) return false;
    const Window* parent = find(window.parent);
    return !parent || shown(*parent);
}

bool usable(const Window& window) {
    if (window.style & WS_DISABLED) return false;
    const Window* parent = find(window.parent);
    return !parent || usable(*parent);
}

bool isCheckBox(const Window& window) {
    return window.kind == backend::WindowKind::Button && (window.style & BS_TYPEMASK) == BS_AUTOCHECKBOX;
}

bool isDescendant(HWND handle, HWND ancestor) {
    for (const Window* window = find(handle); window; window = find(window->parent))
        if (window->parent == ancestor && ancestor) return true;
    return false;
}

void invalidate(Window& window) {
    window.invalid = true;
    window.erase = true;
    for (HWND child : window.children) invalidate(*find(child));
}

void destroyWindow(HWND handle) {
    Window* window = find(handle);
    if (!window || window->destroying) return;
    sendDestroy(handle);
    if (find(handle)) freeWindow(handle);
}

void destroyAllQuietly() {
    for (HWND handle : std::vector<HWND>(order))
        if (Window* window = find(handle); window && !window->parent) freeWindow(handle);
}

void resizeClient(Window& window, const RECT& outer, const RECT& client) {
    const bool resized = widthOf(client) != widthOf(window.client) ||
                         heightOf(client) != heightOf(window.client);
    window.outer = outer;
    window.client = client;
    if (!resized || !window.image) return;
    const LPARAM size = static_cast<LPARAM>((heightOf(client) & 0xFFFF) << 16 | (widthOf(client) & 0xFFFF));
    queueInput(window.handle, WM_SIZE, 0, size);
    cairo_surface_t* image = newImage(client, window.background);
    cairo_t* cairo = cairo_create(image);
    cairo_set_source_surface(cairo, window.image, 0, 0);
    cairo_paint(cairo);
    cairo_destroy(cairo);
    cairo_surface_t* old = window.image;
    window.image = image;
    gdi::setImage(window.dc, image);
    presentNewImage(window);
    cairo_surface_destroy(old);
    invalidate(window);
}

}  // namespace user

using user::Window;

ATOM WINAPI RegisterClassA(const WNDCLASSA* windowClass) {
    static ATOM nextAtom = 0xC000;
    if (!windowClass || !windowClass->lpszClassName || !windowClass->lpfnWndProc) return 0;
    auto [entry, added] = user::classes.try_emplace(windowClass->lpszClassName);
    if (!added) return 0;
    entry->second = user::WindowClass{windowClass->lpszClassName, windowClass->style,
                                      windowClass->lpfnWndProc, windowClass->hbrBackground,
                                      windowClass->hIcon, backend::WindowKind::TopLevel};
    return nextAtom++;
}

HWND WINAPI CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style,
                            int x, int y, int width, int height, HWND parent, HMENU menu,
                            HINSTANCE instance, LPVOID param) {
    user::useBackend();
    const user::WindowClass* windowClass = user::findClass(className);
    const bool child = (style & WS_CHILD) != 0;
    if (!windowClass || (child && !user::find(parent))) return nullptr;

    HWND handle = core::newHandle<HWND>();
    Window& window = user::windows[handle];
    window.handle = handle;
    window.kind = windowClass->kind;
    window.classStyle = windowClass->style;
    window.procedure = windowClass->procedure;
    window.background = windowClass->background;
    window.parent = child ? parent : nullptr;
    window.id = child ? static_cast<int>(reinterpret_cast<std::uintptr_t>(menu)) : 0;
    window.style = style;
    window.exStyle = exStyle;
    window.text = windowName ? windowName : "";
    window.outer = user::rectAt(x, y, width, height);
    window.client = child ? window.outer : user::clientOf(window.outer);
    window.visible = (style & WS_VISIBLE) != 0;
    window.dc = gdi::createDC(handle);
    if (!child) {
        window.image = user::newImage(window.client, window.background);
        gdi::setImage(window.dc, window.image);
    }
    user::invalidate(window);
    user::order.push_back(handle);
    if (child) user::find(parent)->children.push_back(handle);
    user::allowPosts(handle);

    backend::createWindow(handle, user::describe(window));
    if (window.image) user::presentNewImage(window);
    if (cairo_surface_t* icon = user::iconImage(windowClass->icon); icon && !child)
        backend::setWindowIcon(handle, icon);
    if (!child && window.visible) user::activate(handle);
    return handle;
}

BOOL WINAPI ShowWindow(HWND handle, int show) {
    constexpr int hide = 0;  // SW_HIDE
    const bool activate = show != SW_SHOWNOACTIVATE;
    Window* window = user::find(handle);
    if (!window) return FALSE;
    const BOOL wasVisible = window->visible;
    window->visible = show != hide;
    if (window->visible == static_cast<bool>(wasVisible)) return wasVisible;
    backend::showWindow(handle, window->visible, activate);
    if (window->visible) {
        user::invalidate(*window);
        if (!window->parent && activate) user::activate(handle);
    }
    return wasVisible;
}

BOOL WINAPI SetWindowPos(HWND handle, HWND insertAfter, int x, int y, int width, int height,
                         UINT flags) {
    Window* window = user::find(handle);
    if (!window) return FALSE;
    if (flags & SWP_NOSIZE) {
        width = user::widthOf(window->outer);
        height = user::heightOf(window->outer);
    }
    const RECT outer = user::rectAt(x, y, width, height);
    const RECT client = window->parent ? outer : user::clientOf(outer);
    user::resizeClient(*window, outer, client);
    backend::moveWindow(handle, outer, client);
    return TRUE;
}

BOOL WINAPI GetWindowRect(HWND handle, LPRECT rect) {
    const Window* window = user::find(handle);
    if (!window || !rect) return FALSE;
    *rect = window->outer;
    // A control's rectangle is kept in its parent's client area.
    for (const Window* parent = user::find(window->parent); parent;
         parent = user::find(parent->parent)) {
        rect->left += parent->client.left;
        rect->right += parent->client.left;
        rect->top += parent->client.top;
        rect->bottom += parent->client.top;
    }
    return TRUE;
}

BOOL WINAPI IsWindow(HWND handle) { return user::find(handle) != nullptr; }

// Returns whether the window was greyed out before. A window greyed out loses
// the keyboard focus, as it can no longer take keys.
BOOL WINAPI EnableWindow(HWND handle, BOOL enable) {
    Window* window = user::find(handle);
    if (!window) return FALSE;
    const bool wasDisabled = (window->style & WS_DISABLED) != 0;
    if (wasDisabled != !enable) {
        window->style ^= WS_DISABLED;
        if (!enable && user::focus == handle) SetFocus(nullptr);
        backend::enableWindow(handle, enable != FALSE);
        SendMessageA(handle, WM_ENABLE, enable != FALSE, 0);
    }
    return wasDisabled;
}

BOOL WINAPI IsWindowEnabled(HWND handle) {
    const Window* window = user::find(handle);
    return window && !(window->style & WS_DISABLED);
}

int WINAPI GetWindowTextA(HWND handle, LPSTR text, int maxCount) {
    const Window* window = user::find(handle);
    if (!window || !text || maxCount <= 0) return 0;
    const size_t count = std::min(window->text.size(), static_cast<size_t>(maxCount - 1));
    std::memcpy(text, window->text.data(), count);
    text[count] = '\0';
    return static_cast<int>(count);
}

BOOL WINAPI SetWindowTextA(HWND handle, LPCSTR text) {
    Window* window = user::find(handle);
    if (!window) return FALSE;
    window->text = text ? text : "";
    backend::setWindowText(handle, window->text.c_str());
    if (window->kind != backend::WindowKind::TopLevel && window->kind != backend::WindowKind::Button)
        window->invalid = true;  // an edit or static asks for its colours again
    return TRUE;
}

cairo_surface_t* core::backingImage(HWND handle) {
    const Window* window = user::find(handle);
    return window ? window->image : nullptr;
}

void core::windowMoved(HWND handle, const RECT& outer, const RECT& client) {
    if (Window* window = user::find(handle); window && !window->parent)
        user::resizeClient(*window, outer, client);
}
