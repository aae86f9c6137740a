// What a device context drew, in device coordinates, with the state in effect.
// Tests assert on it; antialiasing and font rendering cannot change it.
#pragma once

#include "platform/win32.h"

#include <string>

struct DrawRecord {
    enum class Kind { MoveTo, LineTo, Text } kind;
    int x, y;                            // device coordinates of the call
    int penWidth; COLORREF penColour;    // the pen in effect
    std::string text;                    // Text: exactly the characters drawn (the given length)
    int fontHeight; std::string fontFace;  // the font in effect
    COLORREF textColour, backColour;
};
