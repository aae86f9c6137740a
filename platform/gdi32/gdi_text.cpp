// Fonts and text.
//
// Faces resolve through fontconfig ("Arial" becomes Liberation Sans). A
// positive height is the cell height, as GDI matches it: the unhinted ascent
// and descent per em scale so that they sum to the height, each rounded.
// Text is drawn at the cell's top-left corner on an opaque cell of the
// background colour, without antialiasing, as GDI draws it.
#include "platform/seam/cairo_colour.h"
#include "platform/gdi32/gdi_raster.h"

#include <algorithm>
#include <cmath>

namespace gdi {
namespace {

constexpr int defaultCellHeight = 16;  // what height 0 asks for
constexpr int largestCellHeight = 4096;  // beyond it nothing on a screen changes

cairo_font_options_t* fontOptions() {
    static cairo_font_options_t* options = [] {
        cairo_font_options_t* created = cairo_font_options_create();
        cairo_font_options_set_hint_metrics(created, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_antialias(created, CAIRO_ANTIALIAS_NONE);
        return created;
    }();
    return options;
}

cairo_scaled_font_t* scaledFont(cairo_font_face_t* face, double size) {
    cairo_matrix_t fontMatrix, identity;
    cairo_matrix_init_scale(&fontMatrix, size, size);
    cairo_matrix_init_identity(&identity);
    return cairo_scaled_font_create(face, &fontMatrix, &identity, fontOptions());
}

// Single-byte text (Latin-1) as the UTF-8 that Cairo takes.
std::string utf8Of(const std::string& text) {
    std::string converted;
    converted.reserve(text.size());
    for (unsigned char c : text) {
        if (c < 0x80) {
            converted += static_cast<char>(c);
        } else {
            converted += static_cast<char>(0xC0 | (c >> 6));
            converted += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return converted;
}

}  // namespace

Font& resolveFont(Font& font) {
    if (font.scaled) return font;
    cairo_font_face_t* face = cairo_toy_font_face_create(
        font.face.empty() ? "Arial" : font.face.c_str(), CAIRO_FONT_SLANT_NORMAL,
        font.weight >= 600 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_scaled_font_t* unit = scaledFont(face, 1.0);
    cairo_font_extents_t perEm;
    cairo_scaled_font_extents(unit, &perEm);
    cairo_scaled_font_destroy(unit);
    const double emCell = std::max(perEm.ascent + perEm.descent, 0.01);

    const int requested = std::min(std::abs(font.height), largestCellHeight);
    double size;
    if (font.height > 0) {
        size = requested / emCell;
        font.cellHeight = requested;
    } else if (font.height < 0) {
        size = requested;
        font.cellHeight = static_cast<int>(std::lround(emCell * size));
    } else {
        size = defaultCellHeight / emCell;
        font.cellHeight = defaultCellHeight;
    }
    font.ascent = std::min(font.cellHeight, static_cast<int>(std::lround(perEm.ascent * size)));
    font.scaled = scaledFont(face, size);
    cairo_font_face_destroy(face);
    return font;
}

SIZE textSize(const std::string& text, Font& font) {
    resolveFont(font);
    cairo_text_extents_t extents;
    cairo_scaled_font_text_extents(font.scaled, utf8Of(text).c_str(), &extents);
    return SIZE{static_cast<LONG>(std::lround(extents.x_advance)), font.cellHeight};
}

RECT drawText(cairo_t* cairo, int x, int y, const std::string& text, Font& font,
              COLORREF textColour, COLORREF backColour) {
    cairo_surface_t* image = cairo_get_target(cairo);
    const int imageWidth = cairo_image_surface_get_width(image);
    const int imageHeight = cairo_image_surface_get_height(image);
    resolveFont(font);
    const std::string utf8 = utf8Of(text);
    cairo_text_extents_t extents;
    cairo_scaled_font_text_extents(font.scaled, utf8.c_str(), &extents);
    const long long width = std::llround(extents.x_advance);

    // Off the image entirely: nothing to do, and no coordinates Cairo cannot hold.
    if (x >= imageWidth || y >= imageHeight || x + width <= 0 ||
        static_cast<long long>(y) + font.cellHeight <= 0)
        return RECT{0, 0, 0, 0};

    setSourceColour(cairo, backColour);
    cairo_rectangle(cairo, x, y, static_cast<double>(width), font.cellHeight);
    cairo_fill(cairo);
    setSourceColour(cairo, textColour);
    cairo_set_scaled_font(cairo, font.scaled);
    cairo_move_to(cairo, x, y + font.ascent);
    cairo_show_text(cairo, utf8.c_str());
    cairo_new_path(cairo);

    // Glyphs may reach a little past the advance (italics, overhangs).
    const long long reach = font.cellHeight;
    return RECT{static_cast<LONG>(std::max<long long>(0, x - reach)), std::max(0, y),
                static_cast<LONG>(std::min<long long>(imageWidth, x + width + reach)),
                static_cast<LONG>(std::min<long long>(imageHeight, static_cast<long long>(y) + font.cellHeight))};
}

}  // namespace gdi

// fontconfig keeps its configuration and the patterns Cairo caches for the
// life of the process; the leak checker of sanitizer builds is told so.
// Weak, so that a program with suppressions of its own keeps them.
extern "C" __attribute__((weak)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
