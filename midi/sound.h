// The sound: one synthesizer, reached through the Windows MIDI calls, and the
// chord it is sounding. General MIDI piano on the first channel.
//
// openSynthesizer touches no state, so it may run on any thread; the window
// has it run on a thread of its own (openSynthesizerFor), whose result
// reaches the window as a message the window chooses. The other functions keep
// Sound and belong to the thread that owns the window. When to release
// (HoldMilliseconds after the chord began) is the caller's business.
#pragma once

#include "midi/voicing.h"
#include "platform/win32.h"

inline constexpr int SoundChannel = 0;
inline constexpr int PianoProgram = 0;   // General MIDI's Acoustic Grand Piano
inline constexpr int SoundVelocity = 90;
inline constexpr int HoldMilliseconds = 1500;

// Whom the open's thread tells, and with which message (the owner's choice):
// wParam the MMRESULT, lParam the HMIDIOUT (null unless the result is
// MMSYSERR_NOERROR).
struct SynthesizerRequest {
    HWND window;
    UINT openedMessage;
};

struct SoundState {
    HMIDIOUT synthesizer;  // null while none is open
    Voicing sounding;      // the keys held now; count 0 when none
};

extern SoundState Sound;

// Opens the system's synthesizer and selects the piano. Returns
// MMSYSERR_NOERROR and the handle, or the error (midiOutGetErrorTextA says
// why) and a null handle. A window given receives MM_MOM_CLOSE when the
// synthesizer is closed, and on Linux also when it stops playing while open
// (its sound server stopped): synthesizerLost tells which.
MMRESULT openSynthesizer(HMIDIOUT* synthesizer, HWND window = nullptr);

// A thread procedure (CreateThread) for the SynthesizerRequest given as its
// parameter, which it reads at once: runs openSynthesizer and posts the
// request's message to its window; if the window has gone by then, it closes
// what it opened. Nothing need wait for it, so a program may end while it runs.
DWORD WINAPI openSynthesizerFor(LPVOID request);

// The synthesizer that the open's message brought becomes Sound's; returns
// the open's result.
MMRESULT takeSynthesizer(WPARAM wParam, LPARAM lParam);

// Stops whatever sounds (all notes off), then sounds the voicing's keys
// together. Nothing happens without a synthesizer.
void soundVoicing(const Voicing& voicing);

// Releases the keys that soundVoicing started.
void releaseVoicing();

// Cuts off whatever sounds at once (all sound off), release tails included.
void silenceSound();

// Silences and closes the synthesizer at once.
void closeSound();

// MM_MOM_CLOSE for Sound's synthesizer, which then stopped playing by itself:
// it is closed, and true returned. False for one closed already.
bool synthesizerLost(WPARAM synthesizer);
