// The drawing tools of hpc: paint start, pens, fonts and colours.
#include "canvas/canvas.h"

static COLORREF colour(int r, int g, int b) {
    return static_cast<COLORREF>(r | g << 8 | b << 16);
}

void startpaint(HWND window) {
    PlotCanvas.paint = PAINTSTRUCT{};
    hpc = BeginPaint(window, &PlotCanvas.paint);
}

// The replaced pen is released only after the new one is selected, so it is
// never deleted while still selected (Windows would refuse and leak it). When no
// pen could be made the selection is unchanged and may be the replaced pen: keep it.
void pentype(int index, int style, int width, int r, int g, int b) {
    HPEN replaced = hPen[index];
    HPEN pen = CreatePen(style, width, colour(r, g, b));
    hPen[index] = pen;
    SelectObject(hpc, pen);
    if (replaced && pen) DeleteObject(replaced);
}

void setfont(int size, const char* face) {
    int height = static_cast<int>(size * static_cast<long double>(PlotCanvas.deviceBottom) / 500.0);
    HFONT font =
        CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_TT_PRECIS,
                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
    if (!font) return;  // the previous font stays current
    HFONT replaced = PlotCanvas.font;
    PlotCanvas.font = font;
    SelectObject(hpc, font);
    if (replaced) DeleteObject(replaced);
}

void textcolor(int r, int g, int b) {
    SetTextColor(hpc, colour(r, g, b));
}

void backcolor(int r, int g, int b) {
    SetBkColor(hpc, colour(r, g, b));
}
