#include "form_fixture.h"

#include <cairo.h>
#include <unistd.h>

#include <cstdio>
#include <sstream>

#include "canvas/canvas.h"
#include "platform/headless/headless.h"
#include "shell/application.h"
#include "shell/form.h"

Pen pens::colour(int index) {
    static const COLORREF colours[12] = {
        RGB(0, 0, 0),     RGB(140, 90, 70),   RGB(234, 21, 85),   RGB(255, 186, 117),
        RGB(255, 255, 0), RGB(0, 255, 0),     RGB(90, 255, 255),  RGB(70, 70, 255),
        RGB(180, 0, 255), RGB(255, 128, 255), RGB(255, 255, 255), RGB(200, 200, 200)};
    return {3, colours[index]};
}

std::vector<Segment> segmentsOf(const std::vector<DrawRecord>& list) {
    std::vector<Segment> segments;
    int x = 0, y = 0;
    for (const DrawRecord& record : list) {
        if (record.kind == DrawRecord::Kind::LineTo)
            segments.push_back({x, y, record.x, record.y, record.penWidth, record.penColour});
        if (record.kind != DrawRecord::Kind::Text) {
            x = record.x;
            y = record.y;
        }
    }
    return segments;
}

std::vector<Segment> withPen(const std::vector<Segment>& segments, Pen pen) {
    std::vector<Segment> chosen;
    for (const Segment& segment : segments)
        if (segment.width == pen.width && segment.colour == pen.colour) chosen.push_back(segment);
    return chosen;
}

std::vector<DrawRecord> textsOf(const std::vector<DrawRecord>& list) {
    std::vector<DrawRecord> texts;
    for (const DrawRecord& record : list)
        if (record.kind == DrawRecord::Kind::Text) texts.push_back(record);
    return texts;
}

std::string describe(const std::vector<DrawRecord>& list) {
    std::ostringstream out;
    for (const DrawRecord& r : list)
        out << static_cast<int>(r.kind) << ' ' << r.x << ',' << r.y << " pen " << r.penWidth << '/'
            << r.penColour << " font " << r.fontHeight << r.fontFace << " colours " << r.textColour
            << '/' << r.backColour << " '" << r.text << "'\n";
    return out.str();
}

int px(double x) {
    return static_cast<int>(x * 10.24 + 0.5);
}

int py(double y) {
    return static_cast<int>(767.5 - y * 7.68);
}

void FormTest::openForm(int screenWidth, int screenHeight) {
    headless::reset();
    headless::setScreen(screenWidth, screenHeight);
    prepareApplication(GetModuleHandleA(nullptr));
    loadForm();
    headless::runUntilIdle();
    startRecording();
}

void FormTest::TearDown() {
    headless::recordDrawing(false);
    headless::reset();
}

void FormTest::startRecording() {
    headless::recordDrawing(true);
    headless::clearDisplayList(hpc);
}

const std::vector<DrawRecord>& FormTest::drawn() {
    return headless::displayList(hpc);
}

// The client area as a person sees it, read back from the screen picture.
ClientPicture FormTest::picture() {
    std::string path = "/tmp/display-test-" + std::to_string(getpid()) + ".png";
    EXPECT_TRUE(headless::savePng(path.c_str()));
    cairo_surface_t* image = cairo_image_surface_create_from_png(path.c_str());
    std::remove(path.c_str());
    RECT outer = {};
    GetWindowRect(Form1, &outer);
    ClientPicture picture;
    picture.width = outer.right - outer.left - 8;  // the frame: 4 pixels left, right and bottom, 20 on top
    picture.height = outer.bottom - outer.top - 24;
    picture.pixels.assign(picture.width * picture.height, 0xFFFFFFFF);
    if (cairo_surface_status(image) == CAIRO_STATUS_SUCCESS) {
        cairo_surface_flush(image);
        for (int y = 0; y < picture.height; y++)
            for (int x = 0; x < picture.width; x++) {
                int screenX = outer.left + 4 + x, screenY = outer.top + 20 + y;
                if (screenX >= cairo_image_surface_get_width(image) ||
                    screenY >= cairo_image_surface_get_height(image))
                    continue;
                const unsigned char* row =
                    cairo_image_surface_get_data(image) + screenY * cairo_image_surface_get_stride(image);
                auto pixel = *reinterpret_cast<const uint32_t*>(row + 4 * screenX);  // native-endian ARGB
                picture.pixels[y * picture.width + x] = RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
            }
    }
    cairo_surface_destroy(image);
    return picture;
}

COLORREF FormTest::pixelAt(int clientX, int clientY) {
    return picture().at(clientX, clientY);
}

std::string FormTest::windowText(HWND window) {
    char text[256] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}
