// The piece window's picture (paint.h): every pixel of the client area but
// the buttons', so the window needs no background brush.
#include "piecewindow/paint.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "analysis/analysis.h"
#include "piecewindow/bitmap.h"
#include "piecewindow/state.h"
#include "piecewindow/view.h"

namespace {

const COLORREF background = RGB(50, 140, 140);  // the main window's own
const COLORREF lettering = RGB(255, 255, 255);
const COLORREF cursorColour = RGB(255, 255, 255);

BITMAPINFO bitmapInfo(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

void fillArea(HDC dc, const RECT& area, COLORREF colour) {
    if (area.right <= area.left || area.bottom <= area.top) return;
    const std::uint32_t pixel = GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour);
    const BITMAPINFO info = bitmapInfo(1, 1);
    StretchDIBits(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, 0, 0, 1, 1, &pixel, &info,
                  DIB_RGB_COLORS, SRCCOPY);
}

void text(HDC dc, int x, int y, std::string_view shown) {
    TextOutA(dc, x, y, shown.data(), static_cast<int>(shown.size()));
}

int textWidth(HDC dc, std::string_view shown) {
    SIZE size = {};
    GetTextExtentPoint32A(dc, shown.data(), static_cast<int>(shown.size()), &size);
    return size.cx;
}

void verticalLine(HDC dc, int x, LONG top, LONG bottom) {
    MoveToEx(dc, x, top, nullptr);
    LineTo(dc, x, bottom);
}

void blitSpectrogram(HDC dc, const RECT& area) {
    const PieceBitmap& bitmap = PieceWindow.bitmap;
    const int width = std::min(static_cast<int>(area.right - area.left), bitmap.width - PieceWindow.view.scrollX);
    const BITMAPINFO info = bitmapInfo(bitmap.stride, bitmap.height);
    if (width > 0)
        StretchDIBits(dc, area.left, area.top, width, area.bottom - area.top, PieceWindow.view.scrollX, 0, width,
                      bitmap.height, bitmap.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
    fillArea(dc, RECT{area.left + std::max(width, 0), area.top, area.right, area.bottom}, background);
}

// A name where the segment leaves room for it, after a tick at its start.
void drawStrip(HDC dc, const PieceLayout& layout) {
    const RECT& strip = layout.strip;
    fillArea(dc, strip, background);
    for (const PieceSegment& segment : PieceWindow.piece.segments) {
        const int left = xOfTime(segment.start), right = xOfTime(segment.end);
        if (right <= strip.left || left >= strip.right) continue;
        if (left >= strip.left) verticalLine(dc, left, strip.top, strip.bottom);
        const std::string_view name = segment.name.named ? segment.name.symbol : "N.C.";
        const int x = std::max(left, static_cast<int>(strip.left)) + layout.unit / 4;
        if (x + textWidth(dc, name) < std::min(right, static_cast<int>(strip.right)))
            text(dc, x, strip.top + layout.unit / 4, name);
    }
}

// Every bar's number where they stand far enough apart, else every second, fifth ...
void drawBarNumbers(HDC dc, const PieceLayout& layout) {
    const RECT& bars = layout.bars;
    fillArea(dc, bars, background);
    const std::vector<double>& starts = PieceWindow.piece.barStarts;
    if (starts.size() < 2) return;
    const double barWidth = (starts.back() - starts.front()) / (starts.size() - 1) * PieceWindow.view.pixelsPerSecond;
    int step = 1;
    for (int candidate : {1, 2, 4, 5, 10, 20, 50, 100, 200, 500, 1000})
        if ((step = candidate) * barWidth >= 3 * layout.unit) break;
    for (std::size_t bar = 0; bar < starts.size(); bar += step) {
        const int x = xOfTime(starts[bar]);
        if (x < bars.left || x >= bars.right - layout.unit) continue;
        char number[24];
        std::snprintf(number, sizeof number, "%zu", bar + 1);
        verticalLine(dc, x, bars.top, bars.top + layout.unit / 3);
        text(dc, x + 2, bars.top + layout.unit / 4, number);
    }
}

// Each root's name (by key) or each chord type's (by chord) beside its rows.
void drawRowLabels(HDC dc, const PieceLayout& layout) {
    const RECT& labels = layout.labels;
    fillArea(dc, RECT{0, layout.strip.top, labels.right, layout.scrollBar.bottom}, background);
    const bool byChord = PieceWindow.view.byChord;
    const int groups = byChord ? ChordTypeCount : RootCount;
    const int groupRows = ChordRows / groups;
    const double rowHeight = static_cast<double>(labels.bottom - labels.top) / ChordRows;
    for (int group = 0; group < groups; ++group) {
        const std::string_view name = byChord ? ChordTypeNames[group].abbreviation : rootName(group);
        const double middleSlot = group * groupRows + groupRows / 2.0;
        const int y = labels.bottom - static_cast<int>((middleSlot + 0.5) * rowHeight) - layout.unit / 2;
        text(dc, layout.unit / 4, y, name);
    }
}

void drawCursor(HDC dc, const PieceLayout& layout) {
    const int x = xOfTime(PieceWindow.cursorTime);
    if (x < layout.spectrogram.left || x >= layout.spectrogram.right) return;
    HPEN pen = CreatePen(PS_SOLID, 1, cursorColour);
    HGDIOBJ previous = SelectObject(dc, pen);
    verticalLine(dc, x, layout.strip.top, layout.spectrogram.bottom);
    SelectObject(dc, previous);
    DeleteObject(pen);
}

}  // namespace

void paintPieceView(HDC dc) {
    if (!PieceWindow.hasPiece) return;
    const PieceLayout layout = pieceLayout();
    updateBitmap();
    HFONT font = CreateFontA(layout.unit, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_TT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Arial");
    HPEN pen = CreatePen(PS_SOLID, 1, lettering);
    HGDIOBJ previousFont = SelectObject(dc, font);
    HGDIOBJ previousPen = SelectObject(dc, pen);
    SetTextColor(dc, lettering);
    SetBkColor(dc, background);
    fillArea(dc, layout.buttons, background);
    drawRowLabels(dc, layout);
    drawStrip(dc, layout);
    blitSpectrogram(dc, layout.spectrogram);
    drawBarNumbers(dc, layout);
    drawCursor(dc, layout);
    SelectObject(dc, previousPen);
    SelectObject(dc, previousFont);
    DeleteObject(pen);
    DeleteObject(font);
}
