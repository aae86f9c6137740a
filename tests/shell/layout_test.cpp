// Form1 and its controls laid out from the screen size, and centred.
#include "running_program.h"

namespace {

struct Placement {
    int x, y, width, height;
    bool operator==(const Placement&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Placement& p) {
    return out << "(" << p.x << ", " << p.y << ") " << p.width << " x " << p.height;
}

Placement outerPlacement(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// A control's place in Form1's client area.
Placement placementInForm(HWND control) {
    const RECT client = headless::clientRect(Form1);
    Placement outer = outerPlacement(control);
    return {outer.x - client.left, outer.y - client.top, outer.width, outer.height};
}

// Form1 before centring, in pixels.
Placement createdFormPlacement() {
    const LayoutBox& box = Shell.formLayout[0];
    return {box.x * Shell.unitX, box.y * Shell.unitY, (box.width + 4) * Shell.unitX,
            (box.height + 12) * Shell.unitY};
}

using Layout = RunningProgram;

TEST_F(Layout, Screen1024x768) {
    headless::setScreen(1024, 768);
    step([] {
        EXPECT_EQ(Shell.unitX, 2);
        EXPECT_EQ(Shell.unitY, 2);
        EXPECT_EQ(createdFormPlacement(), (Placement{0, 20, 1024, 738}));
        EXPECT_EQ(placementInForm(EnterButton), (Placement{50, 660, 50, 36}));
        EXPECT_EQ(placementInForm(NoteEntryField), (Placement{50, 632, 244, 20}));
        EXPECT_EQ(placementInForm(RecognisedNotesField), (Placement{306, 632, 122, 20}));
        EXPECT_EQ(placementInForm(KeyButton), (Placement{102, 506, 70, 30}));
        EXPECT_EQ(placementInForm(ChordButton), (Placement{176, 506, 70, 30}));
        EXPECT_EQ(placementInForm(HelpButton), (Placement{250, 506, 70, 30}));
        EXPECT_EQ(placementInForm(ChordField), (Placement{440, 632, 204, 20}));
        EXPECT_EQ(placementInForm(SoundBox), (Placement{112, 668, 86, 20}));
        EXPECT_EQ(placementInForm(MidiStatus), (Placement{208, 668, 230, 20}));
        // Centred in the work area above the 40-pixel task bar: (728 - 738) / 2.
        EXPECT_EQ(outerPlacement(Form1), (Placement{0, -5, 1024, 738}));
        EXPECT_TRUE(IsWindow(Form1));
        EXPECT_EQ(textOf(Form1), "Tonvisor V1.0");
        EXPECT_EQ(textOf(NoteEntryField), " ");
        EXPECT_EQ(textOf(RecognisedNotesField), " ");
        EXPECT_EQ(textOf(ChordButton), "x Chord");
        EXPECT_EQ(textOf(ChordField), "");
        EXPECT_EQ(textOf(MidiStatus), "MIDI: none");
    });
    runAndQuit();
}

// 0.86 x 300 is formed just below 258 at extended precision.
TEST_F(Layout, Screen800x600TruncatesBelowWholeNumbers) {
    headless::setScreen(800, 600);
    step([] {
        EXPECT_EQ(outerPlacement(Form1).width, 802);
        EXPECT_EQ(outerPlacement(Form1).height, 582);
        EXPECT_EQ(placementInForm(EnterButton), (Placement{40, 514, 40, 28}));
    });
    runAndQuit();
}

// 0.3 x 640 gives 191, not 192.
TEST_F(Layout, Screen1280x1024) {
    headless::setScreen(1280, 1024);
    step([] {
        EXPECT_EQ(outerPlacement(Form1).width, 1278);
        EXPECT_EQ(outerPlacement(Form1).height, 978);
        EXPECT_EQ(placementInForm(RecognisedNotesField).x, 382);
    });
    runAndQuit();
}

// The truncations above need the x87's 64-bit significand, which the start-up
// selects; at double precision the products round up to whole numbers.
TEST_F(Layout, TruncationsDependOnExtendedPrecision) {
    headless::setScreen(800, 600);
    EXPECT_EQ(_controlfp(_PC_53, _MCW_PC), _PC_53);
    computeLayout();
    int enterYAtDouble = Shell.formLayout[1].y;
    EXPECT_EQ(_controlfp(_PC_64, _MCW_PC), _PC_64);
    computeLayout();
    EXPECT_EQ(enterYAtDouble, 258);
    EXPECT_EQ(Shell.formLayout[1].y, 257);
}

// Odd differences halve toward zero, also when the window is larger than the
// work area.
TEST_F(Layout, CentringInAnOffsetWorkArea) {
    headless::setScreen(1024, 768);
    headless::setWorkArea(RECT{100, 50, 900, 650});
    step([] {
        EXPECT_EQ(outerPlacement(Form1), (Placement{-12, -19, 1024, 738}));
        SetWindowPos(Form1, nullptr, 0, 0, 801, 603, 0);
        centreWindow(Form1);
        EXPECT_EQ(outerPlacement(Form1), (Placement{100, 49, 801, 603}));
        SetWindowPos(Form1, nullptr, 0, 0, 301, 201, 0);
        centreWindow(Form1);
        EXPECT_EQ(outerPlacement(Form1), (Placement{349, 249, 301, 201}));
    });
    runAndQuit();
}

}  // namespace
