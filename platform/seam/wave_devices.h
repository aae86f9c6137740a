// What the wave audio calls (wave_in.cpp, wave_out.cpp) need from a source of
// audio devices: the system's (drivers/rtaudio, over RtAudio and JACK) or, in
// tests, the headless screen's fakes. The program never includes this file.
//
// A stream runs from the moment it is opened until it is destroyed; the
// calls above it start, stop and pause by what they hand over. Samples are
// floats at full scale 1.0, interleaved, at exactly the rate and channel
// count asked for: a device that runs at another rate is resampled by its
// driver.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace wave {

struct Format {
    unsigned rate;      // frames a second
    unsigned channels;  // 1 or 2
};

// Frames that an input captured.
using Capture = std::function<void(const float* samples, std::size_t frames)>;
// Frames for an output to play: all of them are written (silence where
// nothing is to be played).
using Render = std::function<void(float* samples, std::size_t frames)>;
// The device or its server has gone: called once, on any thread, and no
// capture or render follows.
using Lost = std::function<void()>;

// An open stream. Destroying it closes it: no callback runs afterwards.
struct Stream {
    virtual ~Stream() = default;
    // Output: frames rendered that the listener has not yet heard (the
    // device's latency as it reports it).
    virtual std::size_t pendingFrames() = 0;
};

struct Devices {
    virtual ~Devices() = default;
    // The devices present now, by name: at most 31 characters, no two alike,
    // the same each time the device is present. The first is the default,
    // which WAVE_MAPPER opens.
    virtual std::vector<std::string> inputs() = 0;
    virtual std::vector<std::string> outputs() = 0;
    // The device of that name, opened and running; nullptr when it is gone or
    // cannot be opened in that format.
    virtual std::unique_ptr<Stream> openInput(const std::string& name, Format format, Capture capture,
                                              Lost lost) = 0;
    virtual std::unique_ptr<Stream> openOutput(const std::string& name, Format format, Render render,
                                               Lost lost) = 0;
    // Whether the callbacks run on threads of the devices' own.
    virtual bool callOnOtherThreads() const = 0;
};

// The system's devices: PulseAudio's, JACK's and ALSA's default devices.
std::unique_ptr<Devices> systemDevices();

}  // namespace wave

namespace core {

// From now on the audio devices come from here (nullptr: the system's
// again). Every open input and output is closed first, without messages.
void useWaveDevices(std::unique_ptr<wave::Devices> devices);
// Close every open input and output without messages (between tests).
void closeWaveStreams();

}  // namespace core
