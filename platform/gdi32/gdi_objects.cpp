// GDI objects: pens, fonts, brushes and the stock objects.
//
// Deleting an object that a DC still has selected succeeds at once, but the
// object lives on until the last DC selects something else, as Windows does;
// the live count drops only then.
#include "platform/gdi32/gdi_state.h"
#include "platform/seam/handles.h"
#include "platform/seam/core.h"

#include <unordered_map>

namespace gdi {
namespace {

// Never destroyed: objects stay valid to the very end of the process.
auto& objects = *new std::unordered_map<HGDIOBJ, Object>;
int liveCount = 0;

// Stock object numbers as Windows numbers them.
constexpr int whiteBrushStock = 0;
constexpr int blackPenStock = 7;
constexpr int systemFontStock = 13;

HGDIOBJ addObject(Object object) {
    HGDIOBJ handle = core::newHandle<HGDIOBJ>();
    if (!object.stock) ++liveCount;
    objects.emplace(handle, std::move(object));
    return handle;
}

Object makeStockFont(int height, const char* face) {
    Object font{ObjectKind::Font};
    font.stock = true;
    font.font = Font{height, FW_NORMAL, face};
    return font;
}

HGDIOBJ stockObject(int number) {
    static const std::unordered_map<int, HGDIOBJ> stock = [] {
        Object whiteBrush{ObjectKind::Brush};
        whiteBrush.stock = true;
        whiteBrush.colour = RGB(255, 255, 255);
        Object blackPen{ObjectKind::Pen};
        blackPen.stock = true;
        blackPen.penWidth = 1;
        return std::unordered_map<int, HGDIOBJ>{
            {whiteBrushStock, addObject(whiteBrush)},
            {blackPenStock, addObject(blackPen)},
            {systemFontStock, addObject(makeStockFont(16, "Arial"))},
            // Windows' GUI font is 8 points of "MS Shell Dlg": 11 pixels of character height.
            {DEFAULT_GUI_FONT, addObject(makeStockFont(-11, "MS Shell Dlg"))},
        };
    }();
    auto found = stock.find(number);
    return found == stock.end() ? nullptr : found->second;
}

void freeObject(HGDIOBJ handle) {
    auto found = objects.find(handle);
    if (found->second.font.scaled) cairo_scaled_font_destroy(found->second.font.scaled);
    objects.erase(found);
    --liveCount;
}

}  // namespace

Object* findObject(HGDIOBJ handle) {
    auto found = objects.find(handle);
    return found == objects.end() ? nullptr : &found->second;
}

HGDIOBJ defaultPen() { return stockObject(blackPenStock); }
HGDIOBJ defaultFont() { return stockObject(systemFontStock); }
HGDIOBJ defaultBrush() { return stockObject(whiteBrushStock); }

void noteSelected(HGDIOBJ handle) {
    if (Object* object = findObject(handle)) ++object->selections;
}

void noteDeselected(HGDIOBJ handle) {
    Object* object = findObject(handle);
    if (!object) return;
    --object->selections;
    if (object->deletePending && object->selections == 0) freeObject(handle);
}

bool brushColour(HBRUSH brush, COLORREF* colour) {
    constexpr COLORREF btnFace = RGB(240, 240, 240);
    constexpr int colourWindow = 5;
    constexpr int colourWindowText = 8;
    switch (reinterpret_cast<std::uintptr_t>(brush)) {
        case COLOR_BTNFACE + 1: *colour = btnFace; return true;
        case colourWindow + 1: *colour = RGB(255, 255, 255); return true;
        case colourWindowText + 1: *colour = RGB(0, 0, 0); return true;
    }
    const Object* object = findObject(brush);
    if (!object || object->kind != ObjectKind::Brush) return false;
    *colour = object->colour;
    return true;
}

}  // namespace gdi

using gdi::Object;
using gdi::ObjectKind;

HPEN WINAPI CreatePen(int style, int width, COLORREF colour) {
    if (style != PS_SOLID) return nullptr;  // the only style the program draws with
    Object pen{ObjectKind::Pen};
    pen.penWidth = width;
    pen.colour = colour & 0xFFFFFF;
    return static_cast<HPEN>(gdi::addObject(pen));
}

HFONT WINAPI CreateFontA(int height, int width, int escapement, int orientation, int weight,
                         DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                         DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                         DWORD pitchAndFamily, LPCSTR faceName) {
    Object font{ObjectKind::Font};
    font.font = gdi::Font{height, weight, faceName ? faceName : ""};
    return static_cast<HFONT>(gdi::addObject(std::move(font)));
}

HBRUSH WINAPI CreateSolidBrush(COLORREF colour) {
    Object brush{ObjectKind::Brush};
    brush.colour = colour & 0xFFFFFF;
    return static_cast<HBRUSH>(gdi::addObject(brush));
}

HGDIOBJ WINAPI GetStockObject(int object) { return gdi::stockObject(object); }

BOOL WINAPI DeleteObject(HGDIOBJ handle) {
    Object* object = gdi::findObject(handle);
    if (!object) return FALSE;
    if (object->stock) return TRUE;
    if (object->selections > 0)
        object->deletePending = true;
    else
        gdi::freeObject(handle);
    return TRUE;
}

int core::liveGdiObjects() { return gdi::liveCount; }
