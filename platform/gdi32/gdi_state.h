// The GDI core's objects and device contexts, shared by gdi_*.cpp.
#pragma once

#include "platform/seam/displaylist.h"
#include "platform/win32.h"

#include <cairo.h>
#include <string>
#include <vector>

namespace gdi {

struct Font {
    int height;        // as requested: positive = cell height, negative = character height, 0 = default
    int weight;
    std::string face;
    // Resolved on first use (gdi_text.cpp).
    cairo_scaled_font_t* scaled = nullptr;
    int ascent = 0;
    int cellHeight = 0;
};

enum class ObjectKind { Pen, Font, Brush };

struct Object {
    ObjectKind kind;
    bool stock = false;
    bool deletePending = false;  // deleted while selected: freed when the last DC lets go
    int selections = 0;
    int penWidth = 0;
    COLORREF colour = 0;         // pen or brush colour
    Font font{};
};

struct DeviceContext {
    HWND window;
    HGDIOBJ pen, font, brush;
    COLORREF textColour, backColour;
    POINT position;
    std::vector<DrawRecord> displayList;
    cairo_surface_t* image = nullptr;  // the window's backing image; null for a control
    cairo_t* cairo = nullptr;          // drawing context over image, kept between calls
};

Object* findObject(HGDIOBJ handle);
// The stock objects a fresh DC starts with.
HGDIOBJ defaultPen();
HGDIOBJ defaultFont();
HGDIOBJ defaultBrush();
// Bookkeeping of selections; frees an object whose deletion was pending.
void noteSelected(HGDIOBJ object);
void noteDeselected(HGDIOBJ object);

DeviceContext* findDC(HDC dc);
HDC createDC(HWND window);
// The window hands its DC the backing image to draw into whenever it gets one
// (at creation and at every resize), so that drawing never asks the window.
void setImage(HDC dc, cairo_surface_t* image);
// Back to the default objects and colours (a common DC at every BeginPaint).
void resetDC(HDC dc);
void destroyDC(HDC dc);

extern bool recording;

// Resolves the font's Cairo face and metrics on first use.
Font& resolveFont(Font& font);
// The colour of a brush handle: a brush object or a system colour brush
// (COLOR_xxx + 1). False for anything else.
bool brushColour(HBRUSH brush, COLORREF* colour);

}  // namespace gdi
