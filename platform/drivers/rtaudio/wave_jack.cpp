// JACK streams of our own (wave_jack.h).
//
// The lister is one client, never activated, that notices its server going
// and connects again when one runs. A stream's client runs a process
// callback on JACK's thread; what it hands over is resampled there into
// buffers sized once, before the client is activated, for the longest
// period a server runs with (MostFrames): nothing is allocated or replaced
// while the callback may run. A longer period is answered with silence.
#include "platform/drivers/rtaudio/wave_jack.h"

#include "platform/drivers/jack/jack_server.h"
#include "platform/drivers/rtaudio/resampler.h"

#include <jack/jack.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <mutex>

namespace wave {
namespace {

constexpr jack_nframes_t MostFrames = 8192;

struct Lister {
    std::mutex lock;
    jack_client_t* client = nullptr;
    std::atomic<bool> serverGone{false};
    unsigned generation = 0;
};

// A client's shutdown tells every client of its generation (jack_server.h);
// the generation travels as the callback's argument, so a client left behind
// after its stream has gone never reads freed memory.
void tellServerStopped(jack_client_t* client, unsigned generation) {
    jack_on_shutdown(
        client,
        [](void* told) { jackserver::serverStopped(static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(told))); },
        reinterpret_cast<void*>(static_cast<std::uintptr_t>(generation)));
}

Lister& lister = *new Lister;  // never destroyed: JACK may call in at exit

// The first physical port of that direction; empty without a server.
std::string physicalPort(jack_client_t* client, bool capture) {
    const char** ports = jack_get_ports(client, nullptr, JACK_DEFAULT_AUDIO_TYPE,
                                        JackPortIsPhysical | (capture ? JackPortIsOutput : JackPortIsInput));
    std::string first = ports && ports[0] ? ports[0] : "";
    std::string second = ports && ports[0] && ports[1] ? ports[1] : "";
    jack_free(ports);
    return capture || second.empty() ? first : first + '\n' + second;
}

struct JackStream final : Stream {
    JackStream(Format wanted, Capture capture, Render render, Lost lost)
        : format(wanted), onCapture(std::move(capture)), onRender(std::move(render)), onLost(std::move(lost)) {}
    ~JackStream() override {
        if (watchKey >= 0) jackserver::forget(watchKey);  // before the lock, which the watch takes
        std::lock_guard hold(lock);
        closing = true;
        if (client && !serverGone) jack_client_close(client);  // waits for the process callback to end
    }

    std::size_t pendingFrames() override {
        std::lock_guard hold(lock);
        if (!client || serverGone || ports.empty()) return 0;
        jack_latency_range_t range;
        jack_port_get_latency_range(ports[0], JackPlaybackLatency, &range);
        const double serverFrames = range.max + jack_get_buffer_size(client) + queued.load() / 2;
        return static_cast<std::size_t>(serverFrames * format.rate / jack_get_sample_rate(client));
    }

    bool open(bool input);
    void size();
    void process(jack_nframes_t frames);
    void captureFrames(jack_nframes_t frames);
    void renderFrames(jack_nframes_t frames);

    const Format format;
    const Capture onCapture;
    const Render onRender;
    const Lost onLost;

    std::mutex lock;  // the program's thread against JACK's shutdown thread
    jack_client_t* client = nullptr;
    std::vector<jack_port_t*> ports;
    bool closing = false;
    bool serverGone = false;
    int watchKey = -1;  // the watch on this client's generation

    // The process callback's own, sized by size() before it runs.
    std::unique_ptr<Resampler> resampler;
    std::vector<float> source, converted, fifo;
    std::atomic<std::size_t> queued{0};  // samples in fifo
};

void JackStream::size() {
    const jack_nframes_t period = MostFrames;
    const unsigned serverRate = jack_get_sample_rate(client);
    const bool input = onCapture != nullptr;
    resampler = input ? std::make_unique<Resampler>(serverRate, format.rate, format.channels)
                      : std::make_unique<Resampler>(format.rate, serverRate, 2);
    const std::size_t sourceFrames = input ? period : static_cast<std::size_t>(
        static_cast<double>(period) * format.rate / serverRate) + 2;
    source.assign(sourceFrames * (input ? format.channels : 2), 0.0f);
    converted.clear();
    converted.reserve(resampler->mostOut(sourceFrames) * (input ? format.channels : 2));
    fifo.clear();
    fifo.reserve(2 * (period + resampler->mostOut(sourceFrames)) * 2);
    queued = 0;
}

void JackStream::captureFrames(jack_nframes_t frames) {
    const float* in = static_cast<const float*>(jack_port_get_buffer(ports[0], frames));
    for (jack_nframes_t i = 0; i < frames; ++i)
        for (unsigned c = 0; c < format.channels; ++c) source[i * format.channels + c] = in[i];
    converted.clear();
    resampler->push(source.data(), frames, converted);
    onCapture(converted.data(), converted.size() / format.channels);
}

// The program's frames, rendered in chunks of one period's worth and
// resampled into the fifo until it holds a period.
void JackStream::renderFrames(jack_nframes_t frames) {
    const double sourceRatio = static_cast<double>(format.rate) / jack_get_sample_rate(client);
    const std::size_t chunk = std::min(source.size() / 2, static_cast<std::size_t>(frames * sourceRatio) + 2);
    while (fifo.size() < 2 * static_cast<std::size_t>(frames)) {
        onRender(source.data(), chunk);
        if (format.channels == 1)
            for (std::size_t i = chunk; i-- > 0;) source[2 * i] = source[2 * i + 1] = source[i];
        converted.clear();
        resampler->push(source.data(), chunk, converted);
        fifo.insert(fifo.end(), converted.begin(), converted.end());
    }
    float* left = static_cast<float*>(jack_port_get_buffer(ports[0], frames));
    float* right = static_cast<float*>(jack_port_get_buffer(ports[1], frames));
    for (jack_nframes_t i = 0; i < frames; ++i) {
        left[i] = fifo[2 * i];
        right[i] = fifo[2 * i + 1];
    }
    fifo.erase(fifo.begin(), fifo.begin() + 2 * frames);
    queued = fifo.size();
}

void JackStream::process(jack_nframes_t frames) {
    if (frames > MostFrames) {
        if (!onCapture)
            for (jack_port_t* port : ports)
                std::fill_n(static_cast<float*>(jack_port_get_buffer(port, frames)), frames, 0.0f);
        return;
    }
    if (onCapture)
        captureFrames(frames);
    else
        renderFrames(frames);
}

bool JackStream::open(bool input) {
    const unsigned generation = jackserver::generation();
    client = jack_client_open(input ? "Tonvisor-in" : "Tonvisor-out", JackNoStartServer, nullptr);
    if (!client) return false;
    const char* names[] = {"in_1", "left", "right"};
    for (int i = input ? 0 : 1; i < (input ? 1 : 3); ++i)
        ports.push_back(jack_port_register(client, names[i], JACK_DEFAULT_AUDIO_TYPE,
                                           input ? JackPortIsInput : JackPortIsOutput, 0));
    if (std::find(ports.begin(), ports.end(), nullptr) != ports.end()) return false;
    size();
    jack_set_process_callback(
        client, [](jack_nframes_t frames, void* self) { static_cast<JackStream*>(self)->process(frames); return 0; },
        this);
    watchKey = jackserver::watch([this] {
        std::lock_guard hold(lock);
        if (closing) return;
        serverGone = true;
        onLost();
    });
    tellServerStopped(client, generation);
    if (jack_activate(client) != 0) return false;
    const std::string physical = physicalPort(client, input);
    if (physical.empty()) return false;
    if (input) return jack_connect(client, physical.c_str(), jack_port_name(ports[0])) == 0;
    const std::size_t newline = physical.find('\n');
    const std::string left = physical.substr(0, newline);
    const std::string right = newline == std::string::npos ? left : physical.substr(newline + 1);
    return jack_connect(client, jack_port_name(ports[0]), left.c_str()) == 0 &&
           jack_connect(client, jack_port_name(ports[1]), right.c_str()) == 0;
}

std::unique_ptr<Stream> openJack(bool input, Format format, Capture capture, Render render, Lost lost) {
    jackserver::silenceJack();
    auto stream = std::make_unique<JackStream>(format, std::move(capture), std::move(render), std::move(lost));
    return stream->open(input) ? std::move(stream) : nullptr;
}

}  // namespace

bool jackDevicePresent(bool input) {
    jackserver::silenceJack();
    std::lock_guard hold(lister.lock);
    if (lister.client && lister.serverGone) lister.client = nullptr;  // left alone: its server has gone
    if (!lister.client) {
        lister.generation = jackserver::generation();
        lister.client = jack_client_open("tonvisor-audio-devices", JackNoStartServer, nullptr);
        if (!lister.client) return false;
        lister.serverGone = false;
        jackserver::watch([] { lister.serverGone = true; });
        tellServerStopped(lister.client, lister.generation);
    }
    return !physicalPort(lister.client, input).empty();
}

std::unique_ptr<Stream> openJackInput(Format format, Capture capture, Lost lost) {
    return openJack(true, format, std::move(capture), nullptr, std::move(lost));
}

std::unique_ptr<Stream> openJackOutput(Format format, Render render, Lost lost) {
    return openJack(false, format, nullptr, std::move(render), std::move(lost));
}

}  // namespace wave
