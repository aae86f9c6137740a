// The drawing hooks of platform/headless/headless.h over the real Windows API,
// so that the canvas tests also run as a Windows program.
//
// Drawing is seen by standing in for the program's imports: the linker fills
// the __imp_ pointers of MoveToEx, LineTo and TextOutA (and of the calls that
// create, delete or size things) from this file rather than from the system's
// import libraries. Each stand-in notes the call and forwards it to the
// system's function. The pen, font and colours of a record are read back from
// the device context, as the system keeps them.
//
// Limits: only the hooks the canvas tests use. The screen size a test sets is
// what GetSystemMetrics reports, not the real screen's; reset leaves window
// classes registered (registering one again fails harmlessly).
#include "platform/headless/headless.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

struct Recorder {
    bool recording = false;
    int screenWidth = 0;   // 0: the real screen
    int screenHeight = 0;
    std::map<HDC, std::vector<DrawRecord>> lists;
    std::set<HGDIOBJ> live;   // pens and fonts created and not yet deleted
};

Recorder& recorder() {
    static Recorder instance;
    return instance;
}

template <typename Function>
Function systemFunction(const char* library, const char* name) {
    FARPROC found = GetProcAddress(GetModuleHandleA(library), name);
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

void record(HDC dc, DrawRecord::Kind kind, int x, int y, std::string text) {
    if (!recorder().recording) return;
    POINT device = {x, y};
    LPtoDP(dc, &device, 1);
    LOGPEN pen = {};
    GetObjectA(GetCurrentObject(dc, OBJ_PEN), sizeof pen, &pen);
    LOGFONTA font = {};
    GetObjectA(GetCurrentObject(dc, OBJ_FONT), sizeof font, &font);
    recorder().lists[dc].push_back({kind, static_cast<int>(device.x), static_cast<int>(device.y),
                                    static_cast<int>(pen.lopnWidth.x), pen.lopnColor, std::move(text),
                                    static_cast<int>(font.lfHeight), font.lfFaceName, GetTextColor(dc),
                                    GetBkColor(dc)});
}

HGDIOBJ created(HGDIOBJ object) {
    if (object) recorder().live.insert(object);
    return object;
}

BOOL WINAPI standInMoveToEx(HDC dc, int x, int y, LPPOINT previous) {
    static auto system = systemFunction<decltype(&MoveToEx)>("gdi32.dll", "MoveToEx");
    record(dc, DrawRecord::Kind::MoveTo, x, y, "");
    return system(dc, x, y, previous);
}

BOOL WINAPI standInLineTo(HDC dc, int x, int y) {
    static auto system = systemFunction<decltype(&LineTo)>("gdi32.dll", "LineTo");
    record(dc, DrawRecord::Kind::LineTo, x, y, "");
    return system(dc, x, y);
}

BOOL WINAPI standInTextOutA(HDC dc, int x, int y, LPCSTR text, int length) {
    static auto system = systemFunction<decltype(&TextOutA)>("gdi32.dll", "TextOutA");
    record(dc, DrawRecord::Kind::Text, x, y, std::string(text, length > 0 ? length : 0));
    return system(dc, x, y, text, length);
}

HPEN WINAPI standInCreatePen(int style, int width, COLORREF colour) {
    static auto system = systemFunction<decltype(&CreatePen)>("gdi32.dll", "CreatePen");
    return static_cast<HPEN>(created(system(style, width, colour)));
}

HFONT WINAPI standInCreateFontA(int height, int width, int escapement, int orientation, int weight,
                                DWORD italic, DWORD underline, DWORD strikeOut, DWORD charSet,
                                DWORD precision, DWORD clipPrecision, DWORD quality,
                                DWORD pitchAndFamily, LPCSTR face) {
    static auto system = systemFunction<decltype(&CreateFontA)>("gdi32.dll", "CreateFontA");
    return static_cast<HFONT>(created(system(height, width, escapement, orientation, weight, italic,
                                             underline, strikeOut, charSet, precision, clipPrecision,
                                             quality, pitchAndFamily, face)));
}

BOOL WINAPI standInDeleteObject(HGDIOBJ object) {
    static auto system = systemFunction<decltype(&DeleteObject)>("gdi32.dll", "DeleteObject");
    const BOOL deleted = system(object);
    if (deleted) recorder().live.erase(object);
    return deleted;
}

int WINAPI standInGetSystemMetrics(int index) {
    static auto system = systemFunction<decltype(&GetSystemMetrics)>("user32.dll", "GetSystemMetrics");
    if (index == SM_CXSCREEN && recorder().screenWidth) return recorder().screenWidth;
    if (index == SM_CYSCREEN && recorder().screenHeight) return recorder().screenHeight;
    return system(index);
}

BOOL CALLBACK destroyTopLevel(HWND window, LPARAM) {
    DestroyWindow(window);
    return TRUE;
}

}  // namespace

// The import pointers, under the names the compiler gives dllimport calls.
extern "C" {
decltype(&MoveToEx) moveToExImport asm("__imp__MoveToEx@16") = standInMoveToEx;
decltype(&LineTo) lineToImport asm("__imp__LineTo@12") = standInLineTo;
decltype(&TextOutA) textOutImport asm("__imp__TextOutA@20") = standInTextOutA;
decltype(&CreatePen) createPenImport asm("__imp__CreatePen@12") = standInCreatePen;
decltype(&CreateFontA) createFontImport asm("__imp__CreateFontA@56") = standInCreateFontA;
decltype(&DeleteObject) deleteObjectImport asm("__imp__DeleteObject@4") = standInDeleteObject;
decltype(&GetSystemMetrics) systemMetricsImport asm("__imp__GetSystemMetrics@4") = standInGetSystemMetrics;
}

namespace headless {

void setScreen(int width, int height) {
    recorder().screenWidth = width;
    recorder().screenHeight = height;
}

void reset() {
    EnumThreadWindows(GetCurrentThreadId(), destroyTopLevel, 0);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    }
    recorder().recording = false;
    recorder().lists.clear();
}

void recordDrawing(bool on) { recorder().recording = on; }

const std::vector<DrawRecord>& displayList(HDC dc) { return recorder().lists[dc]; }

void clearDisplayList(HDC dc) { recorder().lists[dc].clear(); }

int liveGdiObjects() { return static_cast<int>(recorder().live.size()); }

}  // namespace headless
