// Form1 loaded on a headless screen, with helpers that read the display list
// of its own device context as line segments and texts.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/displaylist.h"
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

// The pens of the form painting that the tests look for.
namespace pens {
inline const Pen panelFill{5, RGB(65, 170, 130)};
inline const Pen marker{5, RGB(255, 255, 0)};
inline const Pen panelRectangle{5, RGB(190, 190, 190)};
inline const Pen teal{1, RGB(0, 120, 120)};
inline const Pen erase{5, RGB(50, 140, 140)};
inline const Pen lightGrey{1, RGB(210, 210, 210)};
inline const Pen darkBevel{2, RGB(90, 90, 90)};
inline const Pen lightBevel{2, RGB(255, 255, 255)};
inline const Pen frame{2, RGB(180, 180, 180)};
Pen colour(int index);  // pen 20 + index
}  // namespace pens

// Each LineTo as a segment from the point before it.
std::vector<Segment> segmentsOf(const std::vector<DrawRecord>& list);
std::vector<Segment> withPen(const std::vector<Segment>& segments, Pen pen);
std::vector<DrawRecord> textsOf(const std::vector<DrawRecord>& list);
// One line per record, for comparing two pictures.
std::string describe(const std::vector<DrawRecord>& list);

// Device pixel of a plot position on the 1024 x 768 screen (may differ by one
// from the canvas at exact halves, so compare with a tolerance of 1).
int px(double x);
int py(double y);

struct ClientPicture {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels;  // row by row; 0xFFFFFFFF off the screen
    COLORREF at(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height ? pixels[y * width + x] : 0xFFFFFFFF;
    }
};

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
    // The colour on screen at a client point of Form1, and the whole client area.
    COLORREF pixelAt(int clientX, int clientY);
    ClientPicture picture();
    std::string windowText(HWND window);
};
