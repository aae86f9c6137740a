// The analysis run: taking in the entry, the arrangement chosen, the 132
// spikes with their pens and heights, the prompt and the focus.
#include <algorithm>
#include <cstring>
#include <string>

#include "canvas/canvas.h"
#include "display/arrangement.h"
#include "form_fixture.h"
#include "platform/headless/headless.h"
#include "shell/drawing.h"
#include "shell/form.h"
#include "tests/support/window_text.h"

namespace {

int spikeFoot() { return py(51.0); }

class Spectrum : public FormTest {
protected:
    void enter(const std::string& text) {
        SetWindowTextA(NoteEntryField, text.c_str());
        enterPending = 1;
        startRecording();
        plotSpectrum();
    }

    void rerun() {
        startRecording();
        plotSpectrum();
    }

    std::vector<Segment> spikes() {
        std::vector<Segment> found;
        for (const Segment& s : segments())
            if (s.width == 3 && s.x1 == s.x2 && s.y1 == spikeFoot()) found.push_back(s);
        return found;
    }

    Segment spikeAt(int x) {
        std::vector<Segment> all = spikes();
        auto it = std::find_if(all.begin(), all.end(), [x](const Segment& s) { return s.x1 == x; });
        EXPECT_NE(it, all.end()) << "no spike at x " << x;
        return it == all.end() ? Segment{} : *it;
    }
};

TEST_F(Spectrum, MajorOnCIsTheExactMatchAtSlot34ByKey) {
    enter("c e g");
    EXPECT_STREQ(arrangementKeyword, "note");
    ASSERT_EQ(spikes().size(), 132u);
    Segment major = spikeAt(314);  // x = 30.6519
    EXPECT_EQ(major.y2, 68);       // 91.0, just under the 100% line
    EXPECT_EQ(major.colour, pens::colour(1).colour);
    Segment majorSeventh = spikeAt(357);  // slot 41: three of its four notes
    EXPECT_EQ(majorSeventh.y2, 203);      // score 1.125 reaches 73.5
    EXPECT_EQ(majorSeventh.colour, pens::colour(8).colour);
    Segment aSharpMinor = spikeAt(172);  // slot 11: no common note
    EXPECT_EQ(aSharpMinor.y2, spikeFoot());
    EXPECT_EQ(aSharpMinor.colour, pens::colour(0).colour);
}

TEST_F(Spectrum, ByChordTheSameChordStandsAtSlot15InTheRootsColour) {
    std::strcpy(displayKeyword, "dispc");
    enter("c e g");
    EXPECT_STREQ(arrangementKeyword, "chord");
    ASSERT_EQ(spikes().size(), 132u);
    Segment major = spikeAt(197);  // x = 19.2229
    EXPECT_EQ(major.y2, 68);
    EXPECT_EQ(major.colour, pens::colour(3).colour);
    // Root by root: the first 11 spikes are those of root A, one per group.
    std::vector<Segment> all = spikes();
    EXPECT_TRUE(std::all_of(all.begin(), all.begin() + 11,
                            [](const Segment& s) { return s.colour == pens::colour(0).colour; }));
    EXPECT_GT(all[1].x1 - all[0].x1, 70);
}

TEST_F(Spectrum, TakingInAnEntryEmptiesTheFieldClearsTheNameAndShowsTheEcho) {
    enter("  c e g");
    EXPECT_STREQ(currentEntry, "c e g");
    EXPECT_EQ(enterPending, 0);
    EXPECT_EQ(textOf(NoteEntryField), "");
    EXPECT_EQ(textOf(RecognisedNotesField), "  C  E  G  ");
    std::vector<Segment> lines = segments();
    ASSERT_GE(lines.size(), 5u);
    for (int i = 0; i < 5; i++) {  // the name band, before anything else
        EXPECT_EQ(lines[i].colour, pens::erase.colour);
        EXPECT_EQ(lines[i].x1, px(34.0));
        EXPECT_EQ(lines[i].x2, px(60.0));
        EXPECT_NEAR(lines[i].y1, py(31.0 + 0.5 * i), 1);
    }
    EXPECT_NE(lines[5].x1, px(34.0));
}

TEST_F(Spectrum, KeepsOnlyBlanksOutAndReadsAtMost31Characters) {
    enter("\tc e g");
    EXPECT_STREQ(currentEntry, "\tc e g");
    enter("c  e g  ");
    EXPECT_STREQ(currentEntry, "c  e g  ");
    std::string forty = "  c e g" + std::string(33, 'd');
    enter(forty);
    EXPECT_EQ(std::string(currentEntry), forty.substr(2, 29));
}

TEST_F(Spectrum, AnAllBlankEntryDrawsNoSpikesButStillThePrompt) {
    enter("c e g");
    for (const char* blank : {"     ", ""}) {
        enter(blank);
        EXPECT_STREQ(currentEntry, "");
        EXPECT_TRUE(spikes().empty());
        EXPECT_EQ(textOf(RecognisedNotesField), "  C  E  G  ");  // the last analysis stays
        ASSERT_FALSE(texts().empty());
        EXPECT_EQ(texts().back().text, "Click on a spectral spike");
    }
}

TEST_F(Spectrum, WritesThePromptAndReturnsTheFocusOnEveryRun) {
    SetFocus(EnterButton);
    rerun();
    EXPECT_TRUE(spikes().empty());
    DrawRecord prompt = texts().back();
    EXPECT_EQ(prompt.text, "Click on a spectral spike");
    EXPECT_EQ(prompt.x, 410);
    EXPECT_EQ(prompt.y, 421);
    EXPECT_EQ(prompt.textColour, RGB(190, 190, 100));
    EXPECT_EQ(prompt.backColour, RGB(50, 140, 140));
    EXPECT_EQ(prompt.fontHeight, 15);
    EXPECT_EQ(headless::focusedWindow(), NoteEntryField);
}

TEST_F(Spectrum, LaterRunsRedrawTheLastEntryWithoutReadingTheField) {
    enter("c e g");
    SetWindowTextA(NoteEntryField, "d f a");
    rerun();
    EXPECT_EQ(spikeAt(314).y2, 68);
    EXPECT_EQ(textOf(NoteEntryField), "d f a");
    std::vector<Segment> lines = segments();
    EXPECT_NE(lines[0].x1, px(34.0));  // the name band is left alone
}

TEST_F(Spectrum, OnlyDispcArrangesByChordAndTheChoiceOutlastsNewEntries) {
    std::strcpy(displayKeyword, "dispc");
    enter("c e g");
    enter("d f# a");
    EXPECT_STREQ(arrangementKeyword, "chord");
    std::strcpy(displayKeyword, "dispn");
    rerun();
    EXPECT_STREQ(arrangementKeyword, "note");
    std::strcpy(displayKeyword, "dispC");
    rerun();
    EXPECT_STREQ(arrangementKeyword, "note");
}

}  // namespace
