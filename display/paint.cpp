// Form painting: pen table, coordinate system, background, frame, the current
// arrangement, the title lines and the chord field's heading.
#include "display/paint.h"

#include <algorithm>
#include <cmath>

#include "canvas/canvas.h"
#include "display/arrangement.h"
#include "display/pens.h"

namespace {

// The panel fill (pen 1) and the eraser (pen 5) draw runs of lines half a
// plot unit apart. Above 1000 pixels of screen height that step is more than
// their 5 pixels, which left stripes and the last picture's spikes showing
// between the lines; there they are as wide as the step.
int clearingWidth(int screenHeight) {
    int step = static_cast<int>(std::ceil(0.005L * screenHeight));
    return std::max(5, step);
}

void createPens(int screenHeight) {
    pentype(0, PS_SOLID, screenHeight, 50, 140, 140);
    for (const PenSpec& pen : penTable) {
        bool clears = pen.index == 1 || pen.index == 5;
        int width = clears ? clearingWidth(screenHeight) : pen.width;
        pentype(pen.index, PS_SOLID, width, pen.r, pen.g, pen.b);
    }
}

// One line half-way up, as wide as the screen is high, covers the client area.
void fillBackground() {
    SelectObject(hpc, hPen[0]);
    plot(0.0f, 0.0f, 1);
    plot(0.01f, 0.01f, 2);
    plot(0.0f, 50.0f, 3);
    plot(100.0f, 50.0f, 4);
}

// The chord field's heading stands over the field's left edge, or further
// right where the entry help line reaches past it: the line's width follows
// the screen's height, the field's place its width, so on screens of 4:3 and
// 5:4 the line runs beyond 43 %.
void drawChordHeading(const char* entryHelp, int length) {
    const float afterHelp = 5.5f + textwidth(entryHelp, length) + textwidth("    ", 4);
    textat(std::max(43.0f, afterHelp), 20.0f, "Chord", 5);
}

void drawTitles() {
    setfont(14, "Arial");
    textcolor(210, 210, 210);
    textat(38.0f, 99.0f, " Chord  Spectrograph ", 21);
    setfont(11, "Arial");
    const char entryHelp[] = "Note symbols: abcdefg # (sharp) % (flat)       Recognised notes";
    textat(5.5f, 20.0f, entryHelp, 63);
    drawChordHeading(entryHelp, 63);
}

}  // namespace

void drawForm(HWND window, int modeNumber, int screenHeight) {
    startpaint(window);
    createPens(screenHeight);
    fillBackground();
    SelectObject(hpc, hPen[9]);
    box(1.2f, 8.0f, 98.0f, 97.5f);
    if (modeNumber == 1)
        drawKeyArrangement();
    else
        drawChordArrangement();
    drawTitles();
    EndPaint(window, &PlotCanvas.paint);  // hpc stays valid: the DC is the window's own
}
