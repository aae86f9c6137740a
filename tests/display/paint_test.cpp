// Form painting: background, frame, arrangement by modeNumber, titles, focus,
// and repeated paints that draw the same and use up no drawing objects.
#include "canvas/canvas.h"
#include "display/arrangement.h"
#include "form_fixture.h"
#include "platform/headless/headless.h"
#include "shell/drawing.h"
#include "shell/form.h"

namespace {

using Painting = FormTest;

TEST_F(Painting, FloodsTheClientAreaThenDrawsTheFrame) {
    paintform();
    const auto& list = drawn();
    ASSERT_GE(list.size(), 7u);
    EXPECT_EQ(list[0].kind, DrawRecord::Kind::MoveTo);
    EXPECT_EQ(list[0].x, 0);
    EXPECT_EQ(list[0].y, 383);
    EXPECT_EQ(list[1].x, 1024);
    EXPECT_EQ(list[1].y, 383);
    EXPECT_EQ(list[1].penWidth, 768);  // as wide as the screen is high
    EXPECT_EQ(list[1].penColour, RGB(50, 140, 140));
    std::vector<Segment> frame = withPen(segments(), pens::frame);
    ASSERT_EQ(frame.size(), 4u);
    EXPECT_EQ(frame[0].x1, px(1.2));
    EXPECT_EQ(frame[0].y1, py(8.0));
    EXPECT_EQ(frame[1].y2, py(97.5));
    EXPECT_EQ(frame[0].x2, px(98.0));
    EXPECT_EQ(pixelAt(5, 5), RGB(50, 140, 140));
    EXPECT_EQ(pixelAt(40, 300), RGB(50, 140, 140));
    EXPECT_EQ(pixelAt(500, 250), RGB(65, 170, 130));  // inside the panel
}

TEST_F(Painting, ModeOneDrawsByKeyAndAnyOtherModeByChord) {
    for (int mode : {2, 0, 7, 1}) {
        modeNumber = mode;
        paintform();
        EXPECT_STREQ(arrangementKeyword, mode == 1 ? "note" : "chord") << "mode " << mode;
    }
}

TEST_F(Painting, WritesTheTwoTitleLinesLast) {
    paintform();
    std::vector<DrawRecord> all = texts();
    ASSERT_GE(all.size(), 2u);
    const DrawRecord& title = all[all.size() - 2];
    const DrawRecord& help = all.back();
    EXPECT_EQ(title.text, " Chord  Spectrograph ");
    EXPECT_EQ(title.x, 389);
    EXPECT_EQ(title.y, 7);
    EXPECT_EQ(title.fontHeight, 21);
    EXPECT_EQ(help.text, "Note symbols: abcdefg # (sharp) % (flat)       Recognised notes");
    EXPECT_EQ(help.x, 56);
    EXPECT_EQ(help.y, py(20.0));
    EXPECT_EQ(help.fontHeight, 16);
    for (const DrawRecord* line : {&title, &help}) {
        EXPECT_EQ(line->textColour, RGB(210, 210, 210));
        EXPECT_EQ(line->backColour, RGB(50, 140, 140));
        EXPECT_EQ(line->fontFace, "Arial");
    }
}

TEST_F(Painting, GivesTheFocusToTheNoteEntryField) {
    SetFocus(HelpButton);
    paintform();
    EXPECT_EQ(headless::focusedWindow(), NoteEntryField);
}

TEST_F(Painting, TwoPaintsInARowGiveTheSamePicture) {
    paintform();
    std::string first = describe(drawn());
    startRecording();
    paintform();
    EXPECT_EQ(describe(drawn()), first);
}

TEST_F(Painting, RepeatedPaintsKeepTheDrawingObjectCountFlat) {
    headless::recordDrawing(false);
    paintform();
    int live = headless::liveGdiObjects();
    for (int i = 0; i < 300; i++)
        paintform();
    EXPECT_EQ(headless::liveGdiObjects(), live);
}

}  // namespace
