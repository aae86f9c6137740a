// The built-in "button" and "edit" classes. The backend shows and operates
// them; here they keep their font, a check box its state (BM_GETCHECK,
// BM_SETCHECK), and an edit asks the parent for its colours with
// WM_CTLCOLOREDIT whenever it is painted.
#include "platform/gdi_state.h"
#include "platform/user_state.h"

namespace user {
namespace {

void validate(HWND window) {
    PAINTSTRUCT paint;
    if (BeginPaint(window, &paint)) EndPaint(window, &paint);
}

LRESULT commonControl(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFONT) {
        find(window)->font = reinterpret_cast<HGDIOBJ>(wParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void askColours(HWND edit) {
    const Window* control = find(edit);
    HDC dc = control->dc;
    gdi::resetDC(dc);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(control->parent, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(edit)));
    // Only a brush of the parent's own means colours of its own; the default
    // answer leaves the backend's usual look.
    const gdi::Object* object = gdi::findObject(brush);
    const gdi::DeviceContext* context = gdi::findDC(dc);
    if (object && object->kind == gdi::ObjectKind::Brush && context && find(edit))
        backend::setEditColours(edit, context->textColour, object->colour);
}

// A push button has no state: it reads as unchecked and ignores BM_SETCHECK.
LRESULT setCheck(HWND handle, WPARAM state) {
    Window* button = find(handle);
    if (!isCheckBox(*button)) return 0;
    button->check = state == BST_UNCHECKED ? BST_UNCHECKED : BST_CHECKED;  // two states only
    backend::setCheck(handle, button->check == BST_CHECKED);
    return 0;
}

}  // namespace

void clickButton(HWND handle) {
    Window* button = find(handle);
    if (!button || !button->parent || !usable(*button)) return;
    if (isCheckBox(*button)) setCheck(handle, button->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
    // WM_COMMAND: identifier in the low word, BN_CLICKED in the high word.
    queueInput(button->parent, WM_COMMAND, static_cast<WPARAM>((button->id & 0xFFFF) | BN_CLICKED << 16),
               reinterpret_cast<LPARAM>(handle));
}

LRESULT CALLBACK buttonProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        validate(window);
        return 0;
    case BM_GETCHECK:
        return static_cast<LRESULT>(find(window)->check);
    case BM_SETCHECK:
        return setCheck(window, wParam);
    default:
        return commonControl(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK editProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        validate(window);
        askColours(window);
        return 0;
    }
    return commonControl(window, message, wParam, lParam);
}

}  // namespace user
