// JACK's MIDI sources (midi_in_jack.h).
//
// One client, opened with JackNoStartServer and never activated: listing
// ports needs no process thread. JACK calls its shutdown handler when the
// server goes, on a thread of its own; the next listing then closes it and
// tries a new one. Without a server, trying costs a few milliseconds.
#include "platform/drivers/rtmidi/midi_in_jack.h"

#include <jack/jack.h>

#include <atomic>

namespace midiin {
namespace {

struct JackLister {
    jack_client_t* client = nullptr;
    std::atomic<bool> serverGone{false};
};

JackLister& lister = *new JackLister;  // never destroyed: JACK may call in at exit

void quiet(const char*) {}

bool connect() {
    static const bool silenced = (jack_set_error_function(quiet), jack_set_info_function(quiet), true);
    (void)silenced;
    if (lister.client && lister.serverGone) {
        jack_client_close(lister.client);
        lister.client = nullptr;
    }
    if (lister.client) return true;
    lister.client = jack_client_open("tonvisor-devices", JackNoStartServer, nullptr);
    if (!lister.client) return false;
    lister.serverGone = false;
    jack_on_shutdown(lister.client, [](void*) { lister.serverGone = true; }, nullptr);
    return true;
}

}  // namespace

std::vector<std::string> jackMidiSources() {
    std::vector<std::string> sources;
    if (!connect()) return sources;
    const char** ports = jack_get_ports(lister.client, nullptr, JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput);
    for (const char** port = ports; port && *port; ++port) sources.emplace_back(*port);
    jack_free(ports);
    return sources;
}

}  // namespace midiin
