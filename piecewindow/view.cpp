// The piece window's layout and its view of time (view.h).
#include "piecewindow/view.h"

#include <algorithm>
#include <cmath>

#include "piecewindow/state.h"

namespace {

int spectrogramWidth() {
    const RECT area = pieceLayout().spectrogram;
    return std::max(1, static_cast<int>(area.right - area.left));
}

// Whole-pixel widths, so that the bitmap's columns are the screen's.
int pieceWidth() {
    return std::max(1, static_cast<int>(std::ceil(PieceWindow.piece.duration * PieceWindow.view.pixelsPerSecond)));
}

void clampScroll() {
    PieceView& view = PieceWindow.view;
    view.scrollX = std::clamp(view.scrollX, 0, std::max(0, pieceWidth() - spectrogramWidth()));
}

double duration() { return std::max(PieceWindow.piece.duration, 0.001); }

}  // namespace

PieceLayout pieceLayout() {
    RECT client = {};
    GetClientRect(PieceWindow.window, &client);
    PieceLayout layout;
    layout.unit = std::max(10, GetSystemMetrics(SM_CYSCREEN) / 50);
    const int unit = layout.unit;
    const int labelWidth = 4 * unit;
    const LONG right = std::max(client.right, static_cast<LONG>(labelWidth + 1));
    layout.buttons = RECT{0, 0, right, 2 * unit};
    layout.strip = RECT{labelWidth, layout.buttons.bottom, right, layout.buttons.bottom + 3 * unit / 2};
    const LONG scrollTop = std::max(client.bottom - unit, layout.strip.bottom + 1);
    layout.scrollBar = RECT{labelWidth, scrollTop, right, scrollTop + unit};
    const LONG barsTop = std::max(scrollTop - 3 * unit / 2, layout.strip.bottom + 1);
    layout.spectrogram = RECT{labelWidth, layout.strip.bottom, right, barsTop};
    layout.bars = RECT{labelWidth, barsTop, right, barsTop + 3 * unit / 2};
    layout.labels = RECT{0, layout.spectrogram.top, labelWidth, layout.spectrogram.bottom};
    return layout;
}

void fitWholePiece() {
    PieceWindow.view.pixelsPerSecond = spectrogramWidth() / duration();
    PieceWindow.view.scrollX = 0;
}

void zoomAround(double factor, int x) {
    PieceView& view = PieceWindow.view;
    const double anchor = timeAtX(x);
    const double fit = spectrogramWidth() / duration();
    const double widest = std::max(fit, WidestBitmap / duration());
    view.pixelsPerSecond = std::clamp(view.pixelsPerSecond * factor, fit, widest);
    view.scrollX = static_cast<int>(std::lround(anchor * view.pixelsPerSecond)) - (x - pieceLayout().spectrogram.left);
    clampScroll();
}

void scrollBy(int pixels) {
    PieceWindow.view.scrollX += pixels;
    clampScroll();
}

void scrollToEnd() {
    PieceWindow.view.scrollX = pieceWidth();
    clampScroll();
}

bool viewAtEnd() { return PieceWindow.view.scrollX >= pieceWidth() - spectrogramWidth(); }

void keepInView(double time) {
    const RECT area = pieceLayout().spectrogram;
    const int x = xOfTime(time);
    const int margin = spectrogramWidth() / 10;
    if (x >= area.left && x < area.right - margin) return;
    PieceWindow.view.scrollX += x - static_cast<int>(area.left) - margin;
    clampScroll();
}

void showViewInScrollBar() {
    SCROLLINFO scroll = {};
    scroll.cbSize = sizeof scroll;
    scroll.fMask = SIF_ALL;
    scroll.nMin = 0;
    scroll.nMax = pieceWidth() - 1;
    scroll.nPage = static_cast<UINT>(spectrogramWidth());
    scroll.nPos = PieceWindow.view.scrollX;
    SetScrollInfo(PieceWindow.scrollBar, SB_CTL, &scroll, TRUE);
}

void scrollAsAsked(WPARAM request) {
    const int page = spectrogramWidth();
    switch (LOWORD(request)) {
    case SB_LINELEFT: scrollBy(-page / 20); break;
    case SB_LINERIGHT: scrollBy(page / 20); break;
    case SB_PAGELEFT: scrollBy(-page); break;
    case SB_PAGERIGHT: scrollBy(page); break;
    case SB_LEFT: scrollBy(-pieceWidth()); break;
    case SB_RIGHT: scrollBy(pieceWidth()); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: scrollBy(HIWORD(request) - PieceWindow.view.scrollX); break;
    default: break;
    }
}

int xOfTime(double time) {
    return pieceLayout().spectrogram.left + static_cast<int>(std::lround(time * PieceWindow.view.pixelsPerSecond)) -
           PieceWindow.view.scrollX;
}

double timeAtX(int x) {
    const double time = (x - pieceLayout().spectrogram.left + PieceWindow.view.scrollX) / PieceWindow.view.pixelsPerSecond;
    return std::clamp(time, 0.0, PieceWindow.piece.duration);
}
