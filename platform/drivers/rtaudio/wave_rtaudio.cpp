// PulseAudio's and ALSA's default devices over RtAudio (wave_rtaudio.h).
#include "platform/drivers/rtaudio/wave_rtaudio.h"

#include <RtAudio.h>
#include <alsa/asoundlib.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace wave {
namespace {

constexpr unsigned PeriodFrames = 512;

struct RtStream;
thread_local RtStream* runningHere = nullptr;  // the stream whose callback last ran on this thread

struct RtStream final : Stream {
    RtStream(RtAudio::Api api, Capture capture, Render render, Lost gone)
        : onCapture(std::move(capture)), onRender(std::move(render)), onLost(std::move(gone)), audio(api) {
        audio.showWarnings(false);
    }
    ~RtStream() override {
        try {
            if (audio.isStreamRunning()) audio.abortStream();
            if (audio.isStreamOpen()) audio.closeStream();
        } catch (const RtAudioError&) {
        }
    }
    std::size_t pendingFrames() override {
        return lost ? 0 : static_cast<std::size_t>(std::max(0L, audio.getStreamLatency()));
    }

    static int callback(void* out, void* in, unsigned frames, double, RtAudioStreamStatus, void* self) {
        auto* stream = static_cast<RtStream*>(self);
        runningHere = stream;
        if (stream->lost) return 0;
        if (stream->onCapture) stream->onCapture(static_cast<const float*>(in), frames);
        else stream->onRender(static_cast<float*>(out), frames);
        return 0;
    }
    static void error(RtAudioError::Type, const std::string&) {
        if (runningHere && !runningHere->lost.exchange(true)) runningHere->onLost();
    }

    const Capture onCapture;
    const Render onRender;
    const Lost onLost;
    std::atomic<bool> lost{false};
    RtAudio audio;  // declared last: stopped before the callbacks go
};

}  // namespace

// A server named by PULSE_SERVER as a socket must have it; one named by
// address is taken to be there.
bool pulsePresent() {
    if (const char* server = std::getenv("PULSE_SERVER"); server && *server) {
        const std::string named = server;
        return !named.starts_with("unix:") || access(named.substr(5).c_str(), F_OK) == 0;
    }
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    return runtime && access((std::string(runtime) + "/pulse/native").c_str(), F_OK) == 0;
}

bool alsaPresent() {
    int card = -1;
    return snd_card_next(&card) == 0 && card >= 0;
}

std::unique_ptr<Stream> openRtAudio(bool pulse, bool input, Format format, Capture capture, Render render,
                                    Lost lost) {
    try {
        auto stream = std::make_unique<RtStream>(pulse ? RtAudio::LINUX_PULSE : RtAudio::LINUX_ALSA,
                                                 std::move(capture), std::move(render), std::move(lost));
        if (stream->audio.getDeviceCount() == 0) return nullptr;
        RtAudio::StreamParameters parameters;
        parameters.deviceId = 0;
        parameters.nChannels = format.channels;
        RtAudio::StreamOptions options;
        options.flags = RTAUDIO_ALSA_USE_DEFAULT;
        options.streamName = "Tonvisor";
        unsigned frames = PeriodFrames;
        stream->audio.openStream(input ? nullptr : &parameters, input ? &parameters : nullptr, RTAUDIO_FLOAT32,
                                 format.rate, &frames, &RtStream::callback, stream.get(), &options,
                                 &RtStream::error);
        stream->audio.startStream();
        return stream;
    } catch (const RtAudioError&) {
        return nullptr;
    }
}

}  // namespace wave
