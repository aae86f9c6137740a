// Panel furniture common to both arrangements.
#include "display/arrangement_steps.h"

#include "canvas/canvas.h"
#include "display/arrangement.h"
#include "display/panel.h"

long double slotX(int s) {
    return PanelGeometry.slotOriginX + s * static_cast<long double>(PanelGeometry.slotPitch);
}

static void lineAcross(float fromX, float toX, float y) {
    plot(fromX, y, 3);
    plot(toX, y, 4);
}

static void lineUp(long double x, float fromY, float toY) {
    plot(static_cast<float>(x), fromY, 3);
    plot(static_cast<float>(x), toY, 4);
}

void clearPanelInside() {
    SelectObject(hpc, hPen[1]);
    for (float y = 50.0f; y <= 95.0f; y += 0.5f)
        lineAcross(10.0f, 90.0f, y);
}

// The blanking line covers the other arrangement's marker, so one marker shows.
void drawMarker(float blankFrom, float blankTo, float markFrom, float markTo) {
    SelectObject(hpc, hPen[5]);
    lineAcross(blankFrom, blankTo, 35.0f);
    SelectObject(hpc, hPen[2]);
    lineAcross(markFrom, markTo, 35.0f);
}

void drawTicks() {
    float y0 = PanelGeometry.baselineY;
    for (int s = 0; s <= 131; s++)
        lineUp(slotX(s), y0, static_cast<float>(y0 + 1.0L));
}

// After the last slot of every group but the last.
void drawGroupLines(int groupSize) {
    for (int last = groupSize - 1; last < 131; last += groupSize)
        lineUp(slotX(last) + 0.3, PanelGeometry.baselineY, 95.0f);
}

// Mark k stands under member k of group k, at slot position i + f.
float drawStaircase(int groupSize, int lastPosition) {
    SelectObject(hpc, hPen[6]);
    float y0 = PanelGeometry.baselineY;
    float x = 0.0f;
    for (int i = 1, f = 0; i <= lastPosition; i += groupSize, f++) {
        x = static_cast<float>(slotX(i + f) - 0.6);
        lineUp(x, y0, static_cast<float>(y0 - 2.0L));
    }
    return x;
}

void setLabelStyle() {
    setfont(10, "Arial");
    textcolor(210, 210, 210);
    backcolor(50, 140, 140);
}

void clearColourTable() {
    SelectObject(hpc, hPen[5]);
    for (float y = 12.0f; y <= 36.0f; y += 0.5f)
        lineAcross(70.0f, 80.0f, y);
}

void drawColourEntry(int i, const char* text, int length) {
    SelectObject(hpc, hPen[20 + i]);
    lineAcross(70.0f, 73.0f, static_cast<float>(35 - 2 * i));
    textat(74.0f, static_cast<float>(36 - 2 * i), text, length);
}
