// The headless screen's audio devices: inputs and outputs that a test lists,
// samples it feeds in as if a microphone had captured them, and what the
// outputs play as the headless clock moves (headless.h). They take the
// system's place from the first setAudioDevices on, so a test sees only what
// it scripts. Everything runs on the test's thread.
#include "platform/headless/headless.h"
#include "platform/headless/headless_state.h"
#include "platform/seam/wave_devices.h"

#include <algorithm>

namespace {

struct FakeStream;

struct FakeAudio {
    std::vector<std::string> inputs, outputs;
    std::vector<FakeStream*> open;
};

FakeAudio* fakes = nullptr;  // owned by the core's wave calls once installed

struct FakeStream final : wave::Stream {
    FakeStream(std::string name, bool isInput, wave::Format wanted, wave::Capture capture, wave::Render render,
               wave::Lost gone)
        : device(std::move(name)), input(isInput), format(wanted), onCapture(std::move(capture)),
          onRender(std::move(render)), onLost(std::move(gone)), openedAt(Headless_state.clock) {
        fakes->open.push_back(this);
    }
    ~FakeStream() override { std::erase(fakes->open, this); }
    std::size_t pendingFrames() override { return 0; }

    const std::string device;
    const bool input;
    const wave::Format format;
    const wave::Capture onCapture;
    const wave::Render onRender;
    const wave::Lost onLost;
    const std::uint64_t openedAt;  // the clock's time
    std::uint64_t framesPlayed = 0;
    std::vector<float> played;   // since the test last took it
    bool lost = false;
};

bool listed(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

class FakeDevices final : public wave::Devices {
public:
    std::vector<std::string> inputs() override { return state.inputs; }
    std::vector<std::string> outputs() override { return state.outputs; }
    std::unique_ptr<wave::Stream> openInput(const std::string& name, wave::Format format, wave::Capture capture,
                                            wave::Lost lost) override {
        if (!listed(state.inputs, name)) return nullptr;
        return std::make_unique<FakeStream>(name, true, format, std::move(capture), nullptr, std::move(lost));
    }
    std::unique_ptr<wave::Stream> openOutput(const std::string& name, wave::Format format, wave::Render render,
                                             wave::Lost lost) override {
        if (!listed(state.outputs, name)) return nullptr;
        return std::make_unique<FakeStream>(name, false, format, nullptr, std::move(render), std::move(lost));
    }
    bool callOnOtherThreads() const override { return false; }
    FakeAudio state;
};

// Frames due at the clock's time, counted from the stream's opening so that
// no frame is lost to rounding.
void playUntil(FakeStream& stream, std::uint64_t now) {
    if (stream.input || stream.lost) return;
    const std::uint64_t due = (now - stream.openedAt) * stream.format.rate / 1000;
    if (due <= stream.framesPlayed) return;
    const std::uint64_t frames = due - stream.framesPlayed;
    stream.framesPlayed = due;
    std::vector<float> samples(frames * stream.format.channels);
    stream.onRender(samples.data(), frames);
    stream.played.insert(stream.played.end(), samples.begin(), samples.end());
}

}  // namespace

namespace headless {

void setAudioDevices(const std::vector<std::string>& inputs, const std::vector<std::string>& outputs) {
    if (!fakes) {
        auto devices = std::make_unique<FakeDevices>();
        fakes = &devices->state;
        core::useWaveDevices(std::move(devices));
    }
    fakes->inputs = inputs;
    fakes->outputs = outputs;
    for (FakeStream* stream : std::vector<FakeStream*>(fakes->open))
        if (!stream->lost && !listed(stream->input ? inputs : outputs, stream->device)) {
            stream->lost = true;
            stream->onLost();
        }
}

void feedAudio(const char* device, const std::vector<float>& mono) {
    if (!fakes || mono.empty()) return;
    for (FakeStream* stream : std::vector<FakeStream*>(fakes->open)) {
        if (!stream->input || stream->lost || stream->device != device) continue;
        std::vector<float> samples;
        for (float sample : mono) samples.insert(samples.end(), stream->format.channels, sample);
        stream->onCapture(samples.data(), mono.size());
    }
}

std::vector<float> takePlayedAudio(const char* device) {
    std::vector<float> played;
    if (!fakes) return played;
    for (FakeStream* stream : fakes->open)
        if (!stream->input && stream->device == device) {
            playUntil(*stream, Headless_state.clock);
            played.insert(played.end(), stream->played.begin(), stream->played.end());
            stream->played.clear();
        }
    return played;
}

}  // namespace headless

void Headless_playAudio() {
    if (!fakes) return;
    for (FakeStream* stream : std::vector<FakeStream*>(fakes->open)) playUntil(*stream, Headless_state.clock);
}

void Headless_resetAudio() {
    core::closeWaveStreams();
    if (fakes) fakes->inputs.clear(), fakes->outputs.clear();
}
