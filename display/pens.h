// The pen table of the form painting: each pen's slot in hPen, width and
// colour. Every painting makes the pens afresh from it; pen 0, as wide as the
// screen is high, is made separately, and the panel fill (1) and the eraser
// (5) grow wider on tall screens (paint.cpp).
#pragma once

struct PenSpec {
    int index;
    int width;
    int r, g, b;
};

inline constexpr PenSpec penTable[] = {
    {1, 5, 65, 170, 130},   {2, 5, 255, 255, 0},   {3, 5, 190, 190, 190},  {4, 1, 0, 120, 120},
    {5, 5, 50, 140, 140},   {6, 1, 210, 210, 210}, {7, 2, 90, 90, 90},     {8, 2, 255, 255, 255},
    {9, 2, 180, 180, 180},  {20, 3, 0, 0, 0},      {21, 3, 140, 90, 70},   {22, 3, 234, 21, 85},
    {23, 3, 255, 186, 117}, {24, 3, 255, 255, 0},  {25, 3, 0, 255, 0},     {26, 3, 90, 255, 255},
    {27, 3, 70, 70, 255},   {28, 3, 180, 0, 255},  {29, 3, 255, 128, 255}, {30, 3, 255, 255, 255},
    {31, 3, 200, 200, 200},
};
