// Compares two client-area screenshots pixel by pixel outside masked
// rectangles, over the area both images cover.
//   client_compare A.png B.png MASK MINIMUM_PERCENT DIFFERENCE.png
// MASK holds "left top right bottom" lines (right and bottom excluded).
// Prints the share of equal pixels among the unmasked ones and the most
// frequent colour changes with the box each lies in. Below the minimum it
// writes the difference image (A faded, masked parts dark, differing pixels
// red) and exits 1; unreadable input exits 2.
#include <cairo.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "tests/support/pixels.h"

namespace {

struct Box {
    int left, top, right, bottom;
};

// A row of the difference image, to write into.
std::uint32_t* rowOf(cairo_surface_t* image, int y) {
    return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(image) +
                                            y * cairo_image_surface_get_stride(image));
}

// One byte per pixel of the compared area: 1 where the mask covers it.
std::vector<unsigned char> readMask(const char* path, int width, int height, bool& ok) {
    std::vector<unsigned char> covered(static_cast<size_t>(width) * height, 0);
    std::ifstream in(path);
    ok = static_cast<bool>(in);
    Box b;
    while (in >> b.left >> b.top >> b.right >> b.bottom)
        for (int y = std::max(b.top, 0); y < std::min(b.bottom, height); ++y)
            for (int x = std::max(b.left, 0); x < std::min(b.right, width); ++x)
                covered[static_cast<size_t>(y) * width + x] = 1;
    return covered;
}

struct Change {
    long count = 0;
    Box box{1 << 30, 1 << 30, -1, -1};
};

void printColour(std::uint32_t argb) {
    std::printf("(%u,%u,%u)", (argb >> 16) & 0xff, (argb >> 8) & 0xff, argb & 0xff);
}

void printChanges(const std::map<std::pair<std::uint32_t, std::uint32_t>, Change>& changes) {
    std::vector<std::pair<std::pair<std::uint32_t, std::uint32_t>, Change>> sorted(changes.begin(), changes.end());
    std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.second.count > b.second.count; });
    const size_t shown = std::min<size_t>(sorted.size(), 20);
    for (size_t i = 0; i < shown; ++i) {
        const Change& change = sorted[i].second;
        std::printf("  %6ld px ", change.count);
        printColour(sorted[i].first.first);
        std::printf(" -> ");
        printColour(sorted[i].first.second);
        std::printf(" within x %d..%d, y %d..%d\n", change.box.left, change.box.right, change.box.top,
                    change.box.bottom);
    }
    if (sorted.size() > shown) std::printf("  ... %zu more colour changes\n", sorted.size() - shown);
}

// Shades of the first image, so that the eye finds the red differences.
std::uint32_t faded(std::uint32_t argb, bool masked) {
    const unsigned divisor = masked ? 4 : 2;
    const unsigned r = ((argb >> 16) & 0xff) / divisor, g = ((argb >> 8) & 0xff) / divisor, b = (argb & 0xff) / divisor;
    return 0xff000000u | (r << 16) | (g << 8) | b;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: client_compare A.png B.png MASK MINIMUM_PERCENT DIFFERENCE.png\n");
        return 2;
    }
    const Image a = readPng(argv[1]), b = readPng(argv[2]);
    if (!loaded(a) || !loaded(b)) {
        std::fprintf(stderr, "client_compare: cannot read %s\n", !loaded(a) ? argv[1] : argv[2]);
        return 2;
    }
    const int width = std::min(cairo_image_surface_get_width(a.get()), cairo_image_surface_get_width(b.get()));
    const int height = std::min(cairo_image_surface_get_height(a.get()), cairo_image_surface_get_height(b.get()));
    bool maskRead = false;
    const std::vector<unsigned char> covered = readMask(argv[3], width, height, maskRead);
    if (!maskRead) {
        std::fprintf(stderr, "client_compare: cannot read the mask %s\n", argv[3]);
        return 2;
    }

    const Image difference(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height), cairo_surface_destroy);
    std::map<std::pair<std::uint32_t, std::uint32_t>, Change> changes;
    long compared = 0, equal = 0;
    for (int y = 0; y < height; ++y) {
        std::uint32_t* out = rowOf(difference.get(), y);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t pa = storedPixel(a.get(), x, y) & 0xffffff, pb = storedPixel(b.get(), x, y) & 0xffffff;
            const bool masked = covered[static_cast<size_t>(y) * width + x];
            out[x] = faded(pa, masked);
            if (masked) continue;
            ++compared;
            if (pa == pb) {
                ++equal;
                continue;
            }
            out[x] = 0xffff0000u;
            Change& change = changes[{pa, pb}];
            ++change.count;
            change.box = {std::min(change.box.left, x), std::min(change.box.top, y), std::max(change.box.right, x),
                          std::max(change.box.bottom, y)};
        }
    }
    const double percent = compared ? 100.0 * equal / compared : 0.0;
    std::printf("%ld of %ld unmasked pixels equal: %.3f %% (compared %d x %d)\n", equal, compared, percent, width,
                height);
    printChanges(changes);
    if (percent >= std::atof(argv[4])) return 0;
    cairo_surface_mark_dirty(difference.get());
    cairo_surface_write_to_png(difference.get(), argv[5]);
    std::printf("below %s %%: difference image %s\n", argv[4], argv[5]);
    return 1;
}
