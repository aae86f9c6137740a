// The platform tests' logging window class, windows and pixel access.
#include "platform_fixture.h"

#include "platform/seam/core.h"
#include "tests/support/pixels.h"

std::vector<LoggedMessage> PlatformTest::log;
bool PlatformTest::validateOnPaint = true;

namespace {

LRESULT CALLBACK loggingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    PlatformTest::log.push_back(LoggedMessage{window, message, wParam, lParam, GetTickCount()});
    if (message == WM_PAINT && !PlatformTest::validateOnPaint) return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void PlatformTest::SetUp() {
    headless::reset();
    log.clear();
    validateOnPaint = true;
    WNDCLASSA windowClass{};
    windowClass.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = loggingProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "Logging";
    ASSERT_NE(RegisterClassA(&windowClass), 0);
}

void PlatformTest::TearDown() { headless::reset(); }

HWND PlatformTest::makeWindow(int width, int height, DWORD style) {
    return CreateWindowExA(0, "Logging", "Test", style, 0, 0, width, height, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

HWND PlatformTest::makeControl(const char* className, HWND parent, int id, int x, int y, DWORD style) {
    return CreateWindowExA(0, className, "", style, x, y, 60, 20, parent,
                           reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)),
                           GetModuleHandleA(nullptr), nullptr);
}

std::vector<LoggedMessage> PlatformTest::received(UINT message) const {
    std::vector<LoggedMessage> found;
    for (const LoggedMessage& entry : log)
        if (entry.message == message) found.push_back(entry);
    return found;
}

COLORREF PlatformTest::pixel(HWND window, int x, int y) const {
    return pixelAt(core::backingImage(window), x, y).colourref();
}
