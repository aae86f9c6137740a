// What lines and text put into the backing image and the display list.
#include "platform_fixture.h"

#include <climits>
#include <cstring>

namespace {

constexpr COLORREF btnFace = RGB(240, 240, 240);
constexpr COLORREF red = RGB(255, 0, 0);

class Drawing : public DrawingTest {
protected:
    HFONT useFont(int height) {
        HFONT font = CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_TT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
        SelectObject(dc, font);
        return font;
    }
    // Rows of column x, from top, that hold the colour.
    int firstRow(int x, COLORREF colour, int from = 0) {
        for (int y = from; y < 768; ++y)
            if (pixel(window, x, y) == colour) return y;
        return -1;
    }
    int lastRow(int x, COLORREF colour) {
        for (int y = 767; y >= 0; --y)
            if (pixel(window, x, y) == colour) return y;
        return -1;
    }
};

TEST_F(Drawing, OnePixelLinesLeaveOutTheirEndPoint) {
    usePen(1, red);
    line(10, 10, 20, 10);
    EXPECT_EQ(pixel(window, 10, 10), red);
    EXPECT_EQ(pixel(window, 19, 10), red);
    EXPECT_EQ(pixel(window, 20, 10), btnFace);
    EXPECT_EQ(pixel(window, 15, 9), btnFace);
    EXPECT_EQ(pixel(window, 15, 11), btnFace);

    usePen(0, red);  // width 0 is one pixel as well
    line(40, 30, 40, 20);
    EXPECT_EQ(pixel(window, 40, 30), red);
    EXPECT_EQ(pixel(window, 40, 21), red);
    EXPECT_EQ(pixel(window, 40, 20), btnFace);

    line(100, 100, 104, 104);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(pixel(window, 100 + i, 100 + i), red) << i;
    EXPECT_EQ(pixel(window, 104, 104), btnFace);
    EXPECT_EQ(pixel(window, 101, 100), btnFace);
}

TEST_F(Drawing, WidePensHaveRoundCapsCentredOnThePixel) {
    usePen(5, red);
    line(100, 50, 200, 50);
    // Five rows: 48 to 52.
    EXPECT_EQ(firstRow(150, red), 48);
    EXPECT_EQ(lastRow(150, red), 52);
    // The caps reach 2 pixels past both ends on the axis, but not into the corners.
    EXPECT_EQ(pixel(window, 202, 50), red);
    EXPECT_EQ(pixel(window, 98, 50), red);
    EXPECT_EQ(pixel(window, 203, 50), btnFace);
    EXPECT_EQ(pixel(window, 202, 48), btnFace);
    EXPECT_EQ(pixel(window, 98, 52), btnFace);
    EXPECT_EQ(pixel(window, 200, 48), red);
}

TEST_F(Drawing, AScreenHighPenFillsAllButTheLastRow) {
    usePen(768, RGB(50, 140, 140));
    line(0, 383, 1024, 383);
    EXPECT_EQ(firstRow(512, RGB(50, 140, 140)), 0);
    EXPECT_EQ(lastRow(512, RGB(50, 140, 140)), 766);
    EXPECT_EQ(pixel(window, 512, 767), btnFace);
}

TEST_F(Drawing, TextSitsOnAnOpaqueCellOfTheRequestedHeight) {
    useFont(21);
    SetTextColor(dc, RGB(0, 0, 255));
    SetBkColor(dc, RGB(50, 140, 140));
    ASSERT_TRUE(TextOutA(dc, 100, 200, "Chord", 5));
    // The cell: rows 200 to 220 at the left edge of the first letter's cell.
    EXPECT_EQ(firstRow(100, RGB(50, 140, 140)), 200);
    EXPECT_EQ(lastRow(100, RGB(50, 140, 140)), 220);
    int inked = 0;
    for (int x = 100; x < 160; ++x)
        for (int y = 200; y < 221; ++y) inked += pixel(window, x, y) == RGB(0, 0, 255);
    EXPECT_GT(inked, 40);
    // The cell ends near the text's width, some 50 pixels for five letters.
    EXPECT_EQ(pixel(window, 99, 210), btnFace);
    EXPECT_EQ(pixel(window, 180, 210), btnFace);

    useFont(0);  // the default height
    TextOutA(dc, 300, 300, "x", 1);
    EXPECT_EQ(lastRow(300, RGB(50, 140, 140)) - firstRow(300, RGB(50, 140, 140), 250) + 1, 16);
}

TEST_F(Drawing, DisplayListRecordsEachCallWithTheStateInEffect) {
    headless::recordDrawing(true);
    usePen(3, RGB(255, 0, 234));
    useFont(21);
    SetTextColor(dc, RGB(255, 100, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    line(512, 383, 600, 383);
    TextOutA(dc, 5, 6, " Chord  Spectrograph ", 21);
    TextOutA(dc, 7, 8, "Cmaj", 3);
    TextOutA(dc, 9, 10, "ab", 40);  // a count past the end stops at the terminating zero

    const auto& list = headless::displayList(dc);
    ASSERT_EQ(list.size(), 5u);
    EXPECT_EQ(list[0].kind, DrawRecord::Kind::MoveTo);
    EXPECT_EQ(list[1].kind, DrawRecord::Kind::LineTo);
    EXPECT_EQ(list[1].x, 600);
    EXPECT_EQ(list[1].y, 383);
    EXPECT_EQ(list[1].penWidth, 3);
    EXPECT_EQ(list[1].penColour, RGB(255, 0, 234));
    EXPECT_EQ(list[2].kind, DrawRecord::Kind::Text);
    EXPECT_EQ(list[2].text, " Chord  Spectrograph ");
    EXPECT_EQ(list[2].fontHeight, 21);
    EXPECT_EQ(list[2].fontFace, "Arial");
    EXPECT_EQ(list[2].textColour, RGB(255, 100, 0));
    EXPECT_EQ(list[2].backColour, RGB(255, 255, 255));
    EXPECT_EQ(list[3].text, "Cma");
    EXPECT_EQ(list[4].text, "ab");

    headless::clearDisplayList(dc);
    headless::recordDrawing(false);
    line(0, 0, 5, 5);
    EXPECT_TRUE(headless::displayList(dc).empty());
}

TEST_F(Drawing, OwnDcKeepsItsStateAndDrawsOutsidePaintHandling) {
    HPEN pen = CreatePen(PS_SOLID, 1, red);
    SelectObject(dc, pen);
    SetTextColor(dc, RGB(1, 2, 3));
    PAINTSTRUCT paint;
    ShowWindow(window, SW_SHOW);  // invalidates: the next BeginPaint erases
    EXPECT_EQ(BeginPaint(window, &paint), dc);
    EndPaint(window, &paint);
    EXPECT_EQ(SelectObject(dc, pen), pen);
    EXPECT_EQ(SetTextColor(dc, 0), RGB(1, 2, 3));
    line(1, 1, 5, 1);  // no paint in progress
    EXPECT_EQ(pixel(window, 3, 1), red);
}

TEST_F(Drawing, BadHandlesAndWildCoordinatesFailQuietly) {
    EXPECT_FALSE(LineTo(nullptr, 1, 1));
    EXPECT_FALSE(MoveToEx(reinterpret_cast<HDC>(0x5678), 1, 1, nullptr));
    EXPECT_FALSE(TextOutA(nullptr, 0, 0, "x", 1));
    EXPECT_FALSE(TextOutA(dc, 0, 0, nullptr, 3));
    EXPECT_FALSE(TextOutA(dc, 0, 0, "x", -1));
    EXPECT_TRUE(TextOutA(dc, 0, 0, "x", 0));

    usePen(1, red);
    line(INT_MIN, INT_MIN, INT_MAX, INT_MAX);  // the diagonal through the image
    EXPECT_EQ(pixel(window, 700, 700), red);
    usePen(5, red);
    line(-2000000000, 600, 2000000000, 600);
    EXPECT_EQ(pixel(window, 0, 600), red);
    EXPECT_EQ(pixel(window, 1023, 600), red);
    line(INT_MIN, INT_MIN, INT_MIN + 5, INT_MIN);  // entirely outside
    useFont(INT_MAX);
    EXPECT_TRUE(TextOutA(dc, INT_MAX, INT_MIN, "far away", 8));
    EXPECT_TRUE(TextOutA(dc, -5, -5, "\xe4\xf6\xfc", 3));  // single-byte text beyond ASCII

    POINT before{};
    MoveToEx(dc, 7, 8, nullptr);
    MoveToEx(dc, 9, 9, &before);
    EXPECT_EQ(before.x, 7);
    EXPECT_EQ(before.y, 8);

    // A destroyed window's DC is gone with it.
    SendMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(LineTo(dc, 3, 3));
    EXPECT_EQ(SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT)), nullptr);
}

}  // namespace
