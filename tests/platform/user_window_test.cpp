// Windows, the message queue, paint requests and the mouse.
#include "platform_fixture.h"

#include "platform/seam/core.h"

#include <cstdlib>

namespace {

using Windows = PlatformTest;

std::vector<UINT> numbers(const std::vector<LoggedMessage>& messages) {
    std::vector<UINT> found;
    for (const LoggedMessage& entry : messages) found.push_back(entry.message);
    return found;
}

TEST_F(Windows, TheOuterRectangleAddsTheFrameToTheClientArea) {
    HWND form = makeWindow(1024, 738);
    RECT outer;
    ASSERT_TRUE(GetWindowRect(form, &outer));
    EXPECT_EQ(outer.right - outer.left, 1024);
    EXPECT_EQ(outer.bottom - outer.top, 738);
    cairo_surface_t* image = core::backingImage(form);
    EXPECT_EQ(cairo_image_surface_get_width(image), 1016);
    EXPECT_EQ(cairo_image_surface_get_height(image), 714);

    SetWindowPos(form, nullptr, 0, 10, 0, 0, SWP_NOSIZE);
    HWND button = makeControl("button", form, 101, 50, 660);
    RECT control;
    GetWindowRect(button, &control);
    EXPECT_EQ(control.left, 0 + 4 + 50);  // client origin plus the control's place
    EXPECT_EQ(control.top, 10 + 20 + 660);
    EXPECT_EQ(control.right - control.left, 60);
    EXPECT_EQ(GetWindowRect(nullptr, &control), FALSE);
}

TEST_F(Windows, GetMessageTakesPostedThenInputThenPaint) {
    HWND form = makeWindow(400, 300);
    ShowWindow(form, SW_SHOW);  // needs painting from now on
    headless::mouseDown(100, 100);
    PostMessageA(form, WM_COMMAND, 7, 0);
    log.clear();

    MSG message;
    std::vector<UINT> order;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(GetMessageA(&message, nullptr, 0, 0));
        order.push_back(message.message);
        DispatchMessageA(&message);
    }
    EXPECT_EQ(order, (std::vector<UINT>{WM_COMMAND, WM_LBUTTONDOWN, WM_PAINT}));
    // The paint validated the window: nothing is left.
    headless::runUntilIdle();
    EXPECT_EQ(log.size(), 3u);
}

TEST_F(Windows, SentMessagesArriveAtOncePostedOnesInTheLoop) {
    HWND form = makeWindow(400, 300);
    PostMessageA(form, WM_COMMAND, 1, 0);
    EXPECT_EQ(SendMessageA(form, WM_COMMAND, 2, 0), 0);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].wParam, 2u);
    headless::runUntilIdle();
    ASSERT_EQ(received(WM_COMMAND).size(), 2u);
    EXPECT_EQ(received(WM_COMMAND)[1].wParam, 1u);
    EXPECT_EQ(SendMessageA(nullptr, WM_COMMAND, 3, 0), 0);
    EXPECT_FALSE(PostMessageA(reinterpret_cast<HWND>(0x4321), WM_COMMAND, 3, 0));
}

TEST_F(Windows, PaintIsRepeatedWhileTheWindowStaysInvalid) {
    HWND form = makeWindow(400, 300);
    ShowWindow(form, SW_SHOW);
    validateOnPaint = false;
    MSG message;
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(GetMessageA(&message, nullptr, 0, 0));
        EXPECT_EQ(message.message, static_cast<UINT>(WM_PAINT));
    }
    PAINTSTRUCT paint;
    BeginPaint(form, &paint);
    EndPaint(form, &paint);
    headless::runUntilIdle();
    EXPECT_TRUE(received(WM_PAINT).empty());
}

TEST_F(Windows, QuitComesAfterPostedMessagesWithItsCode) {
    HWND form = makeWindow(400, 300);
    PostQuitMessage(5);
    PostMessageA(form, WM_COMMAND, 9, 0);
    MSG message;
    ASSERT_TRUE(GetMessageA(&message, nullptr, 0, 0));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_COMMAND));
    EXPECT_FALSE(GetMessageA(&message, nullptr, 0, 0));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 5u);
}

TEST_F(Windows, AnIdleLoopRunsScriptedActionsThenStopsWithCode3) {
    HWND form = makeWindow(400, 300);
    headless::whenIdle([form] { PostMessageA(form, WM_COMMAND, 11, 0); });
    headless::whenIdle([form] { headless::typeText(form, "ignored: not an edit"); });
    MSG message;
    ASSERT_TRUE(GetMessageA(&message, nullptr, 0, 0));
    EXPECT_EQ(message.wParam, 11u);
    EXPECT_FALSE(GetMessageA(&message, nullptr, 0, 0));
    EXPECT_EQ(message.wParam, 3u);
}

TEST_F(Windows, CloseDestroysTheWindowAndItsControls) {
    HWND form = makeWindow(400, 300);
    HWND edit = makeControl("edit", form, 102, 10, 10);
    ShowWindow(form, SW_SHOW);
    SetFocus(edit);
    SendMessageA(form, WM_CLOSE, 0, 0);
    EXPECT_EQ(numbers(log), (std::vector<UINT>{WM_CLOSE, WM_DESTROY}));
    EXPECT_FALSE(IsWindow(form));
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(GetActiveWindow(), nullptr);
    EXPECT_EQ(headless::focusedWindow(), nullptr);
    EXPECT_FALSE(SetWindowTextA(edit, "x"));
}

TEST_F(Windows, MouseButtonReachesTheClientAreaUnderTheCursor) {
    HWND form = makeWindow(400, 300);
    ShowWindow(form, SW_SHOW);
    headless::runUntilIdle();
    log.clear();
    headless::mouseDown(104 + 0, 220);
    headless::mouseUp(204, 120);
    headless::mouseDown(2, 2);    // on the frame: not the client area
    headless::mouseUp(500, 500);  // outside the window
    headless::runUntilIdle();
    const auto downs = received(WM_LBUTTONDOWN), ups = received(WM_LBUTTONUP);
    ASSERT_EQ(downs.size(), 1u);
    ASSERT_EQ(ups.size(), 1u);
    EXPECT_EQ(LOWORD(downs[0].lParam), 100);
    EXPECT_EQ(HIWORD(downs[0].lParam), 200);
    EXPECT_EQ(LOWORD(ups[0].lParam), 200);
    EXPECT_EQ(HIWORD(ups[0].lParam), 100);
    POINT cursor;
    ASSERT_TRUE(GetCursorPos(&cursor));
    EXPECT_EQ(cursor.x, 500);
    EXPECT_EQ(cursor.y, 500);
}

TEST_F(Windows, ResizingKeepsThePictureAndAsksForARepaint) {
    HWND form = makeWindow(400, 300);
    ShowWindow(form, SW_SHOW);
    headless::runUntilIdle();
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(form, &paint);
    EndPaint(form, &paint);
    DeleteObject(SelectObject(dc, CreatePen(PS_SOLID, 1, RGB(255, 0, 0))));
    MoveToEx(dc, 0, 5, nullptr);
    LineTo(dc, 100, 5);
    log.clear();

    // The window manager makes it larger; then the program makes it smaller.
    core::windowMoved(form, RECT{10, 10, 610, 510}, RECT{14, 30, 606, 506});
    EXPECT_EQ(cairo_image_surface_get_width(core::backingImage(form)), 592);
    EXPECT_EQ(pixel(form, 50, 5), RGB(255, 0, 0));
    headless::runUntilIdle();
    EXPECT_EQ(received(WM_PAINT).size(), 1u);
    SetWindowPos(form, nullptr, 0, 0, 208, 124, 0);
    EXPECT_EQ(cairo_image_surface_get_height(core::backingImage(form)), 100);
    headless::runUntilIdle();
    EXPECT_EQ(received(WM_PAINT).size(), 2u);
    // A move alone changes no pixels.
    SetWindowPos(form, nullptr, 30, 30, 0, 0, SWP_NOSIZE);
    headless::runUntilIdle();
    EXPECT_EQ(received(WM_PAINT).size(), 2u);
}

TEST_F(Windows, ScreenAndWorkAreaFollowTheVirtualScreen) {
    setenv("TONVISOR_SCREEN", "800x600", 1);
    headless::reset();
    unsetenv("TONVISOR_SCREEN");
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 800);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 600);
    headless::reset();

    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
    RECT work;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0));
    EXPECT_EQ(work.bottom, 728);
    headless::setScreen(1280, 1024);
    headless::setWorkArea(RECT{0, 30, 1280, 1024});
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(work.top, 30);

    RECT units{0, 0, 4, 8};
    MapDialogRect(nullptr, &units);
    EXPECT_EQ(units.right, 4);
    EXPECT_EQ(units.bottom, 8);
    INITCOMMONCONTROLSEX init{sizeof(INITCOMMONCONTROLSEX), 0x13F};
    EXPECT_TRUE(InitCommonControlsEx(&init));
    EXPECT_NE(LoadCursorA(nullptr, IDC_ARROW), nullptr);
}

}  // namespace
