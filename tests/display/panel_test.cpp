// The spectrum panel: erase strip, frame, ratio scale, geometry and the state it leaves.
#include <cstdlib>

#include "canvas/canvas.h"
#include "display/panel.h"
#include "form_fixture.h"

namespace {

using Panel = FormTest;

bool horizontal(const Segment& s, int fromX, int toX, int y) {
    return std::abs(s.x1 - fromX) <= 1 && std::abs(s.x2 - toX) <= 1 && std::abs(s.y1 - y) <= 1 &&
           s.y1 == s.y2;
}

TEST_F(Panel, ErasesExactlyFifteenLinesUnderThePanelFirst) {
    drawpanel();
    std::vector<Segment> lines = segments();
    ASSERT_GT(lines.size(), 16u);
    for (int i = 0; i < 15; i++) {
        EXPECT_EQ(lines[i].width, pens::erase.width);
        EXPECT_EQ(lines[i].colour, pens::erase.colour);
        EXPECT_TRUE(horizontal(lines[i], px(8.0), px(97.5), py(42.0 + 0.5 * i))) << "line " << i;
    }
    EXPECT_NE(lines[15].colour, pens::erase.colour);  // 49.5 is not erased
}

TEST_F(Panel, FrameIsARectangleAndTwoBevelRings) {
    drawpanel();
    std::vector<Segment> lines = segments();
    std::vector<Segment> rectangle = withPen(lines, pens::panelRectangle);
    ASSERT_EQ(rectangle.size(), 4u);
    EXPECT_TRUE(horizontal(rectangle[0], px(9.5), px(90.5), py(49.2)));
    EXPECT_EQ(rectangle[3].x2, rectangle[0].x1);
    EXPECT_EQ(rectangle[3].y2, rectangle[0].y1);
    std::vector<Segment> light = withPen(lines, pens::lightBevel);
    std::vector<Segment> dark = withPen(lines, pens::darkBevel);
    ASSERT_EQ(light.size(), 4u);
    ASSERT_EQ(dark.size(), 4u);
    // Outer ring: light up the left side, dark along the bottom.
    EXPECT_NEAR(light[0].x1, px(9.2), 1);
    EXPECT_NEAR(light[0].y2, py(95.8), 1);
    EXPECT_TRUE(horizontal(dark[2], px(9.3), px(90.8), py(48.9)));
    // Inner ring: light along the bottom, dark up the left side.
    EXPECT_TRUE(horizontal(light[2], px(9.6), px(90.2), py(49.6)));
    EXPECT_NEAR(dark[0].x1, px(9.8), 1);
}

TEST_F(Panel, RatioScaleHasEightLabelledGuideLinesWithLightTips) {
    struct Row {
        const char* left;
        double leftX;
        const char* right;
        double labelY, lineY;
    };
    const Row rows[] = {
        {"100%", 5.0, "Exact", 92.0, 91.1}, {"80%", 5.5, "4/5", 77.5, 76.5},
        {"75%", 5.5, "3/4", 74.5, 73.4},    {"67%", 5.5, "2/3", 69.6, 68.7},
        {"60%", 5.5, "3/5", 66.5, 65.3},    {"50%", 5.5, "2/4", 62.0, 60.9},
        {"40%", 5.5, "2/5", 58.5, 57.4},    {"25%", 5.5, "1/4", 54.5, 53.5},
    };
    drawpanel();
    std::vector<DrawRecord> labels = texts();
    std::vector<Segment> tips = withPen(segments(), pens::lightGrey);
    std::vector<Segment> guides = withPen(segments(), pens::teal);
    ASSERT_EQ(labels.size(), 16u);
    ASSERT_EQ(tips.size(), 8u);
    ASSERT_EQ(guides.size(), 8u);
    for (int i = 0; i < 8; i++) {
        const Row& row = rows[i];
        EXPECT_EQ(labels[2 * i].text, row.left);
        EXPECT_NEAR(labels[2 * i].x, px(row.leftX), 1);
        EXPECT_NEAR(labels[2 * i].y, py(row.labelY), 1);
        EXPECT_EQ(labels[2 * i + 1].text, row.right);
        EXPECT_NEAR(labels[2 * i + 1].x, px(92.0), 1);
        EXPECT_TRUE(horizontal(tips[i], px(91.2), px(8.2), py(row.lineY))) << row.left;
        EXPECT_TRUE(horizontal(guides[i], px(90.2), px(9.2), py(row.lineY))) << row.left;
    }
    EXPECT_EQ(labels[0].fontHeight, 16);
    EXPECT_EQ(labels[0].textColour, RGB(210, 210, 210));
    EXPECT_EQ(labels[0].backColour, RGB(50, 140, 140));
}

TEST_F(Panel, GeometryPutsSlotZeroAndSlot131AtTheAxisEnds) {
    PanelGeometry = {};
    drawpanel();
    EXPECT_FLOAT_EQ(PanelGeometry.slotOriginX, 10.2f);
    EXPECT_FLOAT_EQ(PanelGeometry.baselineY, 49.9f);
    EXPECT_FLOAT_EQ(PanelGeometry.slotEndX, 89.0f);
    EXPECT_EQ(PanelGeometry.slotPitch, 0.60152674f);
    EXPECT_NEAR(PanelGeometry.slotOriginX + 131 * PanelGeometry.slotPitch, 89.0f, 1e-5);
}

TEST_F(Panel, LeavesTealPenSize11FontAndScaleColoursSelected) {
    drawpanel();
    startRecording();
    plot(20.0f, 20.0f, 3);
    plot(30.0f, 20.0f, 4);
    textat(20.0f, 20.0f, "probe", 5);
    const DrawRecord& line = drawn()[1];
    const DrawRecord& text = drawn()[2];
    EXPECT_EQ(line.penWidth, pens::teal.width);
    EXPECT_EQ(line.penColour, pens::teal.colour);
    EXPECT_EQ(text.fontHeight, 16);
    EXPECT_EQ(text.fontFace, "Arial");
    EXPECT_EQ(text.textColour, RGB(210, 210, 210));
    EXPECT_EQ(text.backColour, RGB(50, 140, 140));
}

TEST_F(Panel, TwoCallsDrawTheSamePicture) {
    drawpanel();
    std::string first = describe(drawn());
    startRecording();
    drawpanel();
    EXPECT_EQ(describe(drawn()), first);
}

}  // namespace
