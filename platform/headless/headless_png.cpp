// headless::savePng: the virtual screen as a picture. Each visible top-level
// window shows its frame, its backing image at its client position and its
// controls drawn simply on top, each with its text: a check box as a square
// and its text; greyed-out text in grey.
#include "platform/seam/cairo_colour.h"
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

const COLORREF outline = RGB(120, 120, 120);
const int tickBoxSize = 11;

void strokeRect(cairo_t* cairo, const RECT& rect, COLORREF colour) {
    setSourceColour(cairo, colour);
    cairo_set_line_width(cairo, 1);
    cairo_rectangle(cairo, rect.left + 0.5, rect.top + 0.5, rect.right - rect.left - 1, rect.bottom - rect.top - 1);
    cairo_stroke(cairo);
}

// A check box: a white square at the left, crossed when ticked, its text
// after it, on the button face without an outline of its own.
void drawTickBox(cairo_t* cairo, const Headless_Window& box, const RECT& rect) {
    const int left = rect.left + 2, top = (rect.top + rect.bottom - tickBoxSize) / 2;
    const RECT square{left, top, left + tickBoxSize, top + tickBoxSize};
    fillRect(cairo, square, RGB(255, 255, 255));
    strokeRect(cairo, square, outline);
    if (!box.checked) return;
    setSourceColour(cairo, Headless_greyed(box) ? outline : RGB(0, 0, 0));
    cairo_move_to(cairo, left + 2.5, top + 2.5);
    cairo_line_to(cairo, left + tickBoxSize - 2.5, top + tickBoxSize - 2.5);
    cairo_move_to(cairo, left + tickBoxSize - 2.5, top + 2.5);
    cairo_line_to(cairo, left + 2.5, top + tickBoxSize - 2.5);
    cairo_stroke(cairo);
}

// A control's text, clipped to it: a button's caption in the middle (a check
// box's after its square), an edit's at the left, a static's at the left and
// centred upright with SS_CENTERIMAGE; greyed-out text is grey.
void drawControlText(cairo_t* cairo, const Headless_Window& control, const RECT& rect, COLORREF ink) {
    using backend::WindowKind;
    const WindowKind kind = control.desc.kind;
    cairo_save(cairo);
    cairo_rectangle(cairo, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    cairo_clip(cairo);
    Headless_selectControlFont(cairo);
    const SIZE size = Headless_controlTextSize(control.desc.text);
    const bool upright = kind != WindowKind::Static || (control.desc.style & SS_CENTERIMAGE);
    const double baseline = upright ? (rect.top + rect.bottom) / 2.0 + 4 : rect.top + 11;
    const double x = Headless_isCheckBox(control) ? rect.left + tickBoxSize + 6
                     : kind == WindowKind::Button ? (rect.left + rect.right - size.cx) / 2.0
                     : kind == WindowKind::Edit   ? rect.left + textMargin
                                                  : rect.left;
    setSourceColour(cairo, Headless_greyed(control) ? outline : ink);
    cairo_move_to(cairo, x, baseline);
    cairo_show_text(cairo, control.desc.text.c_str());
    cairo_restore(cairo);
}

// Controls are drawn simply: a button grey and outlined, a check box as its
// square on the button face, an edit white and outlined, a static on the
// dialog face. Edits and statics take the colours their parent gave them.
void drawControl(cairo_t* cairo, const Headless_Window& control) {
    using backend::WindowKind;
    const RECT rect = Headless_screenRect(control);
    const WindowKind kind = control.desc.kind;
    const COLORREF plainFace = kind == WindowKind::Edit ? RGB(255, 255, 255) : RGB(240, 240, 240);
    const bool coloured = kind != WindowKind::Button && control.customColours;
    const COLORREF buttonFace = RGB(225, 225, 225);
    fillRect(cairo, rect, coloured ? control.backgroundColour : kind == WindowKind::Button ? buttonFace : plainFace);
    if (Headless_isCheckBox(control))
        drawTickBox(cairo, control, rect);
    else if (kind != WindowKind::Static)
        strokeRect(cairo, rect, outline);
    drawControlText(cairo, control, rect, coloured ? control.textColour : RGB(0, 0, 0));
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
