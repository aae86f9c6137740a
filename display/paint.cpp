// Form painting: pen table, coordinate system, background, frame, the current
// arrangement and the title lines.
#include "display/paint.h"

#include <algorithm>
#include <cmath>

#include "canvas/canvas.h"
#include "display/arrangement.h"

namespace {

struct PenSpec {
    int index;
    int width;
    int r, g, b;
};

// Pen 0 is as wide as the screen is high; it is made separately.
const PenSpec penTable[] = {
    {1, 5, 65, 170, 130},   {2, 5, 255, 255, 0},   {3, 5, 190, 190, 190},  {4, 1, 0, 120, 120},
    {5, 5, 50, 140, 140},   {6, 1, 210, 210, 210}, {7, 2, 90, 90, 90},     {8, 2, 255, 255, 255},
    {9, 2, 180, 180, 180},  {20, 3, 0, 0, 0},      {21, 3, 140, 90, 70},   {22, 3, 234, 21, 85},
    {23, 3, 255, 186, 117}, {24, 3, 255, 255, 0},  {25, 3, 0, 255, 0},     {26, 3, 90, 255, 255},
    {27, 3, 70, 70, 255},   {28, 3, 180, 0, 255},  {29, 3, 255, 128, 255}, {30, 3, 255, 255, 255},
    {31, 3, 200, 200, 200},
};

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

void drawTitles() {
    setfont(14, "Arial");
    textcolor(210, 210, 210);
    textat(38.0f, 99.0f, " Chord  Spectrograph ", 21);
    setfont(11, "Arial");
    textat(5.5f, 20.0f, "Note symbols: abcdefg # (sharp) % (flat)       Recognised notes", 63);
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
