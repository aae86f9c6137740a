// The headless screen's MIDI input devices: names that a test lists, and
// bytes that it hands in as if a device had sent them (headless.h). They take
// the system's place from the first setMidiDevices on, so a test sees only
// what it scripts. Bytes are delivered at once, on the test's thread.
#include "platform/headless/headless.h"
#include "platform/seam/core.h"
#include "platform/seam/midi_in_devices.h"

#include <algorithm>

namespace {

class FakePort;

struct FakeMidi {
    std::vector<std::string> present;
    std::vector<FakePort*> open;
};

FakeMidi* fakes = nullptr;  // owned by the core's MIDI input once installed

class FakePort final : public midiin::Port {
public:
    FakePort(std::string name, midiin::Receiver deliver)
        : device(std::move(name)), receiver(std::move(deliver)) {
        fakes->open.push_back(this);
    }
    ~FakePort() override { std::erase(fakes->open, this); }
    const std::string device;
    const midiin::Receiver receiver;
};

class FakeDevices final : public midiin::Devices {
public:
    std::vector<std::string> names() override { return state.present; }
    std::unique_ptr<midiin::Port> open(const std::string& name, midiin::Receiver receiver, midiin::LostNotice) override {
        if (std::find(state.present.begin(), state.present.end(), name) == state.present.end()) return nullptr;
        return std::make_unique<FakePort>(name, std::move(receiver));
    }
    bool receiveOnOtherThreads() const override { return false; }
    FakeMidi state;
};

}  // namespace

namespace headless {

void setMidiDevices(const std::vector<std::string>& names) {
    if (!fakes) {
        auto devices = std::make_unique<FakeDevices>();
        fakes = &devices->state;
        core::useMidiDevices(std::move(devices));
    }
    fakes->present = names;
}

void sendMidi(const char* device, const std::vector<unsigned char>& bytes) {
    if (!fakes || std::find(fakes->present.begin(), fakes->present.end(), device) == fakes->present.end())
        return;
    for (FakePort* port : std::vector<FakePort*>(fakes->open))
        if (port->device == device) port->receiver(bytes.data(), bytes.size());
}

}  // namespace headless

void Headless_resetMidi() {
    core::closeMidiInputs();
    core::closeMidiStreams();
    if (fakes) fakes->present.clear();
}
