// Watching the keyboards for a window: the device scan every 2 s, the keys
// that arrive as MM_MIM_DATA, and the chord they settle into. The window's
// procedure hands its MM_MIM_DATA and WM_TIMER messages to
// handleKeyboardMessage, and its MM_MIM_CLOSE, which tells of an input lost
// while open (closed at the next scan); the watch tells its owner through two routines when
// a chord has settled (HeldNotes.chordNotes and chordBass) and when keyboards
// were opened or closed (Keyboards). Times come from GetTickCount, the clock
// the timers run on.
#pragma once

#include "platform/win32.h"

inline constexpr UINT_PTR ChordSettleTimer = 2;
inline constexpr UINT_PTR KeyboardScanTimer = 3;
inline constexpr UINT KeyboardScanPeriod = 2000;

struct KeyboardWatchRecord {
    HWND window;
    void (*chordPlayed)();
    void (*keyboardsChanged)();
};

extern KeyboardWatchRecord KeyboardWatch;

// Back to the start: nothing watched, open or held (it closes nothing).
void resetKeyboardWatch();
// The first scan comes firstScanDelay milliseconds from now.
void startKeyboardWatch(HWND window, UINT firstScanDelay, void (*chordPlayed)(), void (*keyboardsChanged)());
// MM_MIM_DATA, MM_MIM_CLOSE and the watch's two timers; false for any other message.
bool handleKeyboardMessage(UINT message, WPARAM wParam, LPARAM lParam);
// Every keyboard closed, no more timers.
void stopKeyboardWatch();
