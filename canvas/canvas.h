// The plot canvas: positions in percent of the screen (y upward) over Form1's
// own device context, the numbered pen table, fonts and text colours.
#pragma once

#include "platform/win32.h"

struct PlotCanvasRecord {
    HDC hpc;        // Form1's private DC (CS_OWNDC): valid after the paint ends
    float originX;  // plot units added to every point before scaling
    float originY;
    float scaleX;  // pixels per plot unit
    float scaleY;
    float deviceBottom;  // device y of plot y = 0; also the base of font heights
    HPEN hPen[32];       // pen n is hPen[n]; slots 10..19 stay empty
    HFONT font;          // the font the last setfont made
    PAINTSTRUCT paint;   // filled by startpaint, closed by the form painting
};

extern PlotCanvasRecord PlotCanvas;
extern HDC& hpc;
extern HPEN (&hPen)[32];

// Back to the state at start: no DC, no scale, no pens or font (those made
// before are left to the platform).
void resetCanvas();

void startpaint(HWND window);
void plot(float x, float y, int mode);
void pentype(int index, int style, int width, int r, int g, int b);
void box(float x1, float y1, float x2, float y2);
void textat(float x, float y, const char* text, int length);
// How far textat would write the text in the current font, in plot units.
float textwidth(const char* text, int length);
void textcolor(int r, int g, int b);
void backcolor(int r, int g, int b);
void setfont(int size, const char* face);
