// Per-call cost of drawing into a 1920 x 1080 backing image: a 3-pixel line
// across the panel, and one 26-character TextOutA.
#include "platform/headless/headless.h"
#include "platform/win32.h"

#include <benchmark/benchmark.h>

namespace {

LRESULT CALLBACK plainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

// A shown window with a 1920 x 1080 client area and its own DC.
HDC fullHdDc() {
    headless::reset();
    headless::setScreen(1928, 1104);
    WNDCLASSA windowClass{};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = plainProcedure;
    windowClass.lpszClassName = "Bench";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "Bench", "", WS_POPUP | WS_VISIBLE, 0, 0, 1920 + 8, 1080 + 24,
                                  nullptr, nullptr, nullptr, nullptr);
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    EndPaint(window, &paint);
    return dc;
}

void WideLineAcrossThePanel(benchmark::State& state) {
    HDC dc = fullHdDc();
    HPEN pen = CreatePen(PS_SOLID, 3, RGB(0, 120, 120));
    SelectObject(dc, pen);
    for (auto _ : state) {
        MoveToEx(dc, 196, 540, nullptr);
        benchmark::DoNotOptimize(LineTo(dc, 1709, 540));
    }
}
BENCHMARK(WideLineAcrossThePanel);

void TextOf26Characters(benchmark::State& state) {
    HDC dc = fullHdDc();
    HFONT font = CreateFontA(21, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_TT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Arial");
    SelectObject(dc, font);
    SetTextColor(dc, RGB(190, 190, 100));
    SetBkColor(dc, RGB(50, 140, 140));
    for (auto _ : state)
        benchmark::DoNotOptimize(TextOutA(dc, 820, 540, "Click on a spectral spike.", 26));
}
BENCHMARK(TextOf26Characters);

}  // namespace
