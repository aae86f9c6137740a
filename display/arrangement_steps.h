// Steps that the two arrangements share (display/ internal).
#pragma once

#include "display/labels.h"

// 12 root labels of 2 characters in display order A .. G#.
inline constexpr char rootLabels[] = "A A#B C C#D D#E F F#G G#";
static_assert(labels::rootsInSlots(rootLabels, false));

// slotOriginX + s x slotPitch, kept at extended precision for the caller's offsets.
long double slotX(int s);

void clearPanelInside();
void drawMarker(float blankFrom, float blankTo, float markFrom, float markTo);
void drawTicks();
void drawGroupLines(int groupSize);
// Returns the x of the last mark drawn.
float drawStaircase(int groupSize, int lastPosition);
void setLabelStyle();
void clearColourTable();
void drawColourEntry(int i, const char* text, int length);
