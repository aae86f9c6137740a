// What the window sounds: "Enter" the notes just entered, a click on a spike
// its chord, while the Sound box is ticked. The synthesizer opens in the
// background after the first painting; until it has, the box is greyed out
// and clear, and it stays so when none could be opened. Each sound stops the
// one before and is released by the window timer ReleaseTimer after
// HoldMilliseconds.
#pragma once

#include "platform/win32.h"

inline constexpr UINT_PTR ReleaseTimer = 1;

// Greys the Sound box out and starts the synthesizer's open (midi/sound.h).
void startSound();
// SynthesizerOpened: the box ticked and usable, or, when the open failed, left
// greyed out with one line on standard error saying why.
void takeSynthesizerResult(WPARAM wParam, LPARAM lParam);
// "Enter": the notes of currentEntry in the order typed, the first as the bass.
void soundEntry();
// A named spike: its chord in root position; the root as the display counts
// it (A = 0).
void soundSpike(int chordType, int displayRoot);
// The Sound box clicked: cleared, it silences at once and nothing sounds
// until it is ticked again.
void soundSwitched();
// ReleaseTimer fell due: the keys are let go.
void releaseSound();
// Form1 is going: silence, and the synthesizer closed.
void endSound();
