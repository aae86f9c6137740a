// Pens, fonts, brushes and their selection into a window's own DC.
#include "platform_fixture.h"

namespace {

class GdiObjects : public PlatformTest {
protected:
    HDC ownDC() {
        window = makeWindow(400, 300);
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return dc;
    }
    HWND window = nullptr;
};

TEST_F(GdiObjects, SelectObjectSwapsPerKindAndRefusesWhatIsNoObject) {
    HDC dc = ownDC();
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(1, 2, 3));
    HFONT font = CreateFontA(21, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_TT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
    HGDIOBJ firstPen = SelectObject(dc, pen);
    HGDIOBJ firstFont = SelectObject(dc, font);
    EXPECT_NE(firstPen, nullptr);
    EXPECT_NE(firstFont, nullptr);
    EXPECT_NE(firstPen, firstFont);  // a pen slot and a font slot, not one "current object"
    EXPECT_EQ(SelectObject(dc, firstPen), pen);
    EXPECT_EQ(SelectObject(dc, firstFont), font);

    EXPECT_EQ(SelectObject(dc, nullptr), nullptr);
    EXPECT_EQ(SelectObject(nullptr, pen), nullptr);
    EXPECT_EQ(SelectObject(dc, reinterpret_cast<HGDIOBJ>(dc)), nullptr);  // a DC is no object
    EXPECT_TRUE(DeleteObject(pen));
    EXPECT_EQ(SelectObject(dc, pen), nullptr);  // deleted
    EXPECT_FALSE(DeleteObject(pen));
    EXPECT_TRUE(DeleteObject(font));
    EXPECT_EQ(CreatePen(7, 1, 0), nullptr);  // no such style
}

TEST_F(GdiObjects, ColoursReturnTheOldValueAndInvalidOnABadContext) {
    HDC dc = ownDC();
    EXPECT_EQ(SetTextColor(dc, RGB(255, 100, 0)), RGB(0, 0, 0));
    EXPECT_EQ(SetTextColor(dc, RGB(1, 1, 1)), RGB(255, 100, 0));
    EXPECT_EQ(SetBkColor(dc, RGB(50, 140, 140)), RGB(255, 255, 255));
    EXPECT_EQ(SetBkColor(dc, RGB(0, 0, 0)), RGB(50, 140, 140));
    EXPECT_EQ(SetTextColor(nullptr, 0), 0xFFFFFFFFu);
    EXPECT_EQ(SetBkColor(reinterpret_cast<HDC>(0x1234), 0), 0xFFFFFFFFu);
}

TEST_F(GdiObjects, StockGuiFontIsSharedAndSurvivesDeletion) {
    HGDIOBJ guiFont = GetStockObject(DEFAULT_GUI_FONT);
    ASSERT_NE(guiFont, nullptr);
    EXPECT_EQ(GetStockObject(DEFAULT_GUI_FONT), guiFont);
    const int before = headless::liveGdiObjects();
    EXPECT_TRUE(DeleteObject(guiFont));
    EXPECT_NE(SelectObject(ownDC(), guiFont), nullptr);
    EXPECT_EQ(headless::liveGdiObjects(), before);
}

TEST_F(GdiObjects, ObjectCountStaysFlatOverManyPaints) {
    HDC dc = ownDC();
    const int before = headless::liveGdiObjects();
    HPEN pens[32] = {};
    HFONT font = nullptr;
    HBRUSH brush = nullptr;
    // Each paint replaces 22 pens, a font and a brush, deleting what it replaces
    // even while it is still selected.
    for (int paint = 0; paint < 10000; ++paint) {
        for (int slot = 0; slot < 32; ++slot) {
            if (slot >= 10 && slot < 20) continue;
            HPEN old = pens[slot];
            pens[slot] = CreatePen(PS_SOLID, slot % 5, RGB(slot, paint % 256, 0));
            ASSERT_NE(pens[slot], nullptr);
            SelectObject(dc, pens[slot]);
            if (old) DeleteObject(old);
        }
        HFONT oldFont = font;
        if (oldFont) DeleteObject(oldFont);  // still selected: deletion waits
        font = CreateFontA(16, 0, 0, 0, FW_NORMAL, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
        SelectObject(dc, font);
        if (brush) DeleteObject(brush);
        brush = CreateSolidBrush(RGB(255, 255, 255));
        MoveToEx(dc, 0, 0, nullptr);
        LineTo(dc, 10, 10);
    }
    EXPECT_EQ(headless::liveGdiObjects(), before + 22 + 2);
}

TEST_F(GdiObjects, ASelectedPenDeletedStillDrawsAndIsFreedWhenReplaced) {
    HDC dc = ownDC();
    const int before = headless::liveGdiObjects();
    HPEN red = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ original = SelectObject(dc, red);
    EXPECT_TRUE(DeleteObject(red));
    EXPECT_EQ(headless::liveGdiObjects(), before + 1);
    MoveToEx(dc, 10, 20, nullptr);
    LineTo(dc, 30, 20);
    EXPECT_EQ(pixel(window, 15, 20), RGB(255, 0, 0));
    SelectObject(dc, original);
    EXPECT_EQ(headless::liveGdiObjects(), before);
}

}  // namespace
