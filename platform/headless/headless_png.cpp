// headless::savePng: the virtual screen as a picture. Each visible top-level
// window shows its frame, its backing image at its client position and its
// controls drawn simply on top, each with its text.
#include "platform/cairo_colour.h"
#include "platform/headless/headless.h"
#include "platform/headless/headless_state.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int textMargin = 3;  // between an edit's sides and its text

void fillRect(cairo_t* cairo, const RECT& rect, COLORREF colour) {
    setSourceColour(cairo, colour);
    cairo_rectangle(cairo, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    cairo_fill(cairo);
}

// Controls are drawn simply: a button grey and outlined with its caption in
// the middle, an edit white and outlined with its text at the left, a static
// as its text alone on the dialog face, centred upright with SS_CENTERIMAGE.
// Edits and statics take the colours their parent gave them.
void drawControl(cairo_t* cairo, const Headless_Window& control) {
    using backend::WindowKind;
    const RECT rect = Headless_screenRect(control);
    const WindowKind kind = control.desc.kind;
    const COLORREF plainFace = kind == WindowKind::Edit ? RGB(255, 255, 255) : RGB(240, 240, 240);
    const bool coloured = kind != WindowKind::Button && control.customColours;
    const COLORREF buttonFace = RGB(225, 225, 225);
    fillRect(cairo, rect, coloured ? control.backgroundColour : kind == WindowKind::Button ? buttonFace : plainFace);
    if (kind != WindowKind::Static) {
        setSourceColour(cairo, RGB(120, 120, 120));
        cairo_set_line_width(cairo, 1);
        cairo_rectangle(cairo, rect.left + 0.5, rect.top + 0.5, rect.right - rect.left - 1, rect.bottom - rect.top - 1);
        cairo_stroke(cairo);
    }

    cairo_save(cairo);
    cairo_rectangle(cairo, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    cairo_clip(cairo);
    Headless_selectControlFont(cairo);
    const SIZE size = Headless_controlTextSize(control.desc.text);
    const bool upright = kind != WindowKind::Static || (control.desc.style & SS_CENTERIMAGE);
    const double baseline = upright ? (rect.top + rect.bottom) / 2.0 + 4 : rect.top + 11;
    const double x = kind == WindowKind::Button ? (rect.left + rect.right - size.cx) / 2.0
                     : kind == WindowKind::Edit ? rect.left + textMargin
                                                : rect.left;
    setSourceColour(cairo, coloured ? control.textColour : RGB(0, 0, 0));
    cairo_move_to(cairo, x, baseline);
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

void Headless_selectControlFont(cairo_t* cairo) {
    cairo_select_font_face(cairo, "Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cairo, 11);
}

// One context kept for measuring: finding the face anew costs more than all
// the spikes of an entry.
SIZE Headless_controlTextSize(const std::string& text) {
    static cairo_t* const measuring = [] {
        cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1, 1);
        cairo_t* cairo = cairo_create(surface);
        cairo_surface_destroy(surface);
        Headless_selectControlFont(cairo);
        return cairo;
    }();
    cairo_text_extents_t extents;
    cairo_text_extents(measuring, text.c_str(), &extents);
    return SIZE{static_cast<LONG>(std::lround(extents.x_advance)), 13};
}

RECT Headless_editTextArea(const Headless_Window& edit) {
    const RECT& rect = edit.desc.client;
    return RECT{textMargin, 0, std::max<LONG>(textMargin, rect.right - rect.left - textMargin), rect.bottom - rect.top};
}

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
