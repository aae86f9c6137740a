// Playing a recording: its own samples, streamed from the file through the
// wave output in a few short buffers refilled as the device hands each back
// (MM_WOM_DONE on the piece window), so memory does not grow with the
// recording's length; a live session's sound, kept in memory
// (piece.samples), is queued from there the same way. Where it is comes from the device (waveOutGetPosition)
// plus the sample playing started from. Without a device it plays nothing,
// and standard error says why, once; the cursor then runs on the clock.
#pragma once

#include "platform/win32.h"

// From `time` on (seconds). After a pause at the same place the device goes
// on where it stopped; anywhere else it is reset and refilled from there.
// False when nothing sounds (no device, the file unreadable).
bool playRecordingFrom(double time);
// Holds the device where it is; playing again at the same place goes on.
void pauseRecording();
// Lets the device and the file go.
void stopRecording();
// The device handed a buffer back: refilled with what follows and queued again.
void recordingBufferDone(WAVEHDR* header);
// Seconds into the recording the device has played; true while it is open.
bool recordingPosition(double& seconds);
