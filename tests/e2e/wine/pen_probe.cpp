// Draws the pictures of tests/platform/wide_pen_pictures.txt with the system's
// GDI and checks that its pixels are the ones the file holds, so that the
// pictures the Linux layer is tested against stay the system's own.
// Each line is drawn alone on a white window and read back with GetPixel.
//   pen_probe.exe PICTURES      exit status 0 when every picture matches
#include <windows.h>

#include "tests/platform/pen_pictures.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

HWND whiteWindow() {
    WNDCLASSA windowClass{};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "PenProbe";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "PenProbe", "Pen probe", WS_POPUP | WS_VISIBLE, 0, 0, 200,
                                  200, nullptr, nullptr, windowClass.hInstance, nullptr);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    return window;
}

// The picture's rows as the system draws its line with the first point at (x, y).
std::vector<std::string> draw(HDC dc, const PenPicture& picture, int x, int y) {
    const RECT all{0, 0, 200, 200};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    HPEN pen = CreatePen(PS_SOLID, picture.width, RGB(0, 0, 0));
    HGDIOBJ previous = SelectObject(dc, pen);
    MoveToEx(dc, x, y, nullptr);
    LineTo(dc, x + picture.toX, y + picture.toY);
    SelectObject(dc, previous);
    DeleteObject(pen);
    GdiFlush();
    std::vector<std::string> rows;
    for (size_t row = 0; row < picture.rows.size(); ++row) {
        rows.emplace_back();
        for (size_t column = 0; column < picture.rows[row].size(); ++column) {
            const COLORREF colour = GetPixel(dc, x - picture.originX + static_cast<int>(column),
                                             y - picture.originY + static_cast<int>(row));
            rows.back() += colour == RGB(0, 0, 0) ? '#' : colour == RGB(255, 255, 255) ? '.' : '?';
        }
    }
    return rows;
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<PenPicture> pictures = readPenPictures(argc > 1 ? argv[1] : "");
    if (pictures.empty()) {
        std::printf("no pictures in %s\n", argc > 1 ? argv[1] : "(no file given)");
        return 1;
    }
    HWND window = whiteWindow();
    HDC dc = GetDC(window);
    int differing = 0;
    for (const PenPicture& picture : pictures) {
        const std::vector<std::string> drawn = draw(dc, picture, 100, 100);
        if (drawn == picture.rows) continue;
        ++differing;
        std::printf("pen %d to %d %d at %d %d draws\n", picture.width, picture.toX, picture.toY,
                    picture.originX, picture.originY);
        for (const std::string& row : drawn) std::printf("%s\n", row.c_str());
    }
    ReleaseDC(window, dc);
    DestroyWindow(window);
    std::printf("%zu pictures, %d drawn otherwise\n", pictures.size(), differing);
    return differing == 0 ? 0 : 1;
}
