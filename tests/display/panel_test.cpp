// The spectrum panel: erase strip, frame, ratio scale, geometry and the state it leaves.
#include <cmath>
#include <cstdlib>
#include <string>

#include "canvas/canvas.h"
#include "display/panel.h"
#include "form_fixture.h"

namespace {

using Panel = FormTest;

bool horizontal(const Segment& s, int fromX, int toX, int y) {
    return std::abs(s.x1 - fromX) <= 1 && std::abs(s.x2 - toX) <= 1 && std::abs(s.y1 - y) <= 1 &&
           s.y1 == s.y2;
}

// The ratio a right-hand label stands for: "a/b", or "Exact" for 1.
double ratioOf(const std::string& label) {
    if (label == "Exact") return 1.0;
    return std::atof(label.c_str()) / std::atof(label.c_str() + label.find('/') + 1);
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

// Each pair of labels names one ratio, as a percentage on the left and a
// fraction on the right, and its guide line stands where a spike of that
// ratio ends: a score of 2 r^2 reaches 51 + 20 x 2 r^2, within 0.1.
TEST_F(Panel, RatioScaleMarksWhereSpikesOfEachRatioEnd) {
    drawpanel();
    std::vector<DrawRecord> labels = texts();
    std::vector<Segment> tips = withPen(segments(), pens::lightGrey);
    std::vector<Segment> guides = withPen(segments(), pens::teal);
    ASSERT_EQ(labels.size(), 16u);
    ASSERT_EQ(tips.size(), 8u);
    ASSERT_EQ(guides.size(), 8u);
    for (int i = 0; i < 8; i++) {
        const DrawRecord& left = labels[2 * i];
        const DrawRecord& right = labels[2 * i + 1];
        SCOPED_TRACE(left.text + " " + right.text);
        const double ratio = ratioOf(right.text);
        EXPECT_EQ(left.text, std::to_string(std::lround(100 * ratio)) + "%");
        const int lineY = guides[i].y1;
        EXPECT_NEAR(lineY, py(51.0 + 40.0 * ratio * ratio), 1);
        // The guide runs across the panel, its light tips one unit beyond it.
        EXPECT_TRUE(horizontal(guides[i], px(90.2), px(9.2), lineY));
        EXPECT_TRUE(horizontal(tips[i], px(91.2), px(8.2), lineY));
        // The labels stand beside the panel, their cells across the line;
        // "100%", a digit longer, starts half a unit further left.
        EXPECT_NEAR(left.x, px(left.text.size() == 4 ? 5.0 : 5.5), 1);
        EXPECT_NEAR(right.x, px(92.0), 1);
        for (const DrawRecord* label : {&left, &right}) {
            EXPECT_LE(label->y, lineY);
            EXPECT_GT(label->y + label->fontHeight, lineY);
        }
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
    Selection left = probeSelection();
    EXPECT_EQ(left.line.penWidth, pens::teal.width);
    EXPECT_EQ(left.line.penColour, pens::teal.colour);
    EXPECT_EQ(left.text.fontHeight, 16);
    EXPECT_EQ(left.text.fontFace, "Arial");
    EXPECT_EQ(left.text.textColour, RGB(210, 210, 210));
    EXPECT_EQ(left.text.backColour, RGB(50, 140, 140));
}

}  // namespace
