// Naming a clicked spike: the click's slot, its decoding by arrangement, the
// name box, the accepted area and its edges, and the press-release tracking.
#include <cstring>
#include <string>

#include "canvas/canvas.h"
#include "display/arrangement.h"
#include "display/identify.h"
#include "form_fixture.h"
#include "platform/headless/headless.h"
#include "shell/form.h"

namespace {

class Identify : public FormTest {
protected:
    void clickAt(int x, int y) {
        startRecording();
        named = identifySpike(x, y);
    }

    // A click in the middle of slot k's range on the 1024 x 768 screen.
    void clickSlot(int k) {
        clickAt(px(10.2 + (k + 1) * 0.60152674) - 3, 450);
    }

    void expectName(const std::string& name, int colourIndex) {
        std::vector<DrawRecord> printed = texts();
        ASSERT_EQ(printed.size(), 1u);
        EXPECT_EQ(printed[0].text, name);
        std::vector<Segment> sample = withPen(segments(), pens::colour(colourIndex));
        ASSERT_EQ(sample.size(), 1u);
        EXPECT_EQ(sample[0].x1, px(39.0));
        EXPECT_EQ(sample[0].x2, px(35.0));
        EXPECT_EQ(sample[0].y1, py(31.5));
    }

    SpikeChord named{};  // what the last click named, for the sound
};

TEST_F(Identify, WorkedClickNamesSlot31InEitherArrangement) {
    drawKeyArrangement();
    clickAt(300, 450);
    expectName(" B7-9 (Dominant Minor 9th)", 9);

    drawChordArrangement();
    clickAt(300, 450);
    expectName(" E+ (Augmented)           ", 7);
}

TEST_F(Identify, DrawsTheBoxClearsTheBandThenPrintsInSize12) {
    drawKeyArrangement();
    clickSlot(34);
    std::vector<Segment> lines = segments();
    ASSERT_EQ(lines.size(), 10u);
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(lines[i].colour, pens::frame.colour);
    EXPECT_EQ(lines[0].x1, px(33.0));
    EXPECT_EQ(lines[0].y1, py(30.0));
    EXPECT_EQ(lines[1].y2, py(34.0));
    EXPECT_EQ(lines[3].x2, px(33.0));
    for (int i = 4; i < 9; i++) {
        EXPECT_EQ(lines[i].colour, pens::erase.colour);
        EXPECT_EQ(lines[i].x1, px(34.0));
    }
    DrawRecord name = texts().at(0);
    EXPECT_EQ(name.x, px(40.0));
    EXPECT_EQ(name.y, py(33.0));
    EXPECT_EQ(name.fontHeight, 18);
    EXPECT_EQ(name.textColour, RGB(210, 210, 210));
    EXPECT_EQ(name.backColour, RGB(50, 140, 140));
}

TEST_F(Identify, DecodesSlotsByTheArrangementOnScreen) {
    struct Case {
        bool byKey;
        int k;
        const char* name;
        int colour;
        int type, root;  // as named: ChordType, DisplayRoot
    };
    const Case cases[] = {
        {true, 34, " C (Major)                ", 1, 1, 3},
        {false, 34, " G+ (Augmented)           ", 10, 2, 10},
        {false, 15, " C (Major)                ", 3, 1, 3},
        {true, 131, "G#9 (Dominant 9th)        ", 10, 10, 11},
        {false, 131, "G#9 (Dominant 9th)        ", 11, 10, 11},
        {true, 0, " Am (Minor)               ", 0, 0, 0},
        {true, 96, " Fmaj7 (Major 7th )       ", 8, 8, 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.byKey ? "by key, k " : "by chord, k ") + std::to_string(c.k));
        c.byKey ? drawKeyArrangement() : drawChordArrangement();
        clickSlot(c.k);
        expectName(c.name, c.colour);
        EXPECT_TRUE(named.named);
        EXPECT_EQ(named.type, c.type);
        EXPECT_EQ(named.root, c.root);
    }
}

TEST_F(Identify, WithNoArrangementDrawnYetTheChordDecodingApplies) {
    arrangementKeyword[0] = '\0';
    clickSlot(34);
    expectName(" G+ (Augmented)           ", 10);
}

TEST_F(Identify, EdgesOfTheAcceptedAreaAreRejected) {
    openForm(1000, 1000);  // 10 pixels per plot unit both ways: the edges are reachable
    struct Click {
        int x, y;
        bool named;
    };
    const Click clicks[] = {
        {99, 500, false},  {100, 500, true},  // x = slotOriginX exactly, then just right of it
        {897, 500, false}, {896, 500, true},  // x = 90.0, then 89.9 (slot 131)
        {500, 450, false}, {500, 451, true},  // y = 45.0
        {500, 865, false}, {500, 864, true},  // y = 86.5
        {-40, 500, false}, {500, -3, false},
    };
    for (const Click& click : clicks) {
        clickAt(click.x, click.y);
        EXPECT_EQ(!drawn().empty(), click.named) << "click " << click.x << "," << click.y;
        EXPECT_EQ(named.named, click.named) << "click " << click.x << "," << click.y;
    }
}

TEST_F(Identify, BetweenTheLastSlotAndTheEdgeNothingIsNamed) {
    for (auto draw : {drawKeyArrangement, drawChordArrangement}) {
        draw();
        clickAt(917, 450);  // x = 89.84: slot 131
        EXPECT_FALSE(drawn().empty());
        clickAt(918, 450);  // x = 89.94: would be slot 132, where no chord stands
        EXPECT_TRUE(drawn().empty());
    }
}

TEST_F(Identify, OnlyAReleaseAfterAPressOverTheFormIdentifies) {
    RECT outer = {};
    GetWindowRect(Form1, &outer);
    int screenX = outer.left + 300;
    int screenY = outer.bottom - 450;
    auto release = [&](int x, int y) {
        startRecording();
        headless::mouseUp(x, y);
        headless::runUntilIdle();
        return texts().size();
    };

    EXPECT_EQ(release(screenX, screenY), 0u);  // no press before it

    headless::mouseDown(screenX, screenY);
    headless::runUntilIdle();
    EXPECT_EQ(release(screenX, screenY), 1u);
    EXPECT_EQ(release(screenX, screenY), 0u);  // a second release needs a new press

    for (int click = 0; click < 2; click++) {  // a double click identifies twice
        headless::mouseDown(screenX, screenY);
        EXPECT_EQ(release(screenX, screenY), 1u);
    }

    // Released over a button, the press stays pending for the next release on the form.
    RECT button = {};
    GetWindowRect(HelpButton, &button);
    headless::mouseDown(screenX, screenY);
    EXPECT_EQ(release(button.left + 2, button.top + 2), 0u);
    EXPECT_EQ(release(screenX, screenY), 1u);
}

}  // namespace
