// Plot units to device points, and lines traced in plot units.
#include "canvas/canvas.h"

PlotCanvasRecord PlotCanvas = {};
HDC& hpc = PlotCanvas.hpc;
HPEN (&hPen)[32] = PlotCanvas.hPen;

void resetCanvas() {
    PlotCanvas = PlotCanvasRecord{};
}

static int deviceX(float x) {
    long double scaled = (static_cast<long double>(x) + PlotCanvas.originX) * PlotCanvas.scaleX;
    return static_cast<int>(scaled + 0.5);
}

static int deviceY(float y) {
    long double lifted = (static_cast<long double>(y) + PlotCanvas.originY) * PlotCanvas.scaleY;
    return static_cast<int>(PlotCanvas.deviceBottom - lifted);
}

static void setScale(float x, float y) {
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    PlotCanvas.scaleX = static_cast<float>(static_cast<long double>(x) * width);
    PlotCanvas.deviceBottom = static_cast<float>(height - 0.5L);
    PlotCanvas.scaleY = static_cast<float>(static_cast<long double>(y) * height);
}

void plot(float x, float y, int mode) {
    if (mode == 1) {
        PlotCanvas.originX = x;
        PlotCanvas.originY = y;
    }
    if (mode == 2) setScale(x, y);
    int dx = deviceX(x);
    int dy = deviceY(y);
    if (mode == 3) MoveToEx(hpc, dx, dy, nullptr);
    if (mode == 4) LineTo(hpc, dx, dy);
}

void box(float x1, float y1, float x2, float y2) {
    plot(x1, y1, 3);
    plot(x2, y1, 4);
    plot(x2, y2, 4);
    plot(x1, y2, 4);
    plot(x1, y1, 4);
}

void textat(float x, float y, const char* text, int length) {
    TextOutA(hpc, deviceX(x), deviceY(y), text, length);
}

float textwidth(const char* text, int length) {
    SIZE size = {};
    GetTextExtentPoint32A(hpc, text, length, &size);
    return static_cast<float>(size.cx / static_cast<long double>(PlotCanvas.scaleX));
}
