// Where the program puts things on a screen of WIDTH x HEIGHT pixels, worked
// out independently of the program's code for the end-to-end scripts. Plot
// units are hundredths of the screen, y upward; results are client pixels.
//   geometry WIDTH HEIGHT point X Y      prints "COLUMN ROW" of a plot point
//   geometry WIDTH HEIGHT slot S         prints the column of spike slot S
//   geometry WIDTH HEIGHT layout FX FY FW FH
//                                        prints "X Y WIDTH HEIGHT" in pixels of a
//                                        box laid out in fractions of half the screen
//   geometry WIDTH HEIGHT font SIZE      prints a font's cell height in pixels
// The arithmetic is the program's: extended precision, float state, double
// constants, truncation toward zero.
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Screen {
    int width, height;
    float scaleX() const { return static_cast<float>(0.01f * static_cast<long double>(width)); }
    float scaleY() const { return static_cast<float>(0.01f * static_cast<long double>(height)); }
    float deviceBottom() const { return static_cast<float>(height - 0.5L); }
};

int column(const Screen& screen, float x) {
    return static_cast<int>(static_cast<long double>(x) * screen.scaleX() + 0.5L);
}

int row(const Screen& screen, float y) {
    return static_cast<int>(screen.deviceBottom() - static_cast<long double>(y) * screen.scaleY());
}

float slotX(int slot) {
    const float pitch = static_cast<float>((89.0L - 10.2L) / 131.0L);
    return static_cast<float>(slot * static_cast<long double>(pitch) + 10.2);
}

// A double constant times half the screen size, in layout units of 2 pixels.
int laidOut(const char* fraction, int screenSize) {
    const float half = 0.5f * static_cast<float>(screenSize);
    return 2 * static_cast<int>(static_cast<long double>(std::strtod(fraction, nullptr)) * half);
}

float plotValue(const char* text) { return static_cast<float>(std::strtod(text, nullptr)); }

int usage() {
    std::fprintf(stderr,
                 "usage: geometry WIDTH HEIGHT point X Y | slot S | layout FX FY FW FH | font SIZE\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) return usage();
    const Screen screen{std::atoi(argv[1]), std::atoi(argv[2])};
    const std::string command = argv[3];
    if (command == "point" && argc == 6) {
        std::printf("%d %d\n", column(screen, plotValue(argv[4])), row(screen, plotValue(argv[5])));
    } else if (command == "slot" && argc == 5) {
        std::printf("%d\n", column(screen, slotX(std::atoi(argv[4]))));
    } else if (command == "layout" && argc == 8) {
        std::printf("%d %d %d %d\n", laidOut(argv[4], screen.width), laidOut(argv[5], screen.height),
                    laidOut(argv[6], screen.width), laidOut(argv[7], screen.height));
    } else if (command == "font" && argc == 5) {
        std::printf("%d\n", static_cast<int>(std::atoi(argv[4]) * static_cast<long double>(screen.deviceBottom()) / 500.0));
    } else {
        return usage();
    }
    return 0;
}
