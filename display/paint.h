// The form painting: the whole client area of a window repainted from
// nothing, with the arrangement of the spectrum but no spikes.
#pragma once

#include "platform/win32.h"

// Starts and ends a paint of window (Form1). modeNumber 1 draws the spectrum
// by key, any other value by chord; the background pen is screenHeight pixels
// wide, enough to cover the client area with one line.
void drawForm(HWND window, int modeNumber, int screenHeight);
