// Watching the keyboards for a window: the device scan every 2 s, the keys
// that arrive as MM_MIM_DATA, and the chord they settle into. The window's
// procedure hands its MM_MIM_DATA and WM_TIMER messages to
// handleKeyboardMessage, and its MM_MIM_CLOSE, which tells of an input lost
// while open (closed at the next scan); the watch tells its owner through two
// routines when a chord was played (with the chord) and when keyboards were
// opened or closed (Keyboards). The owner chooses the two timers' ids, so that
// they cannot meet its own. Times come from GetTickCount, the clock the
// timers run on.
#pragma once

#include "analysis/pitch_set.h"
#include "platform/win32.h"

inline constexpr UINT KeyboardScanPeriod = 2000;

struct KeyboardWatchTimers {
    UINT_PTR settle;  // the held keys may have settled
    UINT_PTR scan;    // the next device scan
};

struct KeyboardWatchRecord {
    HWND window;
    KeyboardWatchTimers timers;
    void (*chordPlayed)(const PitchSet& chord);
    void (*keyboardsChanged)();
};

extern KeyboardWatchRecord KeyboardWatch;

// Back to the start: nothing watched, open or held (it closes nothing).
void resetKeyboardWatch();
// The first scan comes firstScanDelay milliseconds from now.
void startKeyboardWatch(HWND window, KeyboardWatchTimers timers, UINT firstScanDelay,
                        void (*chordPlayed)(const PitchSet& chord), void (*keyboardsChanged)());
// MM_MIM_DATA, MM_MIM_CLOSE and the watch's two timers; false for any other message.
bool handleKeyboardMessage(UINT message, WPARAM wParam, LPARAM lParam);
// Every keyboard closed, no more timers.
void stopKeyboardWatch();
