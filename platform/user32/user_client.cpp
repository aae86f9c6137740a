// A window's client rectangle, screen points in it, and asking for its repaint.
#include "platform/user32/user_state.h"

BOOL WINAPI GetClientRect(HWND handle, LPRECT rect) {
    const user::Window* window = user::find(handle);
    if (!window || !rect) return FALSE;
    *rect = RECT{0, 0, user::widthOf(window->client), user::heightOf(window->client)};
    return TRUE;
}

BOOL WINAPI ScreenToClient(HWND handle, LPPOINT point) {
    RECT screen = {};
    if (!point || !GetWindowRect(handle, &screen)) return FALSE;
    const user::Window* window = user::find(handle);
    // A top-level window's client area lies inside its frame; a control's is its rectangle.
    const int left = window->parent ? screen.left : screen.left + (window->client.left - window->outer.left);
    const int top = window->parent ? screen.top : screen.top + (window->client.top - window->outer.top);
    point->x -= left;
    point->y -= top;
    return TRUE;
}

// The window alone is painted again (its controls draw themselves); the
// background is filled first only when asked for.
BOOL WINAPI InvalidateRect(HWND handle, const RECT* rect, BOOL erase) {
    user::Window* window = user::find(handle);
    if (!window || rect) return FALSE;
    window->invalid = true;
    window->erase = window->erase || erase;
    return TRUE;
}
