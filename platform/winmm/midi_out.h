// What MIDI streams (midi_stream.cpp) share with MIDI output (midi_out.cpp):
// the one synthesizer that midiOutOpen opened, and the log of what it played.
#pragma once

#include "platform/win32.h"

namespace winmm {

// Plays a channel message on the open synthesizer and logs it, as
// midiOutShortMsg does; false when no synthesizer is open or the message is
// not a channel message. Safe on any thread.
bool playOnSynthesizer(DWORD message);

// The open synthesizer's clock of rendered samples, in milliseconds
// (synth.h's renderedClock); false when none is open or it plays silently.
bool synthesizerClock(unsigned* milliseconds);
// Plays the message when that clock reaches `at`, logged now; false as above.
bool playOnSynthesizerAt(DWORD message, unsigned at);
// Every message still waiting for its time on that clock is dropped.
void dropTimedMessages();

}  // namespace winmm
