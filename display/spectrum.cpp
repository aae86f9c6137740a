// The analysis run and the spike plot.
#include "display/spectrum.h"

#include <cstring>

#include "analysis/analysis.h"
#include "canvas/canvas.h"
#include "display/arrangement.h"
#include "display/namebox.h"
#include "display/panel.h"
#include "shell/form.h"

int enterPending = 0;
char currentEntry[32] = "";
char displayKeyword[6] = "";

namespace {

bool byChord() {
    return std::strcmp(displayKeyword, "dispc") == 0;
}

// Only blanks are skipped; a tab or anything else starts the kept text.
void keepFromFirstNonBlank(const char* text) {
    const char* start = text;
    while (*start == ' ')
        start++;
    std::strcpy(currentEntry, start);
}

void takeInEntry() {
    enterPending = 0;
    char text[32] = "";
    GetWindowTextA(NoteEntryField, text, sizeof text);
    currentEntry[0] = '\0';
    setText(NoteEntryField, "");
    clearNameBand();
    keepFromFirstNonBlank(text);
}

void drawSpike(int slot, float score) {
    auto x = static_cast<float>(slot * static_cast<long double>(PanelGeometry.slotPitch) + 10.2);
    auto top = static_cast<float>(20.0 * static_cast<long double>(score) + 51.0);
    plot(x, 51.0f, 3);
    plot(x, top, 4);
}

float score(int type, int root) {
    return MatchMatrix[type * 12 + root];
}

// The colour tells the type, so the pen changes before every spike.
void drawSpikesByKey() {
    for (int r = 0; r < 12; r++)
        for (int t = 0; t < 11; t++) {
            SelectObject(hpc, hPen[20 + t]);
            drawSpike(r * 11 + t, score(t, r));
        }
}

// The colour tells the root: one pen for each root's 11 spikes.
void drawSpikesByChord() {
    for (int r = 0; r < 12; r++) {
        SelectObject(hpc, hPen[20 + r]);
        for (int t = 0; t < 11; t++)
            drawSpike(t * 12 + r, score(t, r));
    }
}

}  // namespace

void plotSpectrum() {
    if (enterPending == 1) takeInEntry();
    bool chordWise = byChord();
    if (chordWise)
        drawChordArrangement();
    else
        drawKeyArrangement();
    if (currentEntry[0] != '\0') {
        setText(RecognisedNotesField, runAnalysis(currentEntry));
        if (chordWise)
            drawSpikesByChord();
        else
            drawSpikesByKey();
    }
    textcolor(190, 190, 100);
    textat(40.0f, 45.0f, "Click on a spectral spike", 25);
    SetFocus(NoteEntryField);
}
