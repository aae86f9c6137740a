// Window factories: every position and size is in layout units, and every
// window gets the default GUI font.
#include "shell/form.h"

#include <cstring>

namespace {

const DWORD formStyle = WS_POPUP | WS_OVERLAPPEDWINDOW;
const DWORD buttonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
const DWORD editStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL;
const DWORD staticStyle = WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_CENTERIMAGE | SS_ENDELLIPSIS;
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

// Read-only, it still takes the focus with Tab, so that its text can be selected.
HWND createReadOnlyEdit(const char* text, HWND parent, int id, int x, int y, int width, int height) {
    return createChild(WS_EX_CLIENTEDGE, "edit", text, editStyle | ES_READONLY, parent, id, x, y, width,
                       height);
}

HWND createStatic(const char* text, HWND parent, int id, int x, int y, int width, int height) {
    return createChild(0, "static", text, staticStyle, parent, id, x, y, width, height);
}

// A click ticks or clears it by itself, then tells the parent.
HWND createCheckBox(const char* caption, HWND parent, int id, int x, int y, int width, int height) {
    return createChild(0, "button", caption, checkBoxStyle, parent, id, x, y, width, height);
}

void setText(HWND control, const char* text) {
    SetWindowTextA(control, text);
}

bool textFits(HWND edit, const char* text) {
    HDC dc = GetDC(edit);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(edit, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    if (previous) SelectObject(dc, previous);
    ReleaseDC(edit, dc);
    RECT area = {};
    SendMessageA(edit, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    return size.cx <= area.right - area.left;
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
