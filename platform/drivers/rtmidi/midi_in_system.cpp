// The system's MIDI input devices: the ALSA sequencer's (USB keyboards) over
// RtMidi, then JACK's over clients of our own (midi_in_jack.cpp).
//
// RtMidi's ALSA API throws where there is no /dev/snd/seq, and asking it for
// no particular API throws too, so ALSA is tried only where the sequencer
// device can be opened. Every JACK client uses JackNoStartServer.
// Names (midi_in_names.h): ALSA's without the numbers RtMidi appends and
// without a repeated client name, JACK's the full port names. Limits: ALSA's
// "Midi Through" loop-back and system ports are left out; a device that both
// ALSA and JACK offer (PipeWire's bridge) is listed twice; an ALSA input is
// not told lost (RtMidi gives no notice of it): a keyboard that leaves is
// closed when its name is no longer listed. The ALSA half is untried with a
// real device: the machine it was written on has none.
#include "platform/seam/midi_in_devices.h"
#include "platform/drivers/rtmidi/midi_in_jack.h"
#include "platform/drivers/rtmidi/midi_in_names.h"

#include <RtMidi.h>

#include <map>
#include <set>
#include <unistd.h>

namespace midiin {
namespace {

// What a name in the list stands for: the port as listed (ALSA's without
// numbers), and which of equally named ports it is.
struct Source {
    RtMidi::Api api;
    std::string port;
    int occurrence;
};

void ignoreErrors(RtMidiError::Type, const std::string&, void*) {}

class AlsaPort final : public Port {
public:
    explicit AlsaPort(Receiver receiver) : receiver_(std::move(receiver)), input_(RtMidi::LINUX_ALSA, "tonvisor") {
        input_.setErrorCallback(ignoreErrors);
    }
    // Opens the occurrence-th port whose listed name, made stable, is port.
    bool open(const Source& source) {
        int seen = 0;
        for (unsigned int i = 0; i < input_.getPortCount(); ++i) {
            if (stableAlsaName(input_.getPortName(i)) != source.port || seen++ != source.occurrence) continue;
            input_.setCallback(&AlsaPort::onMessage, this);
            input_.openPort(i, "in");
            return input_.isPortOpen();
        }
        return false;
    }

private:
    static void onMessage(double, std::vector<unsigned char>* bytes, void* self) {
        static_cast<AlsaPort*>(self)->receiver_(bytes->data(), bytes->size());
    }
    Receiver receiver_;
    RtMidiIn input_;  // declared last: closed, its thread stopped, before the receiver goes
};

class SystemDevices final : public Devices {
public:
    std::vector<std::string> names() override {
        sources_.clear();
        std::vector<std::string> listed;
        if (RtMidiIn* alsa = alsaLister())
            for (unsigned int i = 0; i < alsa->getPortCount(); ++i)
                if (std::string stable = stableAlsaName(alsa->getPortName(i)); !stable.empty())
                    add(listed, Source{RtMidi::LINUX_ALSA, stable, 0}, shortAlsaName(stable));
        for (const std::string& port : jackMidiSources()) add(listed, Source{RtMidi::UNIX_JACK, port, 0}, port);
        return listed;
    }

    std::unique_ptr<Port> open(const std::string& name, Receiver receiver, LostNotice lost) override {
        const auto found = sources_.find(name);
        if (found == sources_.end()) return nullptr;
        if (found->second.api == RtMidi::UNIX_JACK)
            return openJackSource(found->second.port, std::move(receiver), std::move(lost));
        try {
            auto port = std::make_unique<AlsaPort>(std::move(receiver));
            return port->open(found->second) ? std::move(port) : nullptr;
        } catch (const RtMidiError&) {
            return nullptr;
        }
    }

    bool receiveOnOtherThreads() const override { return true; }

private:
    // Kept once made: ALSA's list needs its client.
    RtMidiIn* alsaLister() {
        if (alsa_ || access("/dev/snd/seq", R_OK | W_OK) != 0) return alsa_.get();
        try {
            alsa_ = std::make_unique<RtMidiIn>(RtMidi::LINUX_ALSA, "tonvisor-devices");
            alsa_->setErrorCallback(ignoreErrors);
        } catch (const RtMidiError&) {
        }
        return alsa_.get();
    }

    void add(std::vector<std::string>& listed, Source source, const std::string& name) {
        for (const auto& [given, earlier] : sources_)
            if (earlier.api == source.api && earlier.port == source.port) ++source.occurrence;
        listed.push_back(unusedName(name, std::set<std::string>(listed.begin(), listed.end())));
        sources_[listed.back()] = source;
    }

    std::unique_ptr<RtMidiIn> alsa_;
    std::map<std::string, Source> sources_;  // the last list's names
};

}  // namespace

std::unique_ptr<Devices> systemDevices() { return std::make_unique<SystemDevices>(); }

}  // namespace midiin
