// JACK's audio devices, by a client of our own for each stream (RtAudio's
// JACK API writes to standard error and closes its client from a thread of
// its own when the server goes, racing the program's close).
//
// The one JACK device is the server's physical ports ("system"): an input
// takes the first capture port, and anything another client connects to its
// port ("Tonvisor-in:in_1"); an output plays into the first two playback
// ports from "Tonvisor-out:left" and ":right". Streams run at the requested
// rate, resampled to and from the server's. Every client is opened with
// JackNoStartServer. When the server goes, JACK's shutdown handler reports
// the stream lost, and the client is left alone from then on: nothing calls
// into a client whose server has gone.
#pragma once

#include "platform/seam/wave_devices.h"

namespace wave {

inline constexpr const char* JackDeviceName = "JACK";

// Whether a server runs with physical capture (input) or playback ports.
bool jackDevicePresent(bool input);
std::unique_ptr<Stream> openJackInput(Format format, Capture capture, Lost lost);
std::unique_ptr<Stream> openJackOutput(Format format, Render render, Lost lost);

}  // namespace wave
