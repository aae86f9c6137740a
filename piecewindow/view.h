// Where the piece window's parts lie in its client area, and how time maps to
// x there: the zoom, the scrolling and keeping a moment in view.
#pragma once

#include "platform/win32.h"

struct PieceLayout {
    int unit;             // the text height: a fiftieth of the screen's height
    RECT buttons;         // the row of Play, Pause and Stop, at the top
    RECT strip;           // the segments' names
    RECT spectrogram;     // one row a chord, slot 0 at the bottom
    RECT bars;            // the bar numbers
    RECT scrollBar;       // along the bottom
    RECT labels;          // the roots' or chord types' names, left of the spectrogram
};

// The layout of the client area as it is now.
PieceLayout pieceLayout();

// The widest bitmap the zoom may ask for, in pixels.
inline constexpr int WidestBitmap = 16384;

// The zoom at which the whole piece fills the spectrogram's width, and the
// view scrolled to its start.
void fitWholePiece();
// The zoom times factor, within the whole piece's width and WidestBitmap,
// keeping the moment at client x where it is.
void zoomAround(double factor, int x);
// The view scrolled by this many pixels, never past either end.
void scrollBy(int pixels);
// Scrolled so that the piece's end is at the right edge (or the whole piece in view).
void scrollToEnd();
// Whether the piece's end is in view.
bool viewAtEnd();
// Scrolled so that the moment is visible, a little in from the right edge.
void keepInView(double time);

// The scroll bar set to the view: the piece's width in pixels, the
// spectrogram's width as the page, the view's place.
void showViewInScrollBar();
// WM_HSCROLL from the scroll bar: a step, a page or the thumb dragged.
void scrollAsAsked(WPARAM request);

// The client x of a moment, and the moment at a client x.
int xOfTime(double time);
double timeAtX(int x);
