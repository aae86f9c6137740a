// The window procedure of Form1.
#pragma once

#include "platform/win32.h"

LRESULT CALLBACK formProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
