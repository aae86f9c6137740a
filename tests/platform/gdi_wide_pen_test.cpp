// The pixels of wide pens along the axes, as the Windows GDI draws them: the
// pen's band from point to point, joined with a round end at each point.
// The pictures (wide_pen_pictures.txt) were measured from the system's own drawing.
#include "pen_pictures.h"
#include "platform_fixture.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr COLORREF background = RGB(240, 240, 240);  // COLOR_BTNFACE
constexpr COLORREF ink = RGB(20, 40, 60);

// The pictures of wide_pen_pictures.txt, in its order.
std::vector<PenPicture> measuredPictures() {
    const char* source = std::getenv("TONVISOR_SOURCE_DIR");
    return readPenPictures(std::string(source ? source : ".") + "/tests/platform/wide_pen_pictures.txt");
}

class WidePens : public DrawingTest {
protected:
    void usePen(int width) { DrawingTest::usePen(width, ink); }
    char at(int x, int y) const {
        if (x < 0 || x >= 1024 || y < 0 || y >= 768) return '-';
        const COLORREF colour = pixel(window, x, y);
        return colour == ink ? '#' : colour == background ? '.' : '?';
    }
    // The picture's box with its first point at (x, y), as drawn (or as expected):
    // its rows one per line, '-' where they fall off the image.
    std::string box(const PenPicture& picture, int x, int y, bool asDrawn) const {
        std::string text;
        for (size_t row = 0; row < picture.rows.size(); ++row) {
            for (size_t column = 0; column < picture.rows[row].size(); ++column) {
                const int px = x - picture.originX + static_cast<int>(column);
                const int py = y - picture.originY + static_cast<int>(row);
                const char shown = at(px, py);
                text += asDrawn || shown == '-' ? shown : picture.rows[row][column];
            }
            text += '\n';
        }
        return text;
    }
    // The pixels 0, 1, 5 and 6 from (x, y), to the right or downwards.
    std::string across(int x, int y) const {
        return {at(x, y), at(x + 1, y), at(x + 5, y), at(x + 6, y)};
    }
    std::string down(int x, int y) const {
        return {at(x, y), at(x, y + 1), at(x, y + 5), at(x, y + 6)};
    }
};

TEST_F(WidePens, DrawTheMeasuredPixelsInEveryDirection) {
    const std::vector<PenPicture> measured = measuredPictures();
    ASSERT_GE(measured.size(), 10u) << "wide_pen_pictures.txt is missing or damaged";
    int slot = 0;
    for (const PenPicture& picture : measured) {
        const int x = 40 + slot % 12 * 60, y = 40 + slot / 12 * 60;
        ++slot;
        usePen(picture.width);
        line(x, y, x + picture.toX, y + picture.toY);
        EXPECT_EQ(box(picture, x, y, true), box(picture, x, y, false))
            << "width " << picture.width << " to " << picture.toX << ", " << picture.toY;
    }
}

TEST_F(WidePens, RoundEndsClipAtTheImageEdges) {
    const std::vector<PenPicture> measured = measuredPictures();
    ASSERT_GE(measured.size(), 2u);
    const PenPicture& point = measured.back();  // the widest round end
    const PenPicture& band = measured[1];       // a horizontal 2-pixel line
    usePen(point.width);
    const POINT corners[] = {{0, 0}, {1023, 0}, {0, 767}, {1023, 767}, {-3, 400}, {1026, 400}};
    for (POINT corner : corners) {
        line(corner.x, corner.y, corner.x, corner.y);
        EXPECT_EQ(box(point, corner.x, corner.y, true), box(point, corner.x, corner.y, false))
            << "at " << corner.x << ", " << corner.y;
    }
    usePen(band.width);
    line(3, 200, 3 + band.toX, 200);
    EXPECT_EQ(box(band, 3, 200, true), box(band, 3, 200, false));
}

TEST_F(WidePens, LongLinesAcrossTheImageKeepTheirWidth) {
    usePen(5);
    line(600, INT_MIN, 600, INT_MAX);
    line(INT_MAX, 100, INT_MIN, 100);
    for (int y : {0, 300, 767}) EXPECT_EQ(across(597, y), ".##.") << y;
    for (int x : {0, 300, 1023}) EXPECT_EQ(down(x, 97), ".##.") << x;
}

// The background pen, as high as the screen, across the image and ending
// inside it: its round end at (900, 383) shortens the columns beyond.
TEST_F(WidePens, AScreenHighPenEndsInAWideArc) {
    usePen(768);
    line(0, 383, 900, 383);
    struct Column { int x, top, bottom; };
    const Column columns[] = {{0, 0, 766},   {919, 0, 766}, {920, 0, 765}, {933, 0, 765},
                              {934, 1, 764}, {943, 1, 764}, {944, 2, 763}, {952, 3, 762}};
    for (const Column& column : columns) {
        EXPECT_EQ(at(column.x, column.top), '#') << column.x;
        EXPECT_EQ(at(column.x, column.bottom), '#') << column.x;
        EXPECT_EQ(at(column.x, column.top - 1), column.top == 0 ? '-' : '.') << column.x;
        EXPECT_EQ(at(column.x, column.bottom + 1), '.') << column.x;
    }

    usePen(INT_MAX);  // far wider than any image: covers it, and finishes
    line(500, 400, 500, 400);
    EXPECT_EQ(std::string() + at(0, 0) + at(1023, 0) + at(0, 767) + at(1023, 767), "####");
}

// Lines at other angles are not pinned to the pixel, but stay the pen's width
// about the segment between the points.
TEST_F(WidePens, SlantedLinesCoverThePenAroundTheSegment) {
    struct Slant { int width, x0, y0, x1, y1; };
    const Slant slants[] = {{5, 300, 300, 340, 320}, {5, 340, 420, 300, 400},
                            {8, 500, 300, 510, 360}, {3, 700, 300, 650, 340}};
    for (const Slant& slant : slants) {
        usePen(slant.width);
        line(slant.x0, slant.y0, slant.x1, slant.y1);
        const double dx = slant.x1 - slant.x0, dy = slant.y1 - slant.y0;
        const double half = slant.width / 2.0;
        const int left = std::min(slant.x0, slant.x1), right = std::max(slant.x0, slant.x1);
        const int top = std::min(slant.y0, slant.y1), bottom = std::max(slant.y0, slant.y1);
        for (int y = top - 10; y <= bottom + 10; ++y)
            for (int x = left - 10; x <= right + 10; ++x) {
                // From the pixel to the nearest point of the segment.
                const double along = std::clamp(
                    ((x - slant.x0) * dx + (y - slant.y0) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
                const double distance =
                    std::hypot(x - slant.x0 - along * dx, y - slant.y0 - along * dy);
                if (distance <= half - 1) {
                    EXPECT_EQ(at(x, y), '#') << x << ", " << y;
                }
                if (distance >= half + 1) {
                    EXPECT_EQ(at(x, y), '.') << x << ", " << y;
                }
            }
    }
}

}  // namespace
