// By chord: 11 chord-type groups of 12 roots, the spike colour telling the root.
#include <cstdio>
#include <cstring>

#include "canvas/canvas.h"
#include "display/arrangement.h"
#include "display/arrangement_steps.h"
#include "display/panel.h"

static constexpr char chordCaptions[] =
    "   Min     Maj      Aug    Dim7    Min6    Maj6     Min7   Dom7    Maj7 Dom M7-9    Dom9";
static_assert(labels::abbreviationsInSlots(chordCaptions, 8));

// Fills a legend entry to 30 characters, so it blanks any longer text left behind.
static const char legendBlanks[] = "                            ";
static_assert(sizeof legendBlanks - 1 == 28);

static void drawTypeCaptions() {
    backcolor(65, 170, 130);
    setfont(11, "Arial");
    auto y = static_cast<float>(PanelGeometry.baselineY + 44.0L);
    for (int g = 0; g < 11; g++)
        textat(static_cast<float>(slotX(12 * g) + 0.4), y, chordCaptions + 8 * g, 8);
}

// Leads from slot 131 to the twelfth root label, right of the axis end.
static void drawHook(float lastMarkX) {
    long double p = PanelGeometry.slotPitch;
    float y0 = PanelGeometry.baselineY;
    auto nearX = static_cast<float>(lastMarkX + p);
    auto farX = static_cast<float>(lastMarkX + 6 * p);
    auto hookY = static_cast<float>(y0 - 1.5L);
    plot(nearX, y0, 3);
    plot(nearX, hookY, 4);
    plot(farX, hookY, 4);
    plot(farX, static_cast<float>(y0 - 2.0L), 4);
}

// Label k sits 0.4 left of mark k; the twelfth, past the axis, at the hook's end.
static void drawRootLabels() {
    auto y = static_cast<float>(PanelGeometry.baselineY - 2.0L);
    for (int i = 1, f = 0, k = 0; i <= 133; i += 12, f++, k++) {
        if (i == 133) f -= 7;
        textat(static_cast<float>(slotX(i + f) - 1), y, rootLabels + 2 * k, 2);
    }
}

static void drawRootLegend() {
    for (int i = 0; i < 12; i++) {
        char label[3] = {rootLabels[2 * i], rootLabels[2 * i + 1], '\0'};
        char entry[31];
        std::snprintf(entry, sizeof entry, "%s%s", label, legendBlanks);
        drawColourEntry(i, entry, 30);
    }
}

void drawChordArrangement() {
    std::strcpy(arrangementKeyword, "chord");
    clearPanelInside();
    drawMarker(11.0f, 16.0f, 19.0f, 21.0f);
    drawpanel();
    drawTicks();
    drawGroupLines(12);
    drawTypeCaptions();
    drawHook(drawStaircase(12, 126));
    setLabelStyle();
    drawRootLabels();
    clearColourTable();
    drawRootLegend();
}
