// Keyboard focus and the active window, and the dialog navigation of
// IsDialogMessageA: Tab and Shift+Tab step through the WS_TABSTOP children
// that are not greyed out, in creation order; Return is command IDOK and
// Escape command IDCANCEL.
#include "platform/user32/user_state.h"

#include <algorithm>

namespace user {

HWND focus = nullptr;
HWND active = nullptr;

void activate(HWND handle) {
    active = handle;
    // Activation puts the focus on the window unless it is already inside it.
    if (focus != handle && !isDescendant(focus, handle)) SetFocus(handle);
}

void forgetFocusOn(HWND handle) {
    if (focus == handle) focus = nullptr;
    if (active == handle) active = nullptr;
}

namespace {

std::vector<HWND> tabStops(const Window& dialog) {
    std::vector<HWND> stops;
    for (HWND child : dialog.children) {
        const Window* control = find(child);
        if (control->visible && (control->style & WS_TABSTOP) && usable(*control)) stops.push_back(child);
    }
    return stops;
}

void stepFocus(const Window& dialog, bool backwards) {
    const std::vector<HWND> stops = tabStops(dialog);
    if (stops.empty()) return;
    const auto current = std::find(stops.begin(), stops.end(), focus);
    const int count = static_cast<int>(stops.size());
    int index;
    if (current == stops.end())
        index = backwards ? count - 1 : 0;
    else
        index = (static_cast<int>(current - stops.begin()) + (backwards ? count - 1 : 1)) % count;
    SetFocus(stops[index]);
}

}  // namespace
}  // namespace user

HWND WINAPI SetFocus(HWND handle) {
    if (handle && !user::find(handle)) return nullptr;
    HWND previous = user::focus;
    user::focus = handle;
    if (handle) backend::setFocus(handle);
    return previous;
}

HWND WINAPI GetActiveWindow(void) { return user::active; }

BOOL WINAPI IsDialogMessageA(HWND dialog, LPMSG message) {
    const user::Window* window = user::find(dialog);
    if (!window || !message || message->message != WM_KEYDOWN) return FALSE;
    if (message->hwnd != dialog && !user::isDescendant(message->hwnd, dialog)) return FALSE;
    switch (message->wParam) {
        case VK_TAB:
            user::stepFocus(*window, user::shiftDown);
            return TRUE;
        case VK_RETURN:
            SendMessageA(dialog, WM_COMMAND, IDOK, 0);
            return TRUE;
        case VK_ESCAPE:
            SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            return TRUE;
        default:
            return FALSE;
    }
}

HWND core::focusedWindow() { return user::focus; }

void core::focusChanged(HWND handle) {
    if (user::find(handle)) user::focus = handle;
}
