// The two arrangements as drawn: panel fill, marker, ticks, group lines,
// captions, staircase, labels and colour table, and the state they leave.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "canvas/canvas.h"
#include "display/arrangement.h"
#include "form_fixture.h"

namespace {

using Arrangement = FormTest;

const int axisY = py(49.9);

std::vector<Segment> verticalFromAxis(const std::vector<Segment>& lines, Pen pen, double toY) {
    std::vector<Segment> chosen;
    for (const Segment& s : withPen(lines, pen))
        if (s.x1 == s.x2 && std::abs(s.y1 - axisY) <= 1 && std::abs(s.y2 - py(toY)) <= 1)
            chosen.push_back(s);
    return chosen;
}

std::vector<DrawRecord> textsAt(const std::vector<DrawRecord>& texts, double y) {
    std::vector<DrawRecord> chosen;
    for (const DrawRecord& t : texts)
        if (std::abs(t.y - py(y)) <= 1) chosen.push_back(t);
    return chosen;
}

TEST_F(Arrangement, EachRecordsItsKeywordForTheIdentification) {
    drawChordArrangement();
    EXPECT_STREQ(arrangementKeyword, "chord");
    drawKeyArrangement();
    EXPECT_STREQ(arrangementKeyword, "note");
}

TEST_F(Arrangement, FillsThePanelInsideWith91Lines) {
    for (auto draw : {drawKeyArrangement, drawChordArrangement}) {
        startRecording();
        draw();
        std::vector<Segment> fill = withPen(segments(), pens::panelFill);
        ASSERT_EQ(fill.size(), 91u);
        EXPECT_EQ(fill.front().y1, py(50.0));
        EXPECT_EQ(fill.back().y1, py(95.0));
        EXPECT_EQ(fill.front().x1, px(10.0));
        EXPECT_EQ(fill.front().x2, px(90.0));
    }
}

TEST_F(Arrangement, DrawsOneTickPerSlotFromSlotZeroTo131) {
    for (auto draw : {drawKeyArrangement, drawChordArrangement}) {
        startRecording();
        draw();
        std::vector<Segment> ticks = verticalFromAxis(segments(), pens::teal, 50.9);
        ASSERT_EQ(ticks.size(), 132u);
        EXPECT_EQ(ticks.front().x1, 104);  // x0 = 10.2
        EXPECT_EQ(ticks.back().x1, 911);   // 89.0
        EXPECT_TRUE(std::is_sorted(ticks.begin(), ticks.end(),
                                   [](const Segment& a, const Segment& b) { return a.x1 < b.x1; }));
    }
}

// By key 12 groups of 11 slots, by chord 11 of 12: the lines between the
// groups, and the staircase of eleven marks under them.
TEST_F(Arrangement, GroupLinesAndStaircaseFollowTheGroups) {
    struct Grouping {
        void (*draw)();
        size_t groupLines;
        double firstLine, lastLine, secondMark, lastMark;
        size_t hooks;
    };
    const Grouping groupings[] = {
        {drawKeyArrangement, 11, 16.52, 82.68, 17.42, 82.38, 0},
        {drawChordArrangement, 10, 17.12, 82.08, 18.02, 88.40, 1},
    };
    for (const Grouping& grouping : groupings) {
        startRecording();
        grouping.draw();
        std::vector<Segment> lines = segments();
        std::vector<Segment> groupLines = verticalFromAxis(lines, pens::teal, 95.0);
        ASSERT_EQ(groupLines.size(), grouping.groupLines);
        EXPECT_NEAR(groupLines.front().x1, px(grouping.firstLine), 1);
        EXPECT_NEAR(groupLines.back().x1, px(grouping.lastLine), 1);
        std::vector<Segment> marks = verticalFromAxis(lines, pens::lightGrey, 47.9);
        ASSERT_EQ(marks.size(), 11u);
        EXPECT_NEAR(marks[1].x1, px(grouping.secondMark), 1);
        EXPECT_NEAR(marks[10].x1, px(grouping.lastMark), 1);
        EXPECT_EQ(verticalFromAxis(lines, pens::lightGrey, 48.4).size(), grouping.hooks);
    }
}

TEST_F(Arrangement, ByChordAHookLeadsToTheTwelfthLabel) {
    drawChordArrangement();
    std::vector<Segment> lines = segments();
    std::vector<Segment> hook = verticalFromAxis(lines, pens::lightGrey, 48.4);
    ASSERT_EQ(hook.size(), 1u);
    EXPECT_NEAR(hook[0].x1, px(89.0), 1);
    auto start = std::find_if(lines.begin(), lines.end(), [&](const Segment& s) {
        return s.x1 == hook[0].x1 && s.y1 == hook[0].y1 && s.y2 == hook[0].y2;
    });
    ASSERT_LE(start + 3, lines.end());
    EXPECT_NEAR(start[1].x2, px(92.0), 1);  // along at 48.4
    EXPECT_EQ(start[2].x1, start[2].x2);
    EXPECT_NEAR(start[2].y2, py(47.9), 1);  // down to the label line
}

TEST_F(Arrangement, ByKeyCaptionsAreTheRootsAndTheAxisLineNamesTheTypes) {
    drawKeyArrangement();
    std::vector<DrawRecord> captions = textsAt(texts(), 93.9);
    ASSERT_EQ(captions.size(), 12u);
    const char* roots[] = {"A ", "A#", "B ", "C ", "C#", "D ", "D#", "E ", "F ", "F#", "G ", "G#"};
    for (int g = 0; g < 12; g++)
        EXPECT_EQ(captions[g].text, roots[g]);
    EXPECT_NEAR(captions[0].x, px(12.70), 1);
    EXPECT_NEAR(captions[11].x, px(85.48), 1);
    EXPECT_EQ(captions[0].backColour, RGB(65, 170, 130));
    EXPECT_EQ(captions[0].fontHeight, 16);

    std::vector<DrawRecord> under = textsAt(texts(), 47.9);
    ASSERT_EQ(under.size(), 1u);
    const std::string& axis = under[0].text;
    ASSERT_EQ(axis.size(), 194u);
    EXPECT_NEAR(under[0].x, px(9.2), 1);
    EXPECT_EQ(under[0].fontHeight, 15);
    const std::pair<const char*, size_t> names[] = {
        {"min ", 0},     {" maj ", 19},     {" aug ", 40},   {" dim7 ", 60},
        {" min6 ", 80},  {" maj6 ", 100},   {" min7 ", 119}, {" dom7 ", 137},
        {" maj7 ", 156}, {" dom m9 ", 172}, {" dom9", 189}};
    for (const auto& [name, column] : names)
        EXPECT_EQ(axis.find(name), column) << name;
    EXPECT_EQ(axis.substr(190), "dom9");
}

TEST_F(Arrangement, ByChordCaptionsAreTheTypesAndTheLabelsTheRoots) {
    drawChordArrangement();
    std::vector<DrawRecord> captions = textsAt(texts(), 93.9);
    ASSERT_EQ(captions.size(), 11u);
    const char* types[] = {"   Min  ", "   Maj  ", "    Aug ", "   Dim7 ", "   Min6 ", "   Maj6 ",
                           "    Min7", "   Dom7 ", "   Maj7 ", "Dom M7-9", "    Dom9"};
    for (int g = 0; g < 11; g++)
        EXPECT_EQ(captions[g].text, types[g]);
    EXPECT_NEAR(captions[0].x, px(10.60), 1);
    EXPECT_NEAR(captions[10].x, px(82.78), 1);
    EXPECT_EQ(captions[0].backColour, RGB(65, 170, 130));
    EXPECT_EQ(captions[0].fontHeight, 16);

    std::vector<DrawRecord> labels = textsAt(texts(), 47.9);
    ASSERT_EQ(labels.size(), 12u);
    EXPECT_EQ(labels[0].text, "A ");
    EXPECT_NEAR(labels[0].x, px(9.80), 1);
    EXPECT_EQ(labels[10].text, "G ");
    EXPECT_NEAR(labels[10].x, px(88.00), 1);
    EXPECT_EQ(labels[11].text, "G#");
    EXPECT_NEAR(labels[11].x, px(91.61), 1);  // past the axis end, at the hook
    EXPECT_EQ(labels[11].fontHeight, 15);
    EXPECT_EQ(labels[11].backColour, RGB(50, 140, 140));
}

TEST_F(Arrangement, ColourTableIsClearedThenListsTypesOrRoots) {
    drawKeyArrangement();
    std::vector<Segment> lines = segments();
    size_t cleared = std::count_if(lines.begin(), lines.end(), [](const Segment& s) {
        return s.colour == pens::erase.colour && s.width == 5 && s.x1 == px(70.0) &&
               s.x2 == px(80.0);
    });
    EXPECT_EQ(cleared, 49u);
    std::vector<DrawRecord> entries = textsAt(texts(), 36.0);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].text, "Minor          ");
    for (int i = 0; i < 11; i++)
        EXPECT_EQ(withPen(lines, pens::colour(i)).size(), 1u) << "entry " << i;
    std::vector<Segment> last = withPen(lines, pens::colour(10));
    EXPECT_EQ(last[0].y1, py(15.0));
    EXPECT_EQ(last[0].x1, px(70.0));
    EXPECT_EQ(last[0].x2, px(73.0));
    EXPECT_TRUE(withPen(lines, pens::colour(11)).empty());
    std::vector<DrawRecord> all = texts();
    EXPECT_EQ(all.back().text, "Dominant 9th   ");
    EXPECT_EQ(all[all.size() - 2].text, "Dominant Min9th");
    EXPECT_EQ(all.back().x, px(74.0));

    startRecording();
    drawChordArrangement();
    lines = segments();
    for (int i = 0; i < 12; i++)
        EXPECT_EQ(withPen(lines, pens::colour(i)).size(), 1u) << "entry " << i;
    EXPECT_EQ(withPen(lines, pens::colour(11))[0].y1, py(13.0));
    all = texts();
    EXPECT_EQ(all.back().text, "G#" + std::string(28, ' '));
    EXPECT_EQ(all.front().text.size(), 4u);  // the scale comes first, the legend last

    EXPECT_EQ(pixelAt(px(71.5), py(13.0)), RGB(200, 200, 200));
    drawKeyArrangement();
    EXPECT_EQ(pixelAt(px(71.5), py(13.0)), RGB(50, 140, 140));  // the twelfth sample is gone
}

TEST_F(Arrangement, MarkerShowsLeftByKeyAndRightByChord) {
    drawKeyArrangement();
    std::vector<Segment> yellow = withPen(segments(), pens::marker);
    ASSERT_EQ(yellow.size(), 1u);
    EXPECT_EQ(yellow[0].x1, px(12.5));
    EXPECT_EQ(yellow[0].x2, px(14.5));
    EXPECT_EQ(yellow[0].y1, py(35.0));
    EXPECT_EQ(pixelAt(px(13.5), py(35.0)), RGB(255, 255, 0));

    drawChordArrangement();
    EXPECT_EQ(pixelAt(px(20.0), py(35.0)), RGB(255, 255, 0));
    EXPECT_EQ(pixelAt(px(13.5), py(35.0)), RGB(50, 140, 140));  // blanked

    drawKeyArrangement();
    EXPECT_EQ(pixelAt(px(13.5), py(35.0)), RGB(255, 255, 0));
    EXPECT_EQ(pixelAt(px(20.0), py(35.0)), RGB(50, 140, 140));
    EXPECT_EQ(pixelAt(px(50.0), py(80.0)), RGB(65, 170, 130));  // panel inside
}

TEST_F(Arrangement, ByKeyDrawsCaptionsBeforeTicksByChordAfterGroupLines) {
    auto firstCaption = [&] {
        const auto& list = drawn();
        return std::find_if(list.begin(), list.end(),
                            [](const DrawRecord& r) {
                                return r.kind == DrawRecord::Kind::Text &&
                                       std::abs(r.y - py(93.9)) <= 1;
                            }) -
               list.begin();
    };
    auto firstTick = [&] {
        const auto& list = drawn();
        return std::find_if(list.begin(), list.end(),
                            [](const DrawRecord& r) {
                                return r.kind == DrawRecord::Kind::LineTo &&
                                       r.penColour == pens::teal.colour && r.y == py(50.9);
                            }) -
               list.begin();
    };
    drawKeyArrangement();
    EXPECT_LT(firstCaption(), firstTick());
    startRecording();
    drawChordArrangement();
    EXPECT_GT(firstCaption(), firstTick());
}

TEST_F(Arrangement, LeavesTheLastLegendPenAndTheLabelStyle) {
    using Draw = void (*)();
    for (auto [draw, lastPen] : {std::pair<Draw, int>{drawKeyArrangement, 10},
                                 std::pair<Draw, int>{drawChordArrangement, 11}}) {
        draw();
        Selection left = probeSelection();
        EXPECT_EQ(left.line.penColour, pens::colour(lastPen).colour);
        EXPECT_EQ(left.line.penWidth, pens::colour(lastPen).width);
        EXPECT_EQ(left.text.fontHeight, 15);
        EXPECT_EQ(left.text.textColour, RGB(210, 210, 210));
        EXPECT_EQ(left.text.backColour, RGB(50, 140, 140));
    }
}

}  // namespace
