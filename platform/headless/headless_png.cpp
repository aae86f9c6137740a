// headless::savePng: the virtual screen as a picture. Each visible top-level
// window shows its frame, its backing image at its client position and its
// controls drawn simply on top: a rectangle with an outline and its text, a
// check box as a square and its text; greyed-out text in grey.
#include "platform/cairo_colour.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_state.h"

namespace {

void fillRect(cairo_t* cairo, const RECT& rect, COLORREF colour) {
    setSourceColour(cairo, colour);
    cairo_rectangle(cairo, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    cairo_fill(cairo);
}

const COLORREF outline = RGB(120, 120, 120);
const int tickBoxSize = 11;

void strokeRect(cairo_t* cairo, double left, double top, double width, double height, COLORREF colour) {
    setSourceColour(cairo, colour);
    cairo_set_line_width(cairo, 1);
    cairo_rectangle(cairo, left + 0.5, top + 0.5, width - 1, height - 1);
    cairo_stroke(cairo);
}

// A check box: a white square at the left, crossed when ticked, and its text
// after it, on the button face without an outline of its own.
void drawTickBox(cairo_t* cairo, const Headless_Window& box, const RECT& rect) {
    const int left = rect.left + 2, top = (rect.top + rect.bottom - tickBoxSize) / 2;
    fillRect(cairo, RECT{left, top, left + tickBoxSize, top + tickBoxSize}, RGB(255, 255, 255));
    strokeRect(cairo, left, top, tickBoxSize, tickBoxSize, outline);
    if (!box.checked) return;
    setSourceColour(cairo, Headless_greyed(box) ? outline : RGB(0, 0, 0));
    cairo_move_to(cairo, left + 2.5, top + 2.5);
    cairo_line_to(cairo, left + tickBoxSize - 2.5, top + tickBoxSize - 2.5);
    cairo_move_to(cairo, left + tickBoxSize - 2.5, top + 2.5);
    cairo_line_to(cairo, left + 2.5, top + tickBoxSize - 2.5);
    cairo_stroke(cairo);
}

// Left-aligned after textLeft, or centred when textLeft is negative; clipped to the control.
void drawText(cairo_t* cairo, const std::string& text, const RECT& rect, double textLeft, COLORREF ink) {
    cairo_save(cairo);
    cairo_rectangle(cairo, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    cairo_clip(cairo);
    cairo_select_font_face(cairo, "Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cairo, 11);
    cairo_text_extents_t extents;
    cairo_text_extents(cairo, text.c_str(), &extents);
    const double middle = (rect.top + rect.bottom) / 2.0 + 4;
    setSourceColour(cairo, ink);
    cairo_move_to(cairo, textLeft >= 0 ? textLeft : (rect.left + rect.right - extents.x_advance) / 2, middle);
    cairo_show_text(cairo, text.c_str());
    cairo_restore(cairo);
}

void drawControl(cairo_t* cairo, const Headless_Window& control) {
    const RECT rect = Headless_screenRect(control);
    const bool edit = control.desc.kind == backend::WindowKind::Edit;
    const COLORREF face = edit ? (control.customColours ? control.backgroundColour : RGB(255, 255, 255))
                               : RGB(225, 225, 225);
    COLORREF ink = edit && control.customColours ? control.textColour : RGB(0, 0, 0);
    if (Headless_greyed(control)) ink = outline;
    fillRect(cairo, rect, face);
    if (Headless_isCheckBox(control)) {
        drawTickBox(cairo, control, rect);
        drawText(cairo, control.desc.text, rect, rect.left + tickBoxSize + 6, ink);
        return;
    }
    strokeRect(cairo, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, outline);
    drawText(cairo, control.desc.text, rect, edit ? rect.left + 3 : -1, ink);
}

void drawTopLevel(cairo_t* cairo, HWND handle, const Headless_Window& window) {
    fillRect(cairo, window.desc.outer, RGB(60, 90, 150));
    if (cairo_surface_t* image = core::backingImage(handle)) {
        cairo_set_source_surface(cairo, image, window.desc.client.left, window.desc.client.top);
        cairo_paint(cairo);
    }
    for (HWND child : Headless_state.order) {
        const Headless_Window& control = Headless_state.windows.at(child);
        if (control.desc.parent == handle && control.visible) drawControl(cairo, control);
    }
}

}  // namespace

namespace headless {

bool savePng(const char* path) {
    backend::initialise();
    const RECT& screen = Headless_state.screen;
    cairo_surface_t* picture = cairo_image_surface_create(CAIRO_FORMAT_RGB24, screen.right, screen.bottom);
    cairo_t* cairo = cairo_create(picture);
    cairo_set_antialias(cairo, CAIRO_ANTIALIAS_NONE);
    fillRect(cairo, screen, RGB(40, 40, 40));
    for (HWND handle : Headless_state.order) {
        const Headless_Window& window = Headless_state.windows.at(handle);
        if (!window.desc.parent && window.visible) drawTopLevel(cairo, handle, window);
    }
    cairo_destroy(cairo);
    const bool written = path && cairo_surface_write_to_png(picture, path) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(picture);
    return written;
}

bool saveClientPng(HWND window, const char* path) {
    const Headless_Window* mirror = Headless_find(window);
    if (!mirror || mirror->desc.parent) return false;
    const RECT& client = mirror->desc.client;
    cairo_surface_t* picture = cairo_image_surface_create(CAIRO_FORMAT_RGB24, client.right - client.left,
                                                          client.bottom - client.top);
    cairo_t* cairo = cairo_create(picture);
    cairo_set_antialias(cairo, CAIRO_ANTIALIAS_NONE);
    cairo_translate(cairo, -client.left, -client.top);
    drawTopLevel(cairo, window, *mirror);
    cairo_destroy(cairo);
    const bool written = path && cairo_surface_write_to_png(picture, path) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(picture);
    return written;
}

}  // namespace headless
