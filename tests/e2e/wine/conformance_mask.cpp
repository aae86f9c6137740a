// Where the two pictures of the conformance run may differ by fonts and themes
// alone: every text cell the program draws and every control's rectangle, in
// Form1's client coordinates. It goes through the same run on the headless
// screen with drawing recorded: c e g, "Enter", a click on the Major-on-C
// spike, "x Chord".
//   conformance_mask WIDTH HEIGHT
// Prints one rectangle a line, "left top right bottom" (right and bottom
// excluded). Text cells are widened: engines set the same text a few percent
// wider or narrower. Controls take a margin for the shadows and focus rings
// that a theme draws round them.
#include <cairo.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "canvas/canvas.h"
#include "platform/headless/headless.h"
#include "shell/application.h"
#include "shell/form.h"

namespace {

constexpr double widthAllowance = 1.25;
constexpr int cellMargin = 4;
constexpr int controlMargin = 4;

// Each paint draws the same texts again: every rectangle once.
using Rectangle = std::array<int, 4>;
std::set<Rectangle> mask;

POINT clientOrigin() {
    const RECT client = headless::clientRect(Form1);
    return {client.left, client.top};
}

// The advance of the text as the Linux layer sets it: the face through
// fontconfig, sized so that ascent plus descent fill the cell.
double advanceOf(const DrawRecord& text) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
    cairo_t* cairo = cairo_create(surface);
    cairo_select_font_face(cairo, text.fontFace.c_str(), CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cairo, options);
    cairo_set_font_size(cairo, 1.0);
    cairo_font_extents_t perEm;
    cairo_font_extents(cairo, &perEm);
    cairo_set_font_size(cairo, text.fontHeight / std::max(perEm.ascent + perEm.descent, 0.01));
    cairo_text_extents_t extents;
    cairo_text_extents(cairo, text.text.c_str(), &extents);
    cairo_font_options_destroy(options);
    cairo_destroy(cairo);
    cairo_surface_destroy(surface);
    return extents.x_advance;
}

void addTextCell(const DrawRecord& text) {
    const int width = static_cast<int>(advanceOf(text) * widthAllowance);
    mask.insert({text.x - cellMargin, text.y - 1, text.x + width + cellMargin, text.y + text.fontHeight + 1});
}

void addControl(HWND control, POINT origin) {
    RECT rect;
    GetWindowRect(control, &rect);
    mask.insert({static_cast<int>(rect.left - origin.x) - controlMargin,
                 static_cast<int>(rect.top - origin.y) - controlMargin,
                 static_cast<int>(rect.right - origin.x) + controlMargin,
                 static_cast<int>(rect.bottom - origin.y) + controlMargin});
}

void clickAt(POINT client) {
    const POINT origin = clientOrigin();
    headless::mouseDown(origin.x + client.x, origin.y + client.y);
    headless::mouseUp(origin.x + client.x, origin.y + client.y);
}

void printMask() {
    for (const DrawRecord& record : headless::displayList(hpc))
        if (record.kind == DrawRecord::Kind::Text) addTextCell(record);
    const POINT origin = clientOrigin();
    for (int i = 0; i < ControlCount; ++i) addControl(formControl(i), origin);
    for (const Rectangle& r : mask) std::printf("%d %d %d %d\n", r[0], r[1], r[2], r[3]);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: conformance_mask WIDTH HEIGHT\n");
        return 2;
    }
    headless::setScreen(std::atoi(argv[1]), std::atoi(argv[2]));
    headless::recordDrawing(true);
    headless::whenIdle([] { headless::typeText(NoteEntryField, "c e g"); });
    headless::whenIdle([] { headless::clickButton(EnterButton); });
    headless::whenIdle([] { clickAt({314, 200}); });   // the Major-on-C spike, slot 34
    headless::whenIdle([] { headless::clickButton(ChordButton); });
    headless::whenIdle([] {
        printMask();
        PostQuitMessage(0);
    });
    return runApplication(GetModuleHandleA(nullptr));
}
