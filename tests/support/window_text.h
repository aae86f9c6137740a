// A window's or control's text as GetWindowTextA gives it (up to 255 bytes),
// for tests that check what a field shows.
#pragma once

#include <string>

#include "platform/win32.h"

inline std::string textOf(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}
