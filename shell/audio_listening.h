// Listening in Form1: the "Listen" box, clear at start (no microphone is
// opened until the person asks), the audio input's status beside it, and
// the chords heard shown as if they had been entered (the spikes, the
// recognised notes and the chord's name). The box is greyed out while no
// input device is there; ticked, the input is opened as soon as one is.
#pragma once

#include "platform/win32.h"

inline constexpr UINT FirstAudioScanDelay = 300;  // milliseconds after start-up

// Once Form1 is shown.
void startListening();
// The Listen box clicked.
void listenSwitched();
// Form1 is going: the input closed.
void stopListening();
