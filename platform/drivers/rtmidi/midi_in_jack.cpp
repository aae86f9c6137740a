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
// A client whose server has stopped is never touched again: libjack frees it
// itself when the next client opens, so a later jack_port_unregister or
// jack_client_close on it crashes, and no call frees it safely before. What
// its callbacks reach is left behind on purpose, a few hundred bytes per
// server that stopped; a new client connects to the next server that runs.
// Whichever client of the process notices first tells all (jack_server.h).
#include "platform/drivers/rtmidi/midi_in_jack.h"

#include "platform/drivers/jack/jack_server.h"

#include <jack/jack.h>
#include <jack/midiport.h>

#include <atomic>

namespace midiin {
namespace {

struct JackLister {
    jack_client_t* client = nullptr;
    unsigned generation = 0;
    std::atomic<bool> serverGone{false};
};

JackLister& lister = *new JackLister;  // never destroyed: JACK may call in at exit

bool connectLister() {
    jackserver::silenceJack();
    if (lister.client && lister.serverGone) lister.client = nullptr;  // left behind (above)
    if (lister.client) return true;
    const unsigned generation = jackserver::generation();
    lister.client = jack_client_open("tonvisor-devices", JackNoStartServer, nullptr);
    if (!lister.client) return false;
    lister.generation = generation;
    lister.serverGone = false;
    jackserver::watch([] { lister.serverGone = true; });
    jack_on_shutdown(lister.client, [](void*) { jackserver::serverStopped(lister.generation); }, nullptr);
    return true;
}

// What JACK's threads reach of an open source.
struct Reception {
    Receiver receiver;
    LostNotice lost;
    jack_client_t* client = nullptr;
    jack_port_t* port = nullptr;
    unsigned generation = 0;
    int watchKey = -1;
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

void serverStopped(void* data) { jackserver::serverStopped(static_cast<Reception*>(data)->generation); }

class JackSource final : public Port {
public:
    explicit JackSource(std::unique_ptr<Reception> reception) : reception_(std::move(reception)) {}
    ~JackSource() override {
        reception_->closing = true;
        if (reception_->serverGone) {
            (void)reception_.release();  // left behind with its client (above)
            return;
        }
        jackserver::forget(reception_->watchKey);
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
    jackserver::silenceJack();
    const unsigned generation = jackserver::generation();
    jack_client_t* client = jack_client_open("tonvisor", JackNoStartServer, nullptr);
    if (!client) return nullptr;
    auto reception = std::make_unique<Reception>();
    reception->receiver = std::move(receiver);
    reception->lost = std::move(lost);
    reception->client = client;
    reception->generation = generation;
    auto input = std::make_unique<JackSource>(std::move(reception));
    Reception& opened = input->reception();
    opened.watchKey = jackserver::watch([&opened] {
        opened.serverGone = true;
        opened.lose();
    });
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
