// Spike identification: the click's slot, decoded by the arrangement on screen.
#include "display/identify.h"

#include <cstring>

#include "canvas/canvas.h"
#include "display/arrangement.h"
#include "display/labels.h"
#include "display/namebox.h"
#include "display/panel.h"

namespace {

// 12 roots of 2 characters, display order A .. G#.
constexpr char rootNames[] = " AA# B CC# DD# E FF# GG#";
static_assert(labels::rootsInSlots(rootNames, true));

// 11 chord types of 24 characters, blank-filled.
constexpr char chordNames[] =
    "m (Minor)               "
    " (Major)                "
    "+ (Augmented)           "
    "dim7 (Diminished 7th)   "
    "m6 (Minor 6th)          "
    "6 (Major 6th)           "
    "m7 (Minor 7th)          "
    "7 (Dominant 7th)        "
    "maj7 (Major 7th )       "
    "7-9 (Dominant Minor 9th)"
    "9 (Dominant 9th)        ";
static_assert(labels::nameBoxSlots(chordNames, 24));

struct SlotChord {
    int root;
    int type;
    int colour;  // the index of the spike's colour pen
};

// Any arrangement but "note" decodes by chord, also before the first one is drawn.
SlotChord decodeSlot(int k) {
    if (std::strcmp(arrangementKeyword, "note") == 0) return {k / 11, k % 11, k % 11};
    return {k % 12, k / 12, k % 12};
}

void drawNameBox() {
    SelectObject(hpc, hPen[9]);
    box(33.0f, 30.0f, 61.0f, 34.0f);
    clearNameBand();
}

void printName(const SlotChord& chord) {
    char name[27];
    std::memcpy(name, rootNames + 2 * chord.root, 2);
    std::memcpy(name + 2, chordNames + 24 * chord.type, 24);
    name[26] = '\0';
    setfont(12, "Arial");
    textcolor(210, 210, 210);
    textat(40.0f, 33.0f, name, 26);
}

void drawColourSample(const SlotChord& chord) {
    SelectObject(hpc, hPen[20 + chord.colour]);
    plot(39.0f, 31.5f, 3);
    plot(35.0f, 31.5f, 4);
}

}  // namespace

// The click is converted by this rule alone (no origin, no flip of the plot
// mapping). Slot 132, between the last slot's range and x = 90, holds no chord
// and is rejected like a click off the panel.
SpikeChord identifySpike(int clickX, int clickY) {
    auto x = static_cast<float>((clickX + 3) / static_cast<long double>(PlotCanvas.scaleX));
    auto y = static_cast<float>(clickY / static_cast<long double>(PlotCanvas.scaleY));
    float x0 = PanelGeometry.slotOriginX;
    if (!(x > x0 && x < 90.0 && y > 45.0 && y < 86.5)) return {};
    long double position = (static_cast<long double>(x) - x0) / PanelGeometry.slotPitch - 0.5;
    if (position >= 132.0) return {};
    SlotChord chord = decodeSlot(static_cast<int>(position));
    drawNameBox();
    printName(chord);
    drawColourSample(chord);
    return {true, chord.type, chord.root};
}
