// Form1 loaded on a headless screen as the program loads it, with helpers
// that read the display list of its own device context as line segments and
// texts, and the colours its client area shows.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/seam/displaylist.h"
#include "platform/win32.h"

struct Segment {
    int x1, y1, x2, y2;
    int width;
    COLORREF colour;
};

struct Pen {
    int width;
    COLORREF colour;
};

// The painting's pens, as its own pen table makes them, to pick out what each
// drew. Which colours those are on the screen is checked in paint_test.cpp.
namespace pens {
Pen of(int index);
inline const Pen panelFill = of(1);
inline const Pen marker = of(2);
inline const Pen panelRectangle = of(3);
inline const Pen teal = of(4);
inline const Pen erase = of(5);
inline const Pen lightGrey = of(6);
inline const Pen darkBevel = of(7);
inline const Pen lightBevel = of(8);
inline const Pen frame = of(9);
inline Pen colour(int index) { return of(20 + index); }
}  // namespace pens

// Each LineTo as a segment from the point before it.
std::vector<Segment> segmentsOf(const std::vector<DrawRecord>& list);
std::vector<Segment> withPen(const std::vector<Segment>& segments, Pen pen);
std::vector<DrawRecord> textsOf(const std::vector<DrawRecord>& list);
// One line per record, for comparing two pictures.
std::string describe(const std::vector<DrawRecord>& list);

// Device pixel of a plot position on the current screen, worked out in double
// precision (so it may differ by one from the canvas at exact halves: compare
// with a tolerance of 1 where that matters).
int px(double x);
int py(double y);

class FormTest : public ::testing::Test {
protected:
    void SetUp() override { openForm(1024, 768); }
    void TearDown() override;

    // Loads Form1 as the program does, lets the first paint request run, and
    // starts recording an empty display list.
    void openForm(int screenWidth, int screenHeight);
    void startRecording();
    const std::vector<DrawRecord>& drawn();
    std::vector<Segment> segments() { return segmentsOf(drawn()); }
    std::vector<DrawRecord> texts() { return textsOf(drawn()); }
    // A line and a text drawn with whatever the drawing before left selected:
    // their records tell which pen, font and colours that is.
    struct Selection {
        DrawRecord line, text;
    };
    Selection probeSelection();
    // The colour at a point of Form1's client area; 0xFFFFFFFF outside it.
    COLORREF pixelAt(int clientX, int clientY);
};
