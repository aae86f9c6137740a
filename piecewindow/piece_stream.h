// Playing a MIDI file's messages on a MIDI stream: the device, not a window
// timer, times each event, to the millisecond (a tick of 1 ms), so notes meant
// together go out together. The whole rest of the piece is queued at once, in
// buffers under the device's 64 KB limit; where it is comes from the stream's
// position. Without a stream (no synthesizer, or none opens) nothing sounds
// and the caller runs the cursor on the clock.
#pragma once

#include <cstddef>

// The channel state that piece.messages before `first` set (programs,
// controllers, pressure, bends) at once, then the messages from `first` on at
// their times after `startTime` (seconds). False when no stream opened;
// standard error says why.
bool playStreamFrom(std::size_t first, double startTime);
// Seconds the stream has played since it started; false when none is open.
bool streamPosition(double& seconds);
// Holds the stream where it is: its position stays.
void pauseStream();
// Stops the stream, every note off, and lets it go.
void closeStream();
