// Form painting: background, frame, arrangement by modeNumber, titles, focus,
// the colours on screen, and repeated drawing that draws the same and uses up
// no drawing objects.
#include <algorithm>
#include <string>
#include <utility>

#include "canvas/canvas.h"
#include "display/arrangement.h"
#include "display/panel.h"
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

// The title lines, then the chord field's heading in their font and colours:
// after the help line where that reaches past the field's left edge (4:3),
// over that edge where it does not (16:9).
TEST_F(Painting, WritesTheTitleLinesAndTheChordHeadingLast) {
    paintform();
    std::vector<DrawRecord> all = texts();
    ASSERT_GE(all.size(), 3u);
    const DrawRecord& title = all[all.size() - 3];
    const DrawRecord& help = all[all.size() - 2];
    const DrawRecord& heading = all.back();
    EXPECT_EQ(title.text, " Chord  Spectrograph ");
    EXPECT_EQ(title.x, 389);
    EXPECT_EQ(title.y, 7);
    EXPECT_EQ(title.fontHeight, 21);
    EXPECT_EQ(help.text, "Note symbols: abcdefg # (sharp) % (flat)       Recognised notes");
    EXPECT_EQ(help.x, 56);
    EXPECT_EQ(help.y, py(20.0));
    EXPECT_EQ(help.fontHeight, 16);
    EXPECT_EQ(heading.text, "Chord");
    EXPECT_EQ(heading.y, help.y);
    EXPECT_EQ(heading.fontHeight, help.fontHeight);
    for (const DrawRecord* line : {&title, &help, &heading}) {
        EXPECT_EQ(line->textColour, RGB(210, 210, 210));
        EXPECT_EQ(line->backColour, RGB(50, 140, 140));
        EXPECT_EQ(line->fontFace, "Arial");
    }
    SIZE helpSize = {};
    GetTextExtentPoint32A(hpc, help.text.c_str(), 63, &helpSize);
    EXPECT_GT(heading.x, help.x + helpSize.cx + 5);
    EXPECT_GT(heading.x, px(43.0));

    openForm(1920, 1080);
    paintform();
    EXPECT_NEAR(texts().back().x, px(43.0), 1);
}

TEST_F(Painting, GivesTheFocusToTheNoteEntryField) {
    SetFocus(HelpButton);
    paintform();
    EXPECT_EQ(headless::focusedWindow(), NoteEntryField);
}

// What a person sees: one point on the lines of each pen, in its colour. (The
// tests pick lines out by the painting's own pen table; this is where its
// colours are checked.)
TEST_F(Painting, ShowsEachPenInItsColour) {
    struct Sample {
        const char* what;
        double x, y;
        COLORREF colour;
    };
    const Sample samples[] = {
        {"background", 4.0, 60.0, RGB(50, 140, 140)},       {"outer frame", 1.2, 60.0, RGB(180, 180, 180)},
        {"panel inside", 50.0, 85.0, RGB(65, 170, 130)},    {"by-key marker", 13.5, 35.0, RGB(255, 255, 0)},
        {"panel rectangle", 9.5, 70.0, RGB(190, 190, 190)}, {"outer bevel", 9.2, 70.0, RGB(255, 255, 255)},
        {"inner bevel", 9.8, 70.0, RGB(90, 90, 90)},        {"100% guide line", 50.0, 91.1, RGB(0, 120, 120)},
        {"guide line tip", 8.7, 91.1, RGB(210, 210, 210)},
    };
    // The colour table's samples: chord types by key, then the twelfth root by chord.
    const COLORREF colourPens[12] = {
        RGB(0, 0, 0),     RGB(140, 90, 70), RGB(234, 21, 85),  RGB(255, 186, 117), RGB(255, 255, 0),   RGB(0, 255, 0),
        RGB(90, 255, 255), RGB(70, 70, 255), RGB(180, 0, 255), RGB(255, 128, 255), RGB(255, 255, 255), RGB(200, 200, 200)};
    paintform();
    for (const Sample& sample : samples)
        EXPECT_EQ(pixelAt(px(sample.x), py(sample.y)), sample.colour) << sample.what;
    for (int i = 0; i < 11; i++)
        EXPECT_EQ(pixelAt(px(71.5), py(35 - 2 * i)), colourPens[i]) << "colour pen " << 20 + i;
    drawChordArrangement();
    EXPECT_EQ(pixelAt(px(71.5), py(13.0)), colourPens[11]) << "colour pen 31";
}

TEST_F(Painting, RepeatedPaintsKeepTheDrawingObjectCountFlat) {
    headless::recordDrawing(false);
    paintform();
    int live = headless::liveGdiObjects();
    for (int i = 0; i < 300; i++)
        paintform();
    EXPECT_EQ(headless::liveGdiObjects(), live);
}

// What a person sees after "Enter" and a click on a spike, on every screen
// from 800 x 600 to 3840 x 2160: nothing drawn lies under the chord field, the
// status text or the chord heading. Lines count with their pens' width; the
// background's one line, which covers everything, does not.
RECT cellOf(const DrawRecord& text) {
    HFONT font = CreateFontA(text.fontHeight, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_TT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, text.fontFace.c_str());
    HGDIOBJ previous = SelectObject(hpc, font);
    SIZE size = {};
    GetTextExtentPoint32A(hpc, text.text.c_str(), static_cast<int>(text.text.size()), &size);
    SelectObject(hpc, previous);
    DeleteObject(font);
    return {text.x, text.y, text.x + size.cx, text.y + size.cy};
}

RECT boundsOf(const Segment& line) {
    const int reach = line.width / 2 + 1;
    return {std::min(line.x1, line.x2) - reach, std::min(line.y1, line.y2) - reach,
            std::max(line.x1, line.x2) + reach, std::max(line.y1, line.y2) + reach};
}

bool overlap(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

RECT inForm(HWND control) {
    const RECT client = headless::clientRect(Form1), rect = headless::clientRect(control);
    return {rect.left - client.left, rect.top - client.top, rect.right - client.left, rect.bottom - client.top};
}

// The controls added to the form, and the Chord heading, lie where the window
// draws nothing and on no other control, at every screen size.
TEST_F(Painting, TheAddedControlsAndTheHeadingCoverNothingDrawn) {
    for (auto [width, height] : {std::pair{800, 600}, {1024, 768}, {1280, 1024}, {1920, 1080}, {3840, 2160}}) {
        openForm(width, height);
        paintform();
        SetWindowTextA(NoteEntryField, "c e g b% d");
        headless::clickButton(EnterButton);
        const RECT client = headless::clientRect(Form1);
        headless::mouseDown(client.left + width * 3 / 10, client.top + height * 3 / 10);
        headless::mouseUp(client.left + width * 3 / 10, client.top + height * 3 / 10);
        headless::runUntilIdle();
        const std::vector<DrawRecord> shown = texts();
        const auto headingText =
            std::find_if(shown.begin(), shown.end(), [](const DrawRecord& text) { return text.text == "Chord"; });
        ASSERT_NE(headingText, shown.end());
        const RECT heading = cellOf(*headingText);
        const RECT covered[] = {inForm(ChordField), inForm(SoundBox), inForm(MidiStatus), inForm(OpenButton),
                                 inForm(PieceStatus), heading};
        const std::string screen = std::to_string(width) + "x" + std::to_string(height);
        for (const Segment& line : segments()) {
            if (line.width == height) continue;  // the background
            for (const RECT& place : covered)
                EXPECT_FALSE(overlap(boundsOf(line), place)) << screen << ": a line from " << line.x1 << "," << line.y1;
        }
        for (const DrawRecord& text : shown) {
            if (text.text == "Chord") continue;
            for (const RECT& place : covered)
                EXPECT_FALSE(overlap(cellOf(text), place)) << screen << ": '" << text.text << "'";
        }
        for (HWND added : {ChordField, SoundBox, MidiStatus, OpenButton, PieceStatus}) {
            for (int i = 0; i < ControlCount; ++i) {
                if (formControl(i) == added) continue;
                EXPECT_FALSE(overlap(inForm(added), inForm(formControl(i)))) << screen << ": control " << i;
            }
        }
    }
}

// Each drawing step draws everything it draws afresh: drawn again, it gives
// the same display list.
struct Redrawn {
    const char* name;
    void (*draw)();
};

void PrintTo(const Redrawn& step, std::ostream* out) { *out << step.name; }

class DrawingAgain : public FormTest, public ::testing::WithParamInterface<Redrawn> {};

TEST_P(DrawingAgain, GivesTheSameDisplayList) {
    GetParam().draw();
    startRecording();
    GetParam().draw();
    const std::string once = describe(drawn());
    startRecording();
    GetParam().draw();
    EXPECT_EQ(describe(drawn()), once);
}

INSTANTIATE_TEST_SUITE_P(Steps, DrawingAgain,
                         ::testing::Values(Redrawn{"paintform", paintform}, Redrawn{"drawpanel", drawpanel},
                                           Redrawn{"drawKeyArrangement", drawKeyArrangement},
                                           Redrawn{"drawChordArrangement", drawChordArrangement}),
                         [](const ::testing::TestParamInfo<Redrawn>& step) { return std::string(step.param.name); });

}  // namespace
