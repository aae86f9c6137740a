// What the window sounds: "Enter" the notes just entered, a click on a spike
// its chord, while the Sound box is ticked. The synthesizer opens on a thread
// of its own, OpenDelay after the form is shown: by then the Linux screen has
// shown the first frame, which loading FluidSynth and the soundfont would
// otherwise slow. Until the open has answered the box is greyed out and
// clear, and it stays so when none could be opened. Each sound stops the one
// before and is released by the window timer ReleaseTimer after
// HoldMilliseconds. A synthesizer that stops by itself (its sound server
// stopped) greys the box out again with one line on standard error, and is
// opened again every ReopenDelay until one answers; the box then comes back
// as the person left it.
#pragma once

#include "platform/win32.h"
#include "shell/window_ids.h"

inline constexpr UINT OpenDelay = 250;     // milliseconds
inline constexpr UINT ReopenDelay = 2000;  // as often as keyboards are looked for

// Greys the Sound box out and sets OpenTimer.
void startSound();
// A timer fell due: OpenTimer starts the synthesizer's open (midi/sound.h),
// ReleaseTimer lets the keys go. False for a timer that is not the sound's.
bool soundTimerDue(UINT_PTR timer);
// SynthesizerOpened: the box ticked and usable, or, when the open failed, left
// greyed out with one line on standard error saying why.
void takeSynthesizerResult(WPARAM wParam, LPARAM lParam);
// MM_MOM_CLOSE: false unless it tells that the synthesizer stopped by itself.
bool soundClosed(WPARAM wParam);
// "Enter": the notes of the entry just taken in, as the analysis took them,
// the bass lowest.
void soundEntry();
// A named spike: its chord in root position; the root as the display counts
// it (A = 0).
void soundSpike(int chordType, int displayRoot);
// The Sound box clicked: cleared, it silences at once and nothing sounds
// until it is ticked again.
void soundSwitched();
// Form1 is going: silence, and the synthesizer closed.
void endSound();
