// Buttons, check boxes, edit fields, greyed-out controls, focus and the
// dialog keys of IsDialogMessageA.
#include "platform_fixture.h"
#include "tests/support/pixels.h"

#include <string>

namespace {

class Controls : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        form = makeWindow(600, 400);
        first = makeControl("button", form, 101, 10, 10);
        field = makeControl("edit", form, 102, 10, 40);
        notab = makeControl("button", form, 103, 10, 70, WS_CHILD | WS_VISIBLE);
        last = makeControl("BUTTON", form, 104, 10, 100);  // class names ignore case
        ShowWindow(form, SW_SHOW);
        headless::runUntilIdle();
        log.clear();
    }
    std::string text(HWND window) {
        char buffer[64];
        GetWindowTextA(window, buffer, sizeof buffer);
        return buffer;
    }
    HWND form, first, field, notab, last;
};

TEST_F(Controls, TabAndShiftTabCycleTheTabStopsInCreationOrder) {
    EXPECT_EQ(headless::focusedWindow(), form);  // showing activates the form
    std::vector<HWND> visited;
    for (int i = 0; i < 4; ++i) {
        headless::pressKey(VK_TAB, false);
        headless::runUntilIdle();
        visited.push_back(headless::focusedWindow());
    }
    EXPECT_EQ(visited, (std::vector<HWND>{first, field, last, first}));
    headless::pressKey(VK_TAB, true);
    headless::runUntilIdle();
    EXPECT_EQ(headless::focusedWindow(), last);
    EXPECT_TRUE(received(WM_KEYDOWN).empty());  // navigation consumed the keys
}

TEST_F(Controls, ReturnAndEscapeBecomeCommandsOneAndTwoToTheDialog) {
    SetFocus(field);
    headless::pressKey(VK_RETURN, false);
    headless::pressKey(VK_ESCAPE, false);
    headless::runUntilIdle();
    const auto commands = received(WM_COMMAND);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(commands[0].window, form);
    EXPECT_EQ(LOWORD(commands[0].wParam), IDOK);
    EXPECT_EQ(LOWORD(commands[1].wParam), IDCANCEL);
    EXPECT_EQ(headless::focusedWindow(), field);

    // Not for this dialog: left to the caller.
    HWND other = makeWindow(100, 100);
    MSG key{other, WM_KEYDOWN, VK_RETURN, 1, 0, {}};
    EXPECT_FALSE(IsDialogMessageA(form, &key));
    EXPECT_FALSE(IsDialogMessageA(nullptr, &key));
}

TEST_F(Controls, AClickSendsTheButtonsIdentifierToItsParent) {
    const RECT client = headless::clientRect(form);
    auto press = [&](int x, int y) { headless::mouseDown(client.left + x, client.top + y); };
    auto release = [&](int x, int y) { headless::mouseUp(client.left + x, client.top + y); };
    headless::clickButton(last);
    press(15, 15);  // press on the first button...
    release(15, 75);  // ...released on another: no click
    press(15, 15);
    release(300, 300);  // ...released on the form: the button keeps it
    press(15, 15);
    release(16, 16);
    headless::runUntilIdle();
    const auto commands = received(WM_COMMAND);
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_EQ(LOWORD(commands[0].wParam), 104);
    EXPECT_EQ(HIWORD(commands[0].wParam), 0);  // BN_CLICKED
    EXPECT_EQ(commands[0].lParam, reinterpret_cast<LPARAM>(last));
    EXPECT_EQ(LOWORD(commands[1].wParam), 101);
    EXPECT_TRUE(received(WM_LBUTTONDOWN).empty());  // presses on controls stay there
    EXPECT_TRUE(received(WM_LBUTTONUP).empty());
}

TEST_F(Controls, EditTextIsTypedSetAndReadBackWithinTheBuffer) {
    SetWindowTextA(field, " ");
    headless::typeText(field, "c e g");
    EXPECT_EQ(text(field), " c e g");
    char small[4];
    EXPECT_EQ(GetWindowTextA(field, small, sizeof small), 3);
    EXPECT_STREQ(small, " c ");
    EXPECT_EQ(GetWindowTextA(field, small, 0), 0);
    SetWindowTextA(field, nullptr);
    EXPECT_EQ(text(field), "");
    headless::typeText(first, "not an edit");
    EXPECT_EQ(text(first), "");
}

LRESULT CALLBACK colouringProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    static HBRUSH brush;
    if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORSTATIC) {
        PlatformTest::log.push_back(LoggedMessage{window, message, wParam, lParam, GetTickCount()});
        if (brush) DeleteObject(brush);
        brush = CreateSolidBrush(RGB(200, 255, 200));
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(255, 100, 0));
        SetBkColor(reinterpret_cast<HDC>(wParam), RGB(200, 255, 200));
        return reinterpret_cast<LRESULT>(brush);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(Controls, AnEditAsksItsParentForColoursWhenItPaints) {
    WNDCLASSA colouring{};
    colouring.lpfnWndProc = colouringProcedure;
    colouring.lpszClassName = "Colouring";
    ASSERT_NE(RegisterClassA(&colouring), 0);
    EXPECT_EQ(RegisterClassA(&colouring), 0);  // once only
    HWND parent = CreateWindowExA(0, "Colouring", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200,
                                  nullptr, nullptr, nullptr, nullptr);
    HWND notes = makeControl("edit", parent, 103, 20, 20);
    headless::runUntilIdle();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].lParam, reinterpret_cast<LPARAM>(notes));
    EXPECT_NE(log[0].wParam, 0u);  // the DC the field draws with

    const int brushes = headless::liveGdiObjects();
    SetWindowTextA(notes, "  C  E  G  ");  // a new text is a new paint
    headless::runUntilIdle();
    SetWindowTextA(notes, "");
    headless::runUntilIdle();
    EXPECT_EQ(log.size(), 3u);
    EXPECT_EQ(headless::liveGdiObjects(), brushes);

    // The picture shows the field in its colours.
    const std::string path = ::testing::TempDir() + "controls.png";
    ASSERT_TRUE(headless::savePng(path.c_str()));
    const Image picture = readPng(path.c_str());
    ASSERT_TRUE(loaded(picture));
    const RECT shown = headless::clientRect(notes);
    EXPECT_EQ(pixelAt(picture.get(), shown.left + 30, shown.top + 10), (Rgb{200, 255, 200}));
}

// As on Windows, a read-only edit and a static ask with WM_CTLCOLORSTATIC;
// nobody types into either, but the program sets their text.
TEST_F(Controls, ReadOnlyEditsAndStaticsAskForStaticColours) {
    WNDCLASSA colouring{};
    colouring.lpfnWndProc = colouringProcedure;
    colouring.lpszClassName = "Colouring";
    ASSERT_NE(RegisterClassA(&colouring), 0);
    HWND parent = CreateWindowExA(0, "Colouring", "", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr,
                                  nullptr, nullptr);
    HWND readOnly = makeControl("edit", parent, 107, 20, 20, WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_READONLY);
    HWND status = makeControl("Static", parent, 109, 20, 60, WS_CHILD | WS_VISIBLE | SS_CENTERIMAGE);
    headless::runUntilIdle();
    ASSERT_EQ(log.size(), 2u);
    for (const LoggedMessage& request : log) EXPECT_EQ(request.message, static_cast<UINT>(WM_CTLCOLORSTATIC));
    EXPECT_EQ(log[0].lParam, reinterpret_cast<LPARAM>(readOnly));
    EXPECT_EQ(log[1].lParam, reinterpret_cast<LPARAM>(status));

    headless::typeText(readOnly, "typed");
    SetWindowTextA(readOnly, "C Major");
    SetWindowTextA(status, "MIDI: none");
    headless::runUntilIdle();
    EXPECT_EQ(text(readOnly), "C Major");
    EXPECT_EQ(text(status), "MIDI: none");
    EXPECT_EQ(log.size(), 4u);  // each new text is a new paint

    const std::string path = ::testing::TempDir() + "statics.png";
    ASSERT_TRUE(headless::savePng(path.c_str()));
    const Image picture = readPng(path.c_str());
    const RECT shown = headless::clientRect(status);
    EXPECT_EQ(pixelAt(picture.get(), shown.right - 2, shown.top + 1), (Rgb{200, 255, 200}));
}

// A control's text is measured as the screen shows it, against the room its
// edit leaves for text; a window's own DC measures in its selected font.
TEST_F(Controls, TextIsMeasuredInTheFontItIsShownIn) {
    HGDIOBJ guiFont = GetStockObject(DEFAULT_GUI_FONT);
    SendMessageA(field, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont), 0);
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(field, WM_GETFONT, 0, 0)), guiFont);
    HDC dc = GetDC(field);
    SIZE once = {}, twice = {};
    ASSERT_TRUE(GetTextExtentPoint32A(dc, "C Major", 7, &once));
    GetTextExtentPoint32A(dc, "C MajorC Major", 14, &twice);
    EXPECT_EQ(ReleaseDC(field, dc), 1);
    EXPECT_GT(once.cx, 20);
    EXPECT_NEAR(twice.cx, 2 * once.cx, 1);
    RECT area = {};
    SendMessageA(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    EXPECT_GT(area.right - area.left, 40);
    EXPECT_LE(area.right - area.left, 60);  // within the 60-pixel field

    HDC own = GetDC(form);
    SelectObject(own, CreateFontA(21, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial"));
    GetTextExtentPoint32A(own, "C Major", 7, &once);
    EXPECT_EQ(once.cy, 21);
    EXPECT_FALSE(GetTextExtentPoint32A(nullptr, "x", 1, &once));
}

// A check box ticks and clears itself on each click and then tells its parent;
// BM_SETCHECK sets it quietly. Greyed out, a control takes no click and no
// Tab, and loses the focus; the picture shows the tick and the grey.
TEST_F(Controls, ACheckBoxTogglesAndGreyedControlsTakeNeitherClicksNorFocus) {
    HWND box = makeControl("button", form, 105, 10, 130, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX);
    SetWindowTextA(box, "Sound");
    auto check = [](HWND button) { return SendMessageA(button, BM_GETCHECK, 0, 0); };
    auto clicksOf = [this](int id) {
        int clicks = 0;
        for (const LoggedMessage& command : received(WM_COMMAND))
            clicks += LOWORD(command.wParam) == id && HIWORD(command.wParam) == BN_CLICKED;
        return clicks;
    };
    EXPECT_EQ(check(box), BST_UNCHECKED);
    headless::clickButton(box);
    headless::runUntilIdle();
    EXPECT_EQ(check(box), BST_CHECKED);
    EXPECT_EQ(clicksOf(105), 1);
    SendMessageA(box, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ(check(box), BST_UNCHECKED);
    SendMessageA(box, BM_SETCHECK, 2, 0);  // a two-state box knows only ticked
    EXPECT_EQ(check(box), BST_CHECKED);
    SendMessageA(first, BM_SETCHECK, BST_CHECKED, 0);  // a push button has no tick
    EXPECT_EQ(check(first), BST_UNCHECKED);
    headless::runUntilIdle();
    EXPECT_EQ(clicksOf(105), 1);  // setting it is no click

    SetFocus(box);
    EXPECT_EQ(EnableWindow(box, FALSE), FALSE);  // it was not greyed out
    EXPECT_EQ(EnableWindow(box, FALSE), TRUE);
    EXPECT_FALSE(IsWindowEnabled(box));
    EXPECT_EQ(headless::focusedWindow(), nullptr);
    const RECT shown = headless::clientRect(box);
    headless::clickButton(box);
    headless::mouseDown(shown.left + 5, shown.top + 5);
    headless::mouseUp(shown.left + 5, shown.top + 5);
    SetFocus(last);
    headless::pressKey(VK_TAB, false);
    headless::runUntilIdle();
    EXPECT_EQ(headless::focusedWindow(), first);  // round the end past the greyed box
    EXPECT_EQ(check(box), BST_CHECKED);
    EXPECT_EQ(clicksOf(105), 1);

    const std::string path = ::testing::TempDir() + "check-box.png";
    ASSERT_TRUE(headless::savePng(path.c_str()));
    const Image greyed = readPng(path.c_str());
    ASSERT_TRUE(loaded(greyed));
    const int tickX = shown.left + 2 + 5, tickY = (shown.top + shown.bottom - 11) / 2 + 5;  // the cross's middle
    EXPECT_EQ(pixelAt(greyed.get(), tickX, tickY), (Rgb{120, 120, 120}));

    EXPECT_EQ(EnableWindow(box, TRUE), TRUE);
    SetFocus(last);
    headless::pressKey(VK_TAB, false);
    headless::runUntilIdle();
    EXPECT_EQ(headless::focusedWindow(), box);
    headless::clickButton(box);
    headless::runUntilIdle();
    EXPECT_EQ(check(box), BST_UNCHECKED);
    EXPECT_EQ(clicksOf(105), 2);
    ASSERT_TRUE(headless::savePng(path.c_str()));
    EXPECT_EQ(pixelAt(readPng(path.c_str()).get(), tickX, tickY), (Rgb{255, 255, 255}));
}

}  // namespace
