// The spectrum panel: erase strip, frame and bevel, ratio guide lines.
#include "display/panel.h"

#include <cstring>

#include "canvas/canvas.h"

namespace {

struct BevelLine {
    int pen;
    float points[3][2];
};

// Outer ring light at left and top, dark at bottom and right; inner ring the other way.
const BevelLine bevel[] = {
    {8, {{9.2f, 49.3f}, {9.2f, 95.8f}, {90.8f, 95.8f}}},
    {8, {{9.6f, 49.6f}, {90.2f, 49.6f}, {90.2f, 94.9f}}},
    {7, {{9.8f, 49.9f}, {9.8f, 95.2f}, {90.3f, 95.2f}}},
    {7, {{9.3f, 48.9f}, {90.8f, 48.9f}, {90.8f, 95.8f}}},
};

struct RatioRow {
    const char* leftLabel;
    double leftX;
    const char* rightLabel;
    double labelY;
    double offset;  // above baselineY: fixed, each within 0.1 of 51.0 + 40 r^2
};

const RatioRow ratioRows[] = {
    {"100%", 5.0, "Exact", 92.0, 41.2}, {"80%", 5.5, "4/5", 77.5, 26.6},
    {"75%", 5.5, "3/4", 74.5, 23.5},    {"67%", 5.5, "2/3", 69.6, 18.8},
    {"60%", 5.5, "3/5", 66.5, 15.4},    {"50%", 5.5, "2/4", 62.0, 11.0},
    {"40%", 5.5, "2/5", 58.5, 7.5},     {"25%", 5.5, "1/4", 54.5, 3.6},
};

// The strip reaches to just inside the form's frame (98.0): the by-key axis
// names run past 95 on a 4:3 screen, and a shorter strip left the tail of
// "dom9" standing after a switch to the by-chord arrangement.
void eraseStrip() {
    SelectObject(hpc, hPen[5]);
    for (float y = 42.0f; y <= 49.0f; y += 0.5f) {
        plot(8.0f, y, 3);
        plot(97.5f, y, 4);
    }
}

void drawFrame() {
    SelectObject(hpc, hPen[3]);
    box(9.5f, 49.2f, 90.5f, 95.5f);
    for (const BevelLine& line : bevel) {
        SelectObject(hpc, hPen[line.pen]);
        plot(line.points[0][0], line.points[0][1], 3);
        plot(line.points[1][0], line.points[1][1], 4);
        plot(line.points[2][0], line.points[2][1], 4);
    }
}

void setGeometry() {
    PanelGeometry.slotOriginX = 10.2f;
    PanelGeometry.baselineY = 49.9f;
    PanelGeometry.slotEndX = 89.0f;
    long double span = static_cast<long double>(PanelGeometry.slotEndX) - PanelGeometry.slotOriginX;
    PanelGeometry.slotPitch = static_cast<float>(span / 131.0);
}

void guideLine(int pen, long double fromX, long double toX, float y) {
    SelectObject(hpc, hPen[pen]);
    plot(static_cast<float>(fromX), y, 3);
    plot(static_cast<float>(toX), y, 4);
}

// The teal line covers the light one but for one unit at each end.
void drawRatioRow(const RatioRow& row) {
    auto labelY = static_cast<float>(row.labelY);
    textat(static_cast<float>(row.leftX), labelY, row.leftLabel,
           static_cast<int>(std::strlen(row.leftLabel)));
    textat(92.0f, labelY, row.rightLabel, static_cast<int>(std::strlen(row.rightLabel)));
    long double x0 = PanelGeometry.slotOriginX;
    auto lineY = static_cast<float>(PanelGeometry.baselineY + static_cast<long double>(row.offset));
    guideLine(6, x0 + 81, x0 - 2, lineY);
    guideLine(4, x0 + 80, x0 - 1, lineY);
}

}  // namespace

void drawpanel() {
    eraseStrip();
    backcolor(50, 140, 140);
    drawFrame();
    SelectObject(hpc, hPen[4]);
    setGeometry();
    setfont(11, "Arial");
    textcolor(210, 210, 210);
    for (const RatioRow& row : ratioRows)
        drawRatioRow(row);
}
