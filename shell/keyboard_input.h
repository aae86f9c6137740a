// Keyboards played into Form1: the watch (midi/keyboard_watch.h) started just
// after start-up, so the first frame never waits for the first device scan; a
// chord played is shown as an entry (showPitchSet) with its lowest key as the bass,
// and the status text beside "Enter" says which keyboards are open.
#pragma once

#include "platform/win32.h"

inline constexpr UINT FirstScanDelay = 200;  // milliseconds after start-up

// Once Form1 is shown.
void startWatchingKeyboards();
// Form1 is going: every keyboard closed.
void stopWatchingKeyboards();
