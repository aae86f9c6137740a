// Device contexts: selected objects, colours, the current position, and the
// drawing calls, which go to the backing image the owning window handed over
// (setImage) and, while recording is on, to the DC's display list. Changes
// reach the screen through backend::present.
#include "platform/seam/backend.h"
#include "platform/seam/core.h"
#include "platform/gdi32/gdi_raster.h"
#include "platform/seam/handles.h"

#include <cstring>
#include <unordered_map>

namespace gdi {
namespace {

// Never destroyed: drawing may still happen while static objects are torn down.
auto& contexts = *new std::unordered_map<HDC, DeviceContext>;
constexpr COLORREF invalidColour = 0xFFFFFFFF;  // CLR_INVALID

void selectDefaults(DeviceContext& dc) {
    dc.pen = defaultPen();
    dc.font = defaultFont();
    dc.brush = defaultBrush();
    for (HGDIOBJ object : {dc.pen, dc.font, dc.brush}) noteSelected(object);
    dc.textColour = RGB(0, 0, 0);
    dc.backColour = RGB(255, 255, 255);
    dc.position = POINT{0, 0};
}

void deselectAll(DeviceContext& dc) {
    for (HGDIOBJ object : {dc.pen, dc.font, dc.brush}) noteDeselected(object);
}

void record(DeviceContext& dc, DrawRecord::Kind kind, int x, int y, std::string text = {}) {
    if (!recording) return;
    const Object* pen = findObject(dc.pen);
    const Object* font = findObject(dc.font);
    dc.displayList.push_back(DrawRecord{kind, x, y, pen->penWidth, pen->colour, std::move(text),
                                        font->font.height, font->font.face, dc.textColour,
                                        dc.backColour});
}

void present(HWND window, const RECT& changed) {
    if (changed.right > changed.left && changed.bottom > changed.top) backend::present(window, changed);
}

}  // namespace

bool recording = false;

DeviceContext* findDC(HDC dc) {
    auto found = contexts.find(dc);
    return found == contexts.end() ? nullptr : &found->second;
}

HDC createDC(HWND window) {
    HDC handle = core::newHandle<HDC>();
    DeviceContext& dc = contexts[handle];
    dc.window = window;
    selectDefaults(dc);
    return handle;
}

void setImage(HDC handle, cairo_surface_t* image) {
    DeviceContext* dc = findDC(handle);
    if (!dc) return;
    if (dc->cairo) cairo_destroy(dc->cairo);
    dc->image = image;
    dc->cairo = image ? cairo_create(image) : nullptr;
    if (dc->cairo) cairo_set_antialias(dc->cairo, CAIRO_ANTIALIAS_NONE);
}

void resetDC(HDC handle) {
    DeviceContext* dc = findDC(handle);
    if (!dc) return;
    deselectAll(*dc);
    selectDefaults(*dc);
}

void destroyDC(HDC handle) {
    DeviceContext* dc = findDC(handle);
    if (!dc) return;
    deselectAll(*dc);
    if (dc->cairo) cairo_destroy(dc->cairo);
    contexts.erase(handle);
}

}  // namespace gdi

using gdi::DeviceContext;
using gdi::Object;
using gdi::ObjectKind;

HGDIOBJ WINAPI SelectObject(HDC handle, HGDIOBJ object) {
    DeviceContext* dc = gdi::findDC(handle);
    const Object* found = gdi::findObject(object);
    if (!dc || !found) return nullptr;
    HGDIOBJ& slot = found->kind == ObjectKind::Pen ? dc->pen
                    : found->kind == ObjectKind::Font ? dc->font
                                                      : dc->brush;
    HGDIOBJ previous = slot;
    slot = object;
    gdi::noteSelected(object);  // before letting go of the old one, which may be the same
    gdi::noteDeselected(previous);
    return previous;
}

COLORREF WINAPI SetTextColor(HDC handle, COLORREF colour) {
    DeviceContext* dc = gdi::findDC(handle);
    if (!dc) return gdi::invalidColour;
    COLORREF previous = dc->textColour;
    dc->textColour = colour & 0xFFFFFF;
    return previous;
}

COLORREF WINAPI SetBkColor(HDC handle, COLORREF colour) {
    DeviceContext* dc = gdi::findDC(handle);
    if (!dc) return gdi::invalidColour;
    COLORREF previous = dc->backColour;
    dc->backColour = colour & 0xFFFFFF;
    return previous;
}

BOOL WINAPI MoveToEx(HDC handle, int x, int y, LPPOINT previous) {
    DeviceContext* dc = gdi::findDC(handle);
    if (!dc) return FALSE;
    if (previous) *previous = dc->position;
    dc->position = POINT{x, y};
    gdi::record(*dc, DrawRecord::Kind::MoveTo, x, y);
    return TRUE;
}

BOOL WINAPI LineTo(HDC handle, int x, int y) {
    DeviceContext* dc = gdi::findDC(handle);
    if (!dc) return FALSE;
    gdi::record(*dc, DrawRecord::Kind::LineTo, x, y);
    const POINT from = dc->position;
    dc->position = POINT{x, y};
    if (!dc->cairo) return TRUE;
    const Object* pen = gdi::findObject(dc->pen);
    const RECT changed =
        pen->penWidth > 1
            ? gdi::drawWideLine(dc->cairo, from, dc->position, pen->penWidth, pen->colour)
            : gdi::drawPixelLine(dc->image, from, dc->position, pen->colour);
    gdi::present(dc->window, changed);
    return TRUE;
}

BOOL WINAPI TextOutA(HDC handle, int x, int y, LPCSTR text, int length) {
    DeviceContext* dc = gdi::findDC(handle);
    if (!dc || length < 0 || (text == nullptr && length > 0)) return FALSE;
    // Never read past the terminating zero of a text shorter than its count.
    const std::string shown(text ? text : "", text ? strnlen(text, static_cast<size_t>(length)) : 0);
    gdi::record(*dc, DrawRecord::Kind::Text, x, y, shown);
    if (!dc->cairo || shown.empty()) return TRUE;
    Object* font = gdi::findObject(dc->font);
    gdi::present(dc->window,
                 gdi::drawText(dc->cairo, x, y, shown, font->font, dc->textColour, dc->backColour));
    return TRUE;
}

// A control's DC measures as the screen shows the control's text (backend.h):
// the backend, not this layer, draws the text of controls.
BOOL WINAPI GetTextExtentPoint32A(HDC handle, LPCSTR text, int length, LPSIZE size) {
    DeviceContext* dc = gdi::findDC(handle);
    if (!dc || !size || length < 0 || (text == nullptr && length > 0)) return FALSE;
    const std::string measured(text ? text : "", text ? strnlen(text, static_cast<size_t>(length)) : 0);
    *size = dc->image ? gdi::textSize(measured, gdi::findObject(dc->font)->font)
                      : backend::controlTextSize(dc->window, measured);
    return TRUE;
}

void core::recordDrawing(bool on) { gdi::recording = on; }

const std::vector<DrawRecord>& core::displayList(HDC handle) {
    static const std::vector<DrawRecord> none;
    const DeviceContext* dc = gdi::findDC(handle);
    return dc ? dc->displayList : none;
}

void core::clearDisplayList(HDC handle) {
    if (DeviceContext* dc = gdi::findDC(handle)) dc->displayList.clear();
}
