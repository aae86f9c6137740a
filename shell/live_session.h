// The live session from Form1's side (session/session.h): the keys played
// and the input heard go into it as they come, a timer on Form1 moves its
// clock on while it runs, and the piece window shows it. The piece window
// opens on the session by itself as the session starts (the Listen box
// ticked, or the first key played), unless it shows a piece from a file: its
// Session button switches to the session then.
#pragma once

#include "analysis/pitch_set.h"
#include "piece/timeline.h"
#include "platform/win32.h"

inline constexpr UINT SessionFrameMilliseconds = 100;

// Before Form1 is shown: no session yet.
void prepareLiveSession();
// Once Form1 is shown: heard blocks reach the session.
void startLiveSession();
// The piece window's host: the session as it is now; null before it starts.
const Piece* currentLiveSession(bool* full);
// The Listen box's state changed.
void sessionListenSwitched(bool on);
// A chord the input heard, with the listen watch's time.
void sessionChordHeard(const PitchSet& chord, double watchTime);
// MM_MIM_DATA once the keyboard watch has taken it.
void sessionKeyboardData(HMIDIIN input, DWORD message);
// The held keys settled into a chord.
void sessionChordHeld(const PitchSet& chord);
// WM_TIMER: true when it was the session's.
bool sessionTimerDue(WPARAM timer);
