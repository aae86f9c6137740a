// Keyboards played into Form1: the device scan every 2 s (the first one just
// after start-up, so the first frame never waits for it), the keys that
// arrive as MM_MIM_DATA, and the chord they settle into, taken in as an entry.
// The status text under the spectrograph says which keyboards are open.
#pragma once

#include "platform/win32.h"

inline constexpr UINT_PTR ChordSettleTimer = 2;
inline constexpr UINT_PTR KeyboardScanTimer = 3;
inline constexpr UINT FirstScanDelay = 200;   // milliseconds after start-up
inline constexpr UINT KeyboardScanPeriod = 2000;

// Once Form1 is shown.
void startWatchingKeyboards();
// MM_MIM_DATA and the two timers; returns false for any other message.
bool handleKeyboardMessage(UINT message, WPARAM wParam, LPARAM lParam);
// Form1 is going: every keyboard closed, no more timers.
void stopWatchingKeyboards();
