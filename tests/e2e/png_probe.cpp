// Reads colours out of a screenshot for the end-to-end scripts.
//   png_probe FILE pixel X Y       prints "R G B" of one pixel
//   png_probe FILE row Y X0 X1     prints each run of one colour along a row:
//                                  "FIRST LAST R G B", one line per run
//   png_probe FILE count X0 Y0 X1 Y1 R G B
//                                  prints how many pixels of the rectangle
//                                  (corners included) have that colour
//   png_probe FILE darkest X0 Y0 X1 Y1
//                                  prints "R G B" of the rectangle's darkest
//                                  pixel (the least sum of the three)
// Exit status 2 on a file that cannot be read or a point outside the image.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/support/pixels.h"

namespace {

int printRuns(cairo_surface_t* image, int y, int x0, int x1) {
    if (!inside(image, x0, y) || !inside(image, x1, y) || x1 < x0) return 2;
    int first = x0;
    Rgb colour = pixelAt(image, x0, y);
    for (int x = x0 + 1; x <= x1 + 1; ++x) {
        if (x <= x1 && pixelAt(image, x, y) == colour) continue;
        std::printf("%d %d %d %d %d\n", first, x - 1, colour.r, colour.g, colour.b);
        if (x <= x1) {
            first = x;
            colour = pixelAt(image, x, y);
        }
    }
    return 0;
}

int countColour(cairo_surface_t* image, char** corners, char** rgb) {
    const int x0 = std::atoi(corners[0]), y0 = std::atoi(corners[1]);
    const int x1 = std::atoi(corners[2]), y1 = std::atoi(corners[3]);
    if (!inside(image, x0, y0) || !inside(image, x1, y1) || x1 < x0 || y1 < y0) return 2;
    const Rgb wanted{std::atoi(rgb[0]), std::atoi(rgb[1]), std::atoi(rgb[2])};
    long count = 0;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) count += pixelAt(image, x, y) == wanted;
    std::printf("%ld\n", count);
    return 0;
}

int printDarkest(cairo_surface_t* image, char** corners) {
    const int x0 = std::atoi(corners[0]), y0 = std::atoi(corners[1]);
    const int x1 = std::atoi(corners[2]), y1 = std::atoi(corners[3]);
    if (!inside(image, x0, y0) || !inside(image, x1, y1) || x1 < x0 || y1 < y0) return 2;
    Rgb darkest = pixelAt(image, x0, y0);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (const Rgb colour = pixelAt(image, x, y); colour.r + colour.g + colour.b < darkest.r + darkest.g + darkest.b)
                darkest = colour;
    std::printf("%d %d %d\n", darkest.r, darkest.g, darkest.b);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr,
                     "usage: png_probe FILE pixel X Y | row Y X0 X1 | count X0 Y0 X1 Y1 R G B | darkest X0 Y0 X1 Y1\n");
        return 2;
    }
    const Image image = readPng(argv[1]);
    if (!loaded(image)) {
        std::fprintf(stderr, "png_probe: cannot read %s\n", argv[1]);
        return 2;
    }
    const std::string command = argv[2];
    if (command == "pixel") {
        const int x = std::atoi(argv[3]), y = std::atoi(argv[4]);
        if (!inside(image.get(), x, y)) return 2;
        const Rgb colour = pixelAt(image.get(), x, y);
        std::printf("%d %d %d\n", colour.r, colour.g, colour.b);
        return 0;
    }
    if (command == "count" && argc == 10) return countColour(image.get(), argv + 3, argv + 7);
    if (command == "darkest" && argc == 7) return printDarkest(image.get(), argv + 3);
    if (command == "row" && argc == 6) return printRuns(image.get(), std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
    std::fprintf(stderr, "png_probe: unknown command %s\n", argv[2]);
    return 2;
}
