// The audio input listened to: the system's default input device (WAVE_MAPPER),
// opened only while the person asks for it, its buffers kept queued, and what
// a short status text says about it.
//
// Like the keyboards, the input is looked for every so often: the default
// device's name is taken again, and an input whose device has gone, or
// whose buffer came back short while listening (the device stopped, as a
// lost device does), is closed quietly; the watch opens it again once the
// device is back.
#pragma once

#include "platform/win32.h"

inline constexpr int ListenRate = 22050;        // samples a second, mono, 16 bits
inline constexpr int ListenBufferCount = 8;
inline constexpr int ListenBufferFrames = 512;  // 23 ms each
inline constexpr int AudioStatusCapacity = 24 + MAXPNAMELEN;

struct AudioInputRecord {
    HWAVEIN input;                 // open and started, or nullptr
    bool present;                  // a default input device exists
    char deviceName[MAXPNAMELEN];  // its name, when present
    WAVEHDR headers[ListenBufferCount];
    short samples[ListenBufferCount][ListenBufferFrames];
};

extern AudioInputRecord AudioInput;

// Nothing open (between tests; it closes nothing).
void resetAudioInput();
// Looks at the devices again; returns whether what the status says changed.
bool scanAudioInput();
// Opens the default device into the window and starts it; false when it
// cannot be opened now.
bool openAudioInput(HWND window);
// Quietly: stopped, every buffer taken back, closed.
void closeAudioInput();
// An MM_WIM_DATA: the samples of a full buffer (count 0 for a buffer of an
// input no longer open). The buffer is queued again; false when the input
// has stopped and should be closed.
bool takeAudioBuffer(HWAVEIN input, WAVEHDR* header, const short** samples, int* count);
// "Audio in: none" or "Audio in: default (NAME)".
void describeAudioInput(char (&text)[AudioStatusCapacity]);
