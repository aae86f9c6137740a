// Playing the piece: the window's own sequencer. A window timer sends the
// piece's channel messages through midiOutShortMsg when their time comes
// (the timer is set for the next message, and at least every frame, so the
// cursor moves smoothly; messages closer together than the shortest timer,
// 10 ms, may go out up to that late); without a synthesizer the cursor runs all the same,
// silently. The cursor scrolls the view to keep itself visible, and the main
// window follows the chord under it. A recording plays its own sound beside
// it (recording_playback.h), and then the cursor stands where the device is.
#pragma once

#include "platform/win32.h"

inline constexpr UINT FrameMilliseconds = 16;  // 60 frames a second, near enough

// From the cursor on. Controllers and programs set before the cursor are sent
// first, so that every channel sounds as it would have by then.
void startPlaying();
// Stops where it is: the cursor stays, every channel falls silent.
void pausePlaying();
// Stops and goes back to the start: every channel silent.
void stopPlaying();
// Space: playing pauses, anything else plays.
void togglePlaying();
// The playback timer fell due: sends what is due and moves the cursor.
void playbackTick();
// Where the piece is now, in seconds: moving while it plays.
double playbackTime();
