// By key: 12 root groups of 11 chord types, the spike colour telling the type.
#include <cstring>

#include "canvas/canvas.h"
#include "display/arrangement.h"
#include "display/arrangement_steps.h"
#include "display/panel.h"

// The 11 type names under their marks, placed only by the runs of blanks.
// Lower-case captions but for "dom m9", which is shorter than "Dom M7-9":
// so it is tied to the analysis only by its length.
static constexpr char chordAxisLine[] =
    "min                 maj                  aug                 dim7"
    "                min6                maj6               min7"
    "              dom7               maj7            dom m9"
    "           dom9";
static_assert(sizeof chordAxisLine - 1 == 194);

static constexpr char chordLegendNames[] =
    "Minor          Major          Augmented      Diminished 7th Minor 6th      "
    "Major 6th      Minor 7th      Dominant 7th   Major 7th      Dominant Min9thDominant 9th   ";
static_assert(labels::namesInSlots(chordLegendNames, 15, ChordTypeCount, [](int type) {
    return std::string_view(ChordTypeNames[type].shortName);
}));

// Uses the size-11 font and text colour that drawpanel left.
static void drawRootCaptions() {
    backcolor(65, 170, 130);
    auto y = static_cast<float>(PanelGeometry.baselineY + 44.0L);
    for (int g = 0; g < 12; g++)
        textat(static_cast<float>(slotX(11 * g) + 2.5), y, rootLabels + 2 * g, 2);
}

void drawKeyArrangement() {
    std::strcpy(arrangementKeyword, "note");
    clearPanelInside();
    drawMarker(17.7f, 22.7f, 12.5f, 14.5f);
    drawpanel();
    drawRootCaptions();
    drawTicks();
    drawGroupLines(11);
    drawStaircase(11, 115);
    setLabelStyle();
    textat(static_cast<float>(PanelGeometry.slotOriginX - 1.0L),
           static_cast<float>(PanelGeometry.baselineY - 2.0L), chordAxisLine, 194);
    clearColourTable();
    for (int i = 0; i < 11; i++)
        drawColourEntry(i, chordLegendNames + 15 * i, 15);
}
