// headless::savePng: the virtual screen as a picture. Each visible top-level
// window shows its frame, its backing image at its client position and its
// controls drawn simply on top: a rectangle with an outline and its text.
#include "platform/cairo_colour.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_state.h"

namespace {

void fillRect(cairo_t* cairo, const RECT& rect, COLORREF colour) {
    setSourceColour(cairo, colour);
    cairo_rectangle(cairo, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    cairo_fill(cairo);
}

void drawControl(cairo_t* cairo, const Headless_Window& control) {
    const RECT rect = Headless_screenRect(control);
    const bool edit = control.desc.kind == backend::WindowKind::Edit;
    const COLORREF face = edit ? (control.customColours ? control.backgroundColour : RGB(255, 255, 255))
                               : RGB(225, 225, 225);
    const COLORREF ink = edit && control.customColours ? control.textColour : RGB(0, 0, 0);
    fillRect(cairo, rect, face);
    setSourceColour(cairo, RGB(120, 120, 120));
    cairo_set_line_width(cairo, 1);
    cairo_rectangle(cairo, rect.left + 0.5, rect.top + 0.5, rect.right - rect.left - 1,
                    rect.bottom - rect.top - 1);
    cairo_stroke(cairo);

    cairo_save(cairo);
    cairo_rectangle(cairo, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    cairo_clip(cairo);
    cairo_select_font_face(cairo, "Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cairo, 11);
    cairo_text_extents_t extents;
    cairo_text_extents(cairo, control.desc.text.c_str(), &extents);
    const double middle = (rect.top + rect.bottom) / 2.0 + 4;
    const double x = edit ? rect.left + 3 : (rect.left + rect.right - extents.x_advance) / 2;
    setSourceColour(cairo, ink);
    cairo_move_to(cairo, x, middle);
    cairo_show_text(cairo, control.desc.text.c_str());
    cairo_restore(cairo);
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
