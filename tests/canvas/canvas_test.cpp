// The plot canvas as the display list sees it: device mapping, polylines,
// fonts, pens and colours, in device coordinates of a CS_OWNDC window.
#include <gtest/gtest.h>

#include <vector>

#include "canvas/canvas.h"
#include "platform/headless/headless.h"

namespace {

LRESULT CALLBACK plainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

class Canvas : public ::testing::Test {
protected:
    void TearDown() override { headless::reset(); }

    // A window with its own DC on a screen of the given size, its paint started.
    void open(int width, int height) {
        headless::reset();
        headless::setScreen(width, height);
        resetCanvas();
        WNDCLASSA windowClass = {};
        windowClass.style = CS_OWNDC;
        windowClass.lpfnWndProc = plainProc;
        windowClass.lpszClassName = "CanvasTest";
        RegisterClassA(&windowClass);
        window = CreateWindowExA(0, "CanvasTest", "", WS_POPUP | WS_VISIBLE, 0, 0, width,
                                 height - 30, nullptr, nullptr, nullptr, nullptr);
        startpaint(window);
        headless::recordDrawing(true);
        headless::clearDisplayList(hpc);
    }

    void useScreenScale() {
        plot(0.0f, 0.0f, 1);
        plot(0.01f, 0.01f, 2);
    }

    POINT deviceOf(float x, float y) {
        headless::clearDisplayList(hpc);
        plot(x, y, 3);
        const auto& list = headless::displayList(hpc);
        EXPECT_EQ(list.size(), 1u);
        return list.empty() ? POINT{-1, -1} : POINT{list.back().x, list.back().y};
    }

    const DrawRecord& textRecord(const char* text, int length) {
        headless::clearDisplayList(hpc);
        textat(10.0f, 10.0f, text, length);
        return headless::displayList(hpc).back();
    }

    HWND window = nullptr;
};

struct Mapping {
    int screenWidth, screenHeight;
    float x, y;
    int deviceX, deviceY;
};

TEST_F(Canvas, MapsPlotUnitsToDevicePointsOnSeveralScreens) {
    const Mapping mappings[] = {
        {1024, 768, 50, 50, 512, 383},
        {1024, 768, 100, 0, 1024, 767},
        {1024, 768, 0, 100, 0, 0},  // device y -0.5 is cut toward zero
        {800, 600, 50, 50, 400, 299},
        {800, 600, 100, 0, 800, 599},
        {800, 600, 0, 100, 0, 0},
        {800, 600, 0.0625f, 50, 1, 299},  // x rounds half up
        {1280, 1024, 50, 50, 640, 511},
        {1280, 1024, 100, 0, 1280, 1023},
        {1280, 1024, 30.6519f, 91.0f, 392, 91},
    };
    for (const Mapping& m : mappings) {
        open(m.screenWidth, m.screenHeight);
        useScreenScale();
        POINT device = deviceOf(m.x, m.y);
        EXPECT_EQ(device.x, m.deviceX)
            << m.screenWidth << "x" << m.screenHeight << " at " << m.x << "," << m.y;
        EXPECT_EQ(device.y, m.deviceY)
            << m.screenWidth << "x" << m.screenHeight << " at " << m.x << "," << m.y;
    }
}

TEST_F(Canvas, OriginShiftsEveryPointBeforeScaling) {
    open(1024, 768);
    plot(10.0f, 20.0f, 1);
    plot(0.01f, 0.01f, 2);
    POINT device = deviceOf(0.0f, 0.0f);
    EXPECT_EQ(device.x, 102);  // 10 x 10.24 + 0.5
    EXPECT_EQ(device.y, 613);  // 767.5 - 20 x 7.68
}

TEST_F(Canvas, BeforeTheScaleIsSetEveryPointIsTheDeviceOrigin) {
    open(1024, 768);
    plot(50.0f, 50.0f, 3);
    plot(100.0f, 0.0f, 4);
    plot(-20.0f, 300.0f, 4);
    for (const DrawRecord& record : headless::displayList(hpc)) {
        EXPECT_EQ(record.x, 0);
        EXPECT_EQ(record.y, 0);
    }
    EXPECT_EQ(headless::displayList(hpc).size(), 3u);
}

TEST_F(Canvas, OnlyModesThreeAndFourReachTheDevice) {
    open(1024, 768);
    useScreenScale();
    for (int mode : {0, 1, 5, -3}) {
        plot(0.0f, 0.0f, mode);  // mode 1 keeps the origin at 0, 0
        EXPECT_TRUE(headless::displayList(hpc).empty()) << "mode " << mode;
    }
    plot(0.01f, 0.01f, 2);
    EXPECT_TRUE(headless::displayList(hpc).empty());
    plot(20.0f, 30.0f, 3);
    plot(40.0f, 30.0f, 4);
    const auto& list = headless::displayList(hpc);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].kind, DrawRecord::Kind::MoveTo);
    EXPECT_EQ(list[1].kind, DrawRecord::Kind::LineTo);
    EXPECT_EQ(list[1].x, 410);
}

TEST_F(Canvas, BoxTracesAClosedOutlineEndingAtItsFirstCorner) {
    open(1024, 768);
    useScreenScale();
    box(10.0f, 20.0f, 30.0f, 40.0f);
    box(50.0f, 10.0f, 50.0f, 60.0f);  // zero width: the same vertical line twice
    struct Expected {
        DrawRecord::Kind kind;
        int x, y;
    };
    using K = DrawRecord::Kind;
    const std::vector<Expected> expected = {
        {K::MoveTo, 102, 613}, {K::LineTo, 307, 613}, {K::LineTo, 307, 460}, {K::LineTo, 102, 460},
        {K::LineTo, 102, 613}, {K::MoveTo, 512, 690}, {K::LineTo, 512, 690}, {K::LineTo, 512, 306},
        {K::LineTo, 512, 306}, {K::LineTo, 512, 690},
    };
    const auto& list = headless::displayList(hpc);
    ASSERT_EQ(list.size(), expected.size());
    for (size_t i = 0; i < expected.size(); i++) {
        EXPECT_EQ(list[i].kind, expected[i].kind) << "record " << i;
        EXPECT_EQ(list[i].x, expected[i].x) << "record " << i;
        EXPECT_EQ(list[i].y, expected[i].y) << "record " << i;
    }
}

TEST_F(Canvas, FontHeightFollowsTheScreenHeight) {
    struct Height {
        int screenHeight, size, pixels;
    };
    const Height heights[] = {{768, 14, 21}, {768, 11, 16}, {768, 10, 15},  {768, 12, 18},
                              {600, 14, 16}, {600, 11, 13}, {1024, 14, 28}, {1024, 10, 20}};
    for (const Height& h : heights) {
        open(1024, h.screenHeight);
        useScreenScale();
        setfont(h.size, "Arial");
        const DrawRecord& text = textRecord("A", 1);
        EXPECT_EQ(text.fontHeight, h.pixels)
            << "size " << h.size << " on height " << h.screenHeight;
        EXPECT_EQ(text.fontFace, "Arial");
    }
}

TEST_F(Canvas, TextDrawsExactlyTheGivenCountAtItsTopLeftInTheChosenColours) {
    open(1024, 768);
    useScreenScale();
    textcolor(210, 200, 190);
    backcolor(50, 140, 140);
    headless::clearDisplayList(hpc);
    textat(40.0f, 45.0f, "Click on a spectral spike", 5);
    const auto& list = headless::displayList(hpc);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].kind, DrawRecord::Kind::Text);
    EXPECT_EQ(list[0].text, "Click");
    EXPECT_EQ(list[0].x, 410);
    EXPECT_EQ(list[0].y, 421);
    EXPECT_EQ(list[0].textColour, RGB(210, 200, 190));
    EXPECT_EQ(list[0].backColour, RGB(50, 140, 140));
}

TEST_F(Canvas, PentypeReplacesTheSlotAndSelectsTheNewPenAtOnce) {
    open(1024, 768);
    useScreenScale();
    pentype(4, PS_SOLID, 1, 0, 120, 120);
    pentype(20, PS_SOLID, 3, 0, 0, 0);
    HPEN first = hPen[4];
    pentype(4, PS_SOLID, 5, 234, 21, 85);
    EXPECT_NE(hPen[4], first);
    plot(10.0f, 10.0f, 3);
    plot(20.0f, 10.0f, 4);
    EXPECT_EQ(headless::displayList(hpc).back().penWidth, 5);
    EXPECT_EQ(headless::displayList(hpc).back().penColour, RGB(234, 21, 85));
    SelectObject(hpc, hPen[20]);
    plot(30.0f, 10.0f, 4);
    EXPECT_EQ(headless::displayList(hpc).back().penColour, RGB(0, 0, 0));
}

TEST_F(Canvas, ReplacedPensAndFontsAreReleased) {
    open(1024, 768);
    useScreenScale();
    pentype(0, PS_SOLID, 768, 50, 140, 140);
    pentype(9, PS_SOLID, 2, 180, 180, 180);
    setfont(11, "Arial");
    int live = headless::liveGdiObjects();
    for (int i = 0; i < 5000; i++) {
        pentype(i % 2 == 0 ? 0 : 9, PS_SOLID, 1 + i % 4, i % 256, 0, 0);
        setfont(10 + i % 5, "Arial");
    }
    EXPECT_EQ(headless::liveGdiObjects(), live);
    const DrawRecord& text = textRecord("still drawing", 13);
    EXPECT_EQ(text.fontHeight, 21);  // the last font made: size 14
}

TEST_F(Canvas, TheWindowsOwnContextKeepsDrawingAfterThePaintEnds) {
    open(1024, 768);
    HDC painted = hpc;
    EndPaint(window, &PlotCanvas.paint);
    startpaint(window);
    EXPECT_EQ(hpc, painted);
    EndPaint(window, &PlotCanvas.paint);
    useScreenScale();
    headless::clearDisplayList(hpc);
    plot(10.0f, 10.0f, 3);
    plot(20.0f, 10.0f, 4);
    EXPECT_EQ(headless::displayList(painted).size(), 2u);
}

}  // namespace
