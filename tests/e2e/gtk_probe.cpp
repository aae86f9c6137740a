// A small Win32 program for the GTK backend's end-to-end test.
//
// One window of a CS_OWNDC class: a line and a text drawn through the canvas
// while painting, an edit field coloured through WM_CTLCOLOREDIT and a button.
// A click on the button prints "command 101: <edit text>" and draws a second
// line outside paint handling, through the window's own DC; any other command
// prints "command <id>". Closing the window ends the program with status 0
// after a click, 4 without one.
#include "canvas/canvas.h"
#include "platform/win32.h"

#include <cstdio>

namespace {

constexpr int buttonId = 101;
constexpr int editId = 102;
HWND probeWindow, probeButton, probeEdit;
HBRUSH editBrush;
int clicks;

void paintProbe() {
    startpaint(probeWindow);
    plot(0, 0, 1);
    plot(0.01f, 0.01f, 2);
    pentype(0, PS_SOLID, 3, 140, 90, 70);
    plot(10, 90, 3);
    plot(50, 90, 4);
    setfont(14, "Arial");
    textcolor(255, 255, 0);
    backcolor(0, 0, 255);
    textat(10, 70, "Probe text", 10);
    EndPaint(probeWindow, &PlotCanvas.paint);
}

void answerClick() {
    char text[64] = {};
    GetWindowTextA(probeEdit, text, sizeof text);
    std::printf("command %d: %s\n", buttonId, text);
    std::fflush(stdout);
    ++clicks;
    pentype(1, PS_SOLID, 3, 0, 255, 0);
    plot(10, 80, 3);
    plot(50, 80, 4);
}

void reportCommand(int id) {
    std::printf("command %d\n", id);
    std::fflush(stdout);
}

LRESULT colourEdit(HDC dc) {
    DeleteObject(editBrush);
    editBrush = CreateSolidBrush(RGB(255, 255, 200));
    SetTextColor(dc, RGB(255, 100, 0));
    SetBkColor(dc, RGB(255, 255, 200));
    return reinterpret_cast<LRESULT>(editBrush);
}

LRESULT CALLBACK probeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            paintProbe();
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == buttonId)
                answerClick();
            else
                reportCommand(LOWORD(wParam));
            return 0;
        case WM_CTLCOLOREDIT:
            if (reinterpret_cast<HWND>(lParam) == probeEdit) return colourEdit(reinterpret_cast<HDC>(wParam));
            break;
        case WM_DESTROY:
            PostQuitMessage(clicks > 0 ? 0 : 4);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void createProbeWindow(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = probeProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "GtkProbe";
    RegisterClassA(&windowClass);
    probeWindow = CreateWindowExA(0, "GtkProbe", "Tonvisor probe", WS_OVERLAPPEDWINDOW, 100, 50, 608, 424,
                                  nullptr, nullptr, instance, nullptr);
    probeButton = CreateWindowExA(0, "button", "Click", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 50, 300, 50,
                                  36, probeWindow, reinterpret_cast<HMENU>(buttonId), instance, nullptr);
    probeEdit = CreateWindowExA(WS_EX_CLIENTEDGE, "edit", " ", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 150,
                                300, 244, 20, probeWindow, reinterpret_cast<HMENU>(editId), instance, nullptr);
    ShowWindow(probeWindow, SW_SHOW);
}

}  // namespace

int main() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    createProbeWindow(instance);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0)) {
        HWND active = GetActiveWindow();
        if (IsWindow(active) && IsDialogMessageA(active, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
