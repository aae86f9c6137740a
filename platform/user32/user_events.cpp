// What the backend reports of the person's doing, turned into queued input.
#include "platform/user32/user_state.h"

namespace user {

void useBackend() {
    static bool started = false;
    if (started) return;
    started = true;
    backend::initialise();
}

namespace {

LPARAM pointParameter(int x, int y) {
    return static_cast<LPARAM>((static_cast<std::uint32_t>(y & 0xFFFF) << 16) | (x & 0xFFFF));
}

}  // namespace
}  // namespace user

void core::mousePressed(HWND window, int x, int y) {
    constexpr WPARAM leftButton = 0x0001;  // MK_LBUTTON
    if (user::find(window)) user::queueInput(window, WM_LBUTTONDOWN, leftButton, user::pointParameter(x, y));
}

void core::mouseReleased(HWND window, int x, int y) {
    if (user::find(window)) user::queueInput(window, WM_LBUTTONUP, 0, user::pointParameter(x, y));
}

void core::buttonClicked(HWND button) { user::clickButton(button); }

void core::editChanged(HWND edit, const char* text) {
    user::Window* control = user::find(edit);
    if (!control) return;
    control->text = text ? text : "";
    control->invalid = true;
}

// The wheel reports where the pointer is on the screen, as on Windows.
void core::wheelTurned(HWND window, int delta, bool control, int screenX, int screenY) {
    constexpr WPARAM controlKey = MK_CONTROL;
    const WPARAM keys = control ? controlKey : 0;
    const WPARAM wParam = (static_cast<WPARAM>(static_cast<WORD>(delta)) << 16) | keys;
    if (user::find(window)) user::queueInput(window, WM_MOUSEWHEEL, wParam, user::pointParameter(screenX, screenY));
}

void core::keyPressed(HWND window, int virtualKey, bool shift, bool control) {
    if (user::find(window))
        user::queueInput(window, WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 1, shift, control);
}

void core::closeRequested(HWND window) {
    if (user::find(window)) user::queueInput(window, WM_CLOSE, 0, 0);
}

void core::windowLost(HWND window) {
    if (const user::Window* lost = user::find(window); lost && !lost->parent) user::queueLoss(window);
}
