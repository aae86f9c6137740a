// What the MIDI-in calls (midi_in.cpp) need from a source of input devices:
// the system's (midi_in_system.cpp, over RtMidi) or, in tests, the headless
// screen's fakes. The program never includes this file.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace midiin {

// One short message (1 to 3 bytes, status byte first) from an open device.
using Receiver = std::function<void(const unsigned char* bytes, std::size_t count)>;
// Called at most once, on any thread, when an open device is lost while it
// is open: its source went away (even if one of the same name came back) or
// its server stopped. The port then receives nothing more.
using LostNotice = std::function<void()>;

// An open device. Destroying it closes it, without calling into a server
// that has gone; its receiver and notice are never called afterwards.
struct Port {
    virtual ~Port() = default;
};

struct Devices {
    virtual ~Devices() = default;
    // The devices present now, by name: at most 31 characters (they become
    // MIDIINCAPSA::szPname), no two alike, and the same for a device each time
    // it is present, so that a device plugged in again is known by its name.
    virtual std::vector<std::string> names() = 0;
    // The device of that name, opened; nullptr when it is gone or cannot be
    // opened. Devices that cannot tell when they are lost never call lost.
    virtual std::unique_ptr<Port> open(const std::string& name, Receiver receiver, LostNotice lost) = 0;
    // Whether receivers are called on threads of the devices' own.
    virtual bool receiveOnOtherThreads() const = 0;
};

// The system's devices: the ALSA sequencer's, then JACK's.
std::unique_ptr<Devices> systemDevices();

}  // namespace midiin

namespace core {

// From now on the MIDI input devices come from here (nullptr: the system's
// again). Every open input is closed first, without MM_MIM_CLOSE.
void useMidiDevices(std::unique_ptr<midiin::Devices> devices);
// Close every open input without MM_MIM_CLOSE (between tests).
void closeMidiInputs();

}  // namespace core
