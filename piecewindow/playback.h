// Playing the piece. A MIDI file's channel messages go out on a MIDI stream
// (piece_stream.h), which times them itself; a window timer moves the cursor
// every frame to where the stream says it is. Without a synthesizer the
// cursor runs all the same on the clock, silently. The cursor scrolls the view
// to keep itself visible, and the main window follows the chord under it. A
// recording plays its own sound beside it (recording_playback.h), and then the
// cursor stands where the device is.
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
// The playback timer fell due: the cursor moves to where the piece is.
void playbackTick();
// Where the piece is now, in seconds: moving while it plays.
double playbackTime();
