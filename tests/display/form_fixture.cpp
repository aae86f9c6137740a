// The display tests' form, display-list readers and pen lookup.
#include "form_fixture.h"

#include <sstream>

#include "canvas/canvas.h"
#include "display/pens.h"
#include "platform/seam/core.h"
#include "platform/headless/headless.h"
#include "shell/application.h"
#include "shell/form.h"
#include "tests/support/pixels.h"

Pen pens::of(int index) {
    for (const PenSpec& pen : penTable)
        if (pen.index == index) return {pen.width, RGB(pen.r, pen.g, pen.b)};
    ADD_FAILURE() << "no pen " << index;
    return {};
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
    return static_cast<int>(x * GetSystemMetrics(SM_CXSCREEN) / 100.0 + 0.5);
}

int py(double y) {
    const int height = GetSystemMetrics(SM_CYSCREEN);
    return static_cast<int>(height - 0.5 - y * height / 100.0);
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

FormTest::Selection FormTest::probeSelection() {
    startRecording();
    plot(20.0f, 20.0f, 3);
    plot(30.0f, 20.0f, 4);
    textat(20.0f, 20.0f, "probe", 5);
    return {drawn().at(1), drawn().at(2)};
}

COLORREF FormTest::pixelAt(int clientX, int clientY) {
    cairo_surface_t* image = core::backingImage(Form1);
    if (!image || !inside(image, clientX, clientY)) return 0xFFFFFFFF;
    return ::pixelAt(image, clientX, clientY).colourref();
}
