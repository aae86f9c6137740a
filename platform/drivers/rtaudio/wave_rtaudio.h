// PulseAudio's and ALSA's default devices over RtAudio: "PulseAudio" (the
// sound server's default source or sink, whatever the desktop chose) and
// "ALSA default" (ALSA's "default" PCM, which converts rates itself).
//
// RtAudio reports trouble on a stream's own thread through one error
// callback for the whole process, without saying which stream: the stream
// whose callback last ran on that thread is the one, and it is reported
// lost. Limits: the ALSA half is untried with a real card, and PulseAudio
// with a real server: the machine this was written on has neither.
#pragma once

#include "platform/seam/wave_devices.h"

namespace wave {

inline constexpr const char* PulseDeviceName = "PulseAudio";
inline constexpr const char* AlsaDeviceName = "ALSA default";

// Whether a PulseAudio server (PipeWire's too) can be reached: its socket
// exists (PULSE_SERVER's, else the one in XDG_RUNTIME_DIR).
bool pulsePresent();
// Whether ALSA has a sound card.
bool alsaPresent();
// pulse: PulseAudio, else ALSA's default. Opens and starts; nullptr on failure.
std::unique_ptr<Stream> openRtAudio(bool pulse, bool input, Format format, Capture capture, Render render,
                                    Lost lost);

}  // namespace wave
