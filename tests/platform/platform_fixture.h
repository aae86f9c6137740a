// Shared set-up of the platform tests: a clean virtual screen, one window class
// whose procedure logs every message, and pixel access to a window's image.
#pragma once

#include "platform/headless/headless.h"
#include "platform/win32.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

struct LoggedMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD tick;  // GetTickCount() when it arrived
};

class PlatformTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A window of the logging class: a top-level window with the given outer
    // size at (0, 0), or a control when parent is given.
    HWND makeWindow(int width, int height, DWORD style = WS_POPUP | WS_OVERLAPPEDWINDOW);
    HWND makeControl(const char* className, HWND parent, int id, int x, int y, DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP);

    // The messages the logging procedure received with this number.
    std::vector<LoggedMessage> received(UINT message) const;
    // The colour of one pixel of the window's client area, as COLORREF.
    COLORREF pixel(HWND window, int x, int y) const;

public:
    static std::vector<LoggedMessage> log;
    static bool validateOnPaint;  // false: WM_PAINT returns without painting
};

// A window with a 1024 x 768 client area and its own device context to draw in.
class DrawingTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        window = makeWindow(1024 + 8, 768 + 24);
        PAINTSTRUCT paint;
        dc = BeginPaint(window, &paint);
        EndPaint(window, &paint);
    }
    void usePen(int width, COLORREF colour) {
        DeleteObject(SelectObject(dc, CreatePen(PS_SOLID, width, colour)));  // stock pens survive
    }
    void line(int x0, int y0, int x1, int y1) {
        MoveToEx(dc, x0, y0, nullptr);
        LineTo(dc, x1, y1);
    }

    HWND window = nullptr;
    HDC dc = nullptr;
};
