// A MIDI keyboard for the end-to-end tests: a JACK client with one MIDI
// output port, NAME:out, that plays a fixed script once something listens.
//
//   test_keyboard NAME          C E G held; sustain pedal down, the keys let go
//                               (one by note-on with velocity 0), pedal up; then
//                               E G C an inversion higher on channel 2; released.
//   test_keyboard NAME --hold   C E G, then it exits with the keys still held,
//                               as a keyboard that is unplugged.
//   ... --listeners N           waits for N connections instead of one.
//   ... --wait SECONDS          waits that long for them instead of 20 s.
//   ... --stay                  after playing, stays until its server stops
//                               (at most 30 s) or is stopped, as a keyboard
//                               left plugged in.
//
// It plays 200 ms after the last connection comes, and says on standard error
// how long the connections took. It never starts a JACK server (JACK_DEFAULT_SERVER names the one to
// use), and exits 0 when it has played, 2 when too few connected, 1 without a
// server. Each chord is held 300 ms, far longer than the program waits for a
// chord to settle.
#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/ringbuffer.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <thread>

namespace {

using std::chrono::milliseconds;

jack_port_t* output;
jack_ringbuffer_t* pending;  // whole 3-byte messages, from main() to the process thread
std::atomic<bool> serverGone{false};

int process(jack_nframes_t frames, void*) {
    void* buffer = jack_port_get_buffer(output, frames);
    jack_midi_clear_buffer(buffer);
    unsigned char message[3];
    while (jack_ringbuffer_read_space(pending) >= sizeof message) {
        jack_ringbuffer_read(pending, reinterpret_cast<char*>(message), sizeof message);
        jack_midi_event_write(buffer, 0, message, sizeof message);
    }
    return 0;
}

void send(std::initializer_list<std::initializer_list<unsigned char>> messages, int holdMs) {
    for (auto message : messages) {
        unsigned char bytes[3];
        std::copy(message.begin(), message.end(), bytes);
        jack_ringbuffer_write(pending, reinterpret_cast<const char*>(bytes), sizeof bytes);
    }
    std::this_thread::sleep_for(milliseconds(holdMs));
}

bool waitForListeners(int count, int seconds) {
    const auto start = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(seconds)) {
        if (jack_port_connected(output) >= count) {
            const auto waited = std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start);
            std::fprintf(stderr, "test_keyboard: listened to after %lld ms\n", static_cast<long long>(waited.count()));
            return true;
        }
        std::this_thread::sleep_for(milliseconds(10));
    }
    return false;
}

void play(bool hold) {
    constexpr unsigned char on = 0x90, off = 0x80, controller = 0xB0, channel2 = 1;
    constexpr unsigned char c4 = 60, e4 = 64, g4 = 67, c5 = 72, sustain = 64;
    send({{on, c4, 100}, {on, e4, 100}, {on, g4, 100}}, 300);
    if (hold) return;
    send({{controller, sustain, 127}}, 50);
    send({{off, c4, 64}, {on, e4, 0}, {off, g4, 64}}, 300);
    send({{controller, sustain, 0}}, 50);
    send({{on | channel2, e4, 90}, {on | channel2, g4, 90}, {on | channel2, c5, 90}}, 300);
    send({{off | channel2, e4, 64}, {on | channel2, g4, 0}, {off | channel2, c5, 64}}, 0);
}

// Until the process thread has taken everything, and a few periods more for it to arrive.
void drain() {
    while (jack_ringbuffer_read_space(pending) > 0) std::this_thread::sleep_for(milliseconds(5));
    std::this_thread::sleep_for(milliseconds(50));
}

}  // namespace

int main(int argc, char** argv) {
    bool hold = false, stay = false;
    int listeners = 1, seconds = 20;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--hold") == 0)
            hold = true;
        else if (std::strcmp(argv[i], "--stay") == 0)
            stay = true;
        else if (std::strcmp(argv[i], "--listeners") == 0 && i + 1 < argc)
            listeners = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--wait") == 0 && i + 1 < argc)
            seconds = std::atoi(argv[++i]);
        else
            listeners = 0;
    }
    if (argc < 2 || listeners < 1 || seconds < 1) {
        std::fputs("usage: test_keyboard NAME [--hold] [--stay] [--listeners N] [--wait SECONDS]\n", stderr);
        return 64;
    }
    const auto options = static_cast<jack_options_t>(JackNoStartServer | JackUseExactName);
    jack_client_t* client = jack_client_open(argv[1], options, nullptr);
    if (!client) {
        std::fputs("test_keyboard: no JACK server\n", stderr);
        return 1;
    }
    pending = jack_ringbuffer_create(4096);
    output = jack_port_register(client, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    jack_set_process_callback(client, process, nullptr);
    jack_on_shutdown(client, [](void*) { serverGone = true; }, nullptr);
    if (!output || jack_activate(client) != 0) return 1;
    if (!waitForListeners(listeners, seconds)) {
        std::fputs("test_keyboard: too few listeners connected to the port\n", stderr);
        return 2;
    }
    // A moment as a person takes between plugging in and playing: the
    // listener starts its input right after connecting.
    std::this_thread::sleep_for(milliseconds(200));
    play(hold);
    drain();
    if (stay) {
        for (int tries = 0; tries < 3000 && !serverGone; ++tries) std::this_thread::sleep_for(milliseconds(10));
        if (serverGone) return 0;  // nothing to close with the server gone
    }
    jack_client_close(client);
    jack_ringbuffer_free(pending);
    return 0;
}
