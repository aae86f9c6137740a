// Where the program puts things on a screen of WIDTH x HEIGHT pixels, worked
// out independently of the program's code for the end-to-end scripts. Plot
// units are hundredths of the screen, y upward; results are client pixels.
//   geometry WIDTH HEIGHT point X Y      prints "COLUMN ROW" of a plot point
//   geometry WIDTH HEIGHT slot S         prints the column of spike slot S
//   geometry WIDTH HEIGHT layout FX FY FW FH
//                                        prints "X Y WIDTH HEIGHT" in pixels of a
//                                        box laid out in fractions of half the screen
//   geometry WIDTH HEIGHT font SIZE      prints a font's cell height in pixels
//   geometry WIDTH HEIGHT slotclicks S   prints "FIRST LAST": the client columns
//                                        where a click names slot S
//   geometry WIDTH HEIGHT clickrows      prints "FIRST LAST": the client rows
//                                        where a click names a slot at all
// A click is measured from the outer edges of the window, which the platform
// layer puts 4 pixels left of the client area and 4 below it.
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

constexpr int frameLeft = 4, frameBottom = 4;

// The slot that a click at a client column names; -1 where it names none.
int clickedSlot(const Screen& screen, int clientColumn) {
    const int clickX = clientColumn + frameLeft;
    const float x = static_cast<float>((clickX + 3) / static_cast<long double>(screen.scaleX()));
    if (!(x > 10.2f && x < 90.0f)) return -1;
    const float pitch = static_cast<float>((89.0L - 10.2L) / 131.0L);
    return static_cast<int>((static_cast<long double>(x) - 10.2f) / pitch - 0.5);
}

bool clickAccepted(const Screen& screen, int clientRow) {
    const int clientHeight = laidOut("0.932", screen.height);
    const int clickY = clientHeight + frameBottom - clientRow;
    const float y = static_cast<float>(clickY / static_cast<long double>(screen.scaleY()));
    return y > 45.0f && y < 86.5f;
}

template <typename Test>
void printRange(int limit, Test inside) {
    int first = -1, last = -1;
    for (int i = 0; i < limit; ++i)
        if (inside(i)) {
            if (first < 0) first = i;
            last = i;
        }
    std::printf("%d %d\n", first, last);
}

float plotValue(const char* text) { return static_cast<float>(std::strtod(text, nullptr)); }

int usage() {
    std::fprintf(stderr,
                 "usage: geometry WIDTH HEIGHT point X Y | slot S | layout FX FY FW FH | font SIZE |"
                 " slotclicks S | clickrows\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) return usage();
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
    } else if (command == "slotclicks" && argc == 5) {
        const int slot = std::atoi(argv[4]);
        printRange(screen.width, [&](int column) { return clickedSlot(screen, column) == slot; });
    } else if (command == "clickrows") {
        printRange(screen.height, [&](int row) { return clickAccepted(screen, row); });
    } else {
        return usage();
    }
    return 0;
}
