// JACK's MIDI sources (midi_in_jack.h).
//
// The list comes from one client, opened with JackNoStartServer and never
// activated: listing ports needs no process thread. Each open source has a
// client of its own with one input port connected to the source; its process
// thread hands the bytes on, and JACK tells it when the connection goes (the
// port-connect callback: a source that quits takes its connections with it,
// however soon a new one takes its name) and when the server stops (the
// shutdown callback). Both callbacks run on JACK's threads.
//
// A client whose server has stopped is never closed: libjack crashes in
// jack_client_close or jack_port_unregister on it, and offers no call that
// frees it safely. Such a client, and what its callbacks reach, is left
// behind on purpose, a few hundred bytes per server that stopped; a new
// client connects to the next server that runs.
#include "platform/drivers/rtmidi/midi_in_jack.h"

#include <jack/jack.h>
#include <jack/midiport.h>

#include <atomic>
#include <mutex>

namespace midiin {
namespace {

void quiet(const char*) {}

void silenceJack() {
    static std::once_flag once;
    std::call_once(once, [] {
        jack_set_error_function(quiet);
        jack_set_info_function(quiet);
    });
}

struct JackLister {
    jack_client_t* client = nullptr;
    std::atomic<bool> serverGone{false};
};

JackLister& lister = *new JackLister;  // never destroyed: JACK may call in at exit

bool connectLister() {
    silenceJack();
    if (lister.client && lister.serverGone) lister.client = nullptr;  // left behind (above)
    if (lister.client) return true;
    lister.client = jack_client_open("tonvisor-devices", JackNoStartServer, nullptr);
    if (!lister.client) return false;
    lister.serverGone = false;
    jack_on_shutdown(lister.client, [](void*) { lister.serverGone = true; }, nullptr);
    return true;
}

// What JACK's threads reach of an open source.
struct Reception {
    Receiver receiver;
    LostNotice lost;
    jack_client_t* client = nullptr;
    jack_port_t* port = nullptr;
    std::atomic<bool> serverGone{false};
    std::atomic<bool> closing{false};
    std::atomic<bool> told{false};

    void lose() {
        if (!closing && !told.exchange(true)) lost();
    }
};

int receive(jack_nframes_t frames, void* data) {
    auto& reception = *static_cast<Reception*>(data);
    void* buffer = jack_port_get_buffer(reception.port, frames);
    const jack_nframes_t count = jack_midi_get_event_count(buffer);
    for (jack_nframes_t i = 0; i < count; ++i) {
        jack_midi_event_t event;
        if (jack_midi_event_get(&event, buffer, i) == 0) reception.receiver(event.buffer, event.size);
    }
    return 0;
}

// Our port is connected to the source alone, so any disconnection of it is the loss.
void connectionChanged(jack_port_id_t a, jack_port_id_t b, int connected, void* data) {
    auto& reception = *static_cast<Reception*>(data);
    if (connected) return;
    if (jack_port_by_id(reception.client, a) == reception.port || jack_port_by_id(reception.client, b) == reception.port)
        reception.lose();
}

void serverStopped(void* data) {
    auto& reception = *static_cast<Reception*>(data);
    reception.serverGone = true;
    reception.lose();
}

class JackSource final : public Port {
public:
    explicit JackSource(std::unique_ptr<Reception> reception) : reception_(std::move(reception)) {}
    ~JackSource() override {
        reception_->closing = true;
        if (reception_->serverGone) {
            (void)reception_.release();  // left behind with its client (above)
            return;
        }
        jack_client_close(reception_->client);
    }
    Reception& reception() { return *reception_; }

private:
    std::unique_ptr<Reception> reception_;
};

}  // namespace

std::vector<std::string> jackMidiSources() {
    std::vector<std::string> sources;
    if (!connectLister()) return sources;
    const char** ports = jack_get_ports(lister.client, nullptr, JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput);
    for (const char** port = ports; port && *port; ++port) sources.emplace_back(*port);
    jack_free(ports);
    return sources;
}

std::unique_ptr<Port> openJackSource(const std::string& source, Receiver receiver, LostNotice lost) {
    silenceJack();
    jack_client_t* client = jack_client_open("tonvisor", JackNoStartServer, nullptr);
    if (!client) return nullptr;
    auto reception = std::make_unique<Reception>();
    reception->receiver = std::move(receiver);
    reception->lost = std::move(lost);
    reception->client = client;
    auto input = std::make_unique<JackSource>(std::move(reception));
    Reception& opened = input->reception();
    opened.port = jack_port_register(client, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    if (!opened.port || jack_set_process_callback(client, receive, &opened) != 0 ||
        jack_set_port_connect_callback(client, connectionChanged, &opened) != 0)
        return nullptr;
    jack_on_shutdown(client, serverStopped, &opened);
    if (jack_activate(client) != 0 || jack_connect(client, source.c_str(), jack_port_name(opened.port)) != 0)
        return nullptr;
    return input;
}

}  // namespace midiin
