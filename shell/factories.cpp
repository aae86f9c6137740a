// Window factories: every position and size is in layout units, and every
// window gets the default GUI font.
#include "shell/form.h"

namespace {

const DWORD formStyle = WS_POPUP | WS_OVERLAPPEDWINDOW;
const DWORD buttonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
const DWORD editStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
const DWORD checkBoxStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;

HWND withGuiFont(HWND window) {
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
    return window;
}

HMENU controlId(int id) {
    return reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
}

HWND createChild(DWORD exStyle, const char* className, const char* text, DWORD style, HWND parent,
                 int id, int x, int y, int width, int height) {
    return withGuiFont(CreateWindowExA(exStyle, className, text, style, x * Shell.unitX,
                                       y * Shell.unitY, width * Shell.unitX, height * Shell.unitY,
                                       parent, controlId(id), Shell.programInstance, nullptr));
}

}  // namespace

// The outer size allows 4 x 12 units for the frame and caption, so the client
// area is the size the layout means.
HWND createForm(const char* caption, int x, int y, int width, int height) {
    return withGuiFont(CreateWindowExA(0, Shell.formClassName, caption, formStyle,
                                       x * Shell.unitX, y * Shell.unitY, (width + 4) * Shell.unitX,
                                       (height + 12) * Shell.unitY, nullptr, nullptr,
                                       Shell.programInstance, nullptr));
}

HWND createButton(const char* caption, HWND parent, int id, int x, int y, int width, int height) {
    return createChild(WS_EX_STATICEDGE, "button", caption, buttonStyle, parent, id, x, y, width,
                       height);
}

HWND createEdit(const char* text, HWND parent, int id, int x, int y, int width, int height) {
    return createChild(WS_EX_CLIENTEDGE, "edit", text, editStyle, parent, id, x, y, width, height);
}

// A click ticks or clears it by itself, then tells the parent.
HWND createCheckBox(const char* caption, HWND parent, int id, int x, int y, int width, int height) {
    return createChild(0, "button", caption, checkBoxStyle, parent, id, x, y, width, height);
}

void setText(HWND control, const char* text) {
    SetWindowTextA(control, text);
}

void centreWindow(HWND window) {
    RECT work;
    RECT outer;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    GetWindowRect(window, &outer);
    int x = work.left + ((work.right - work.left) - (outer.right - outer.left)) / 2;
    int y = work.top + ((work.bottom - work.top) - (outer.bottom - outer.top)) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE);
}
