// The spike plot of an entry in either arrangement.
#include "display/spectrum.h"

#include <cstring>

#include "analysis/analysis.h"
#include "canvas/canvas.h"
#include "display/arrangement.h"
#include "display/panel.h"

namespace {

void drawSpike(int slot, float score) {
    auto x = static_cast<float>(slot * static_cast<long double>(PanelGeometry.slotPitch) + 10.2);
    auto top = static_cast<float>(20.0 * static_cast<long double>(score) + 51.0);
    plot(x, 51.0f, 3);
    plot(x, top, 4);
}

// The colour tells the type, so the pen changes before every spike.
void drawSpikesByKey() {
    for (int r = 0; r < 12; r++)
        for (int t = 0; t < 11; t++) {
            SelectObject(hpc, hPen[20 + t]);
            drawSpike(r * 11 + t, matchScore(t, r));
        }
}

// The colour tells the root: one pen for each root's 11 spikes.
void drawSpikesByChord() {
    for (int r = 0; r < 12; r++) {
        SelectObject(hpc, hPen[20 + r]);
        for (int t = 0; t < 11; t++)
            drawSpike(t * 12 + r, matchScore(t, r));
    }
}

}  // namespace

const char* drawSpectrum(const PitchSet* entry, const char* displayKeyword) {
    bool chordWise = std::strcmp(displayKeyword, "dispc") == 0;
    if (chordWise)
        drawChordArrangement();
    else
        drawKeyArrangement();
    const char* echo = nullptr;
    if (entry) {
        echo = runAnalysis(*entry);
        if (chordWise)
            drawSpikesByChord();
        else
            drawSpikesByKey();
    }
    textcolor(190, 190, 100);
    textat(40.0f, 45.0f, "Click on a spectral spike", 25);
    return echo;
}
