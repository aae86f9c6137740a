// The built-in "button", "edit" and "static" classes. The backend shows and
// operates them; here they keep their font, a check box its state
// (BM_GETCHECK, BM_SETCHECK), and an edit or a static asks the parent for its
// colours whenever it is painted: WM_CTLCOLOREDIT from an edit the person can
// type in, WM_CTLCOLORSTATIC from a read-only edit (ES_READONLY) and a static,
// as on Windows. An edit answers EM_GETRECT with the rectangle the screen
// shows its text in.
#include "platform/gdi32/gdi_state.h"
#include "platform/user32/user_state.h"

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
    if (message == WM_GETFONT) return reinterpret_cast<LRESULT>(find(window)->font);
    return DefWindowProcA(window, message, wParam, lParam);
}

void askColours(HWND control, UINT request) {
    const Window* window = find(control);
    HDC dc = window->dc;
    gdi::resetDC(dc);
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(window->parent, request, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    // Only a brush of the parent's own means colours of its own; the default
    // answer leaves the backend's usual look.
    const gdi::Object* object = gdi::findObject(brush);
    const gdi::DeviceContext* context = gdi::findDC(dc);
    if (object && object->kind == gdi::ObjectKind::Brush && context && find(control))
        backend::setControlColours(control, context->textColour, object->colour);
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
        askColours(window, (find(window)->style & ES_READONLY) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT);
        return 0;
    }
    if (message == EM_GETRECT) {
        if (lParam) *reinterpret_cast<RECT*>(lParam) = backend::editTextArea(window);
        return 0;
    }
    return commonControl(window, message, wParam, lParam);
}

LRESULT CALLBACK staticProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        validate(window);
        askColours(window, WM_CTLCOLORSTATIC);
        return 0;
    }
    return commonControl(window, message, wParam, lParam);
}

}  // namespace user
