// Every timer id and private message number of the program's windows, in one
// place so that no two share a number. The shell hands the keyboard watch and
// the synthesizer's open (midi/) the ones they use; they name no number of
// their own.
#pragma once

#include "platform/win32.h"

// Timers (SetTimer's id).
inline constexpr UINT_PTR ReleaseTimer = 1;       // the sounding chord's keys are let go
inline constexpr UINT_PTR ChordSettleTimer = 2;   // the held keys may have settled into a chord
inline constexpr UINT_PTR KeyboardScanTimer = 3;  // the next look for keyboards
inline constexpr UINT_PTR OpenTimer = 4;          // the synthesizer's open starts
inline constexpr UINT_PTR ListenInputTimer = 5;   // tonvisor-cli --listen looks at standard input
inline constexpr UINT_PTR AudioScanTimer = 6;     // the next look for the audio input
inline constexpr UINT_PTR PlaybackTimer = 7;      // the piece window's playing cursor, on the piece window
inline constexpr UINT_PTR SessionTimer = 8;       // the live session's clock moves on

// Messages posted to Form1.
// The synthesizer's open has answered: wParam the MMRESULT, lParam the
// HMIDIOUT (null unless the result is MMSYSERR_NOERROR).
inline constexpr UINT SynthesizerOpened = WM_APP + 1;
