// The system's audio devices (wave_devices.h): the default device of each
// sound system that is there, in the order the synthesizer tries them
// (TONVISOR_AUDIO_DRIVER, else pulseaudio, jack, alsa; "none": no device).
//
// A sound server can keep an open waiting without limit (PulseAudio's
// client with a PipeWire server that never links the stream), so each open
// runs on a thread of its own and the caller waits at most OpenPatience. A
// stream that opens after the caller gave up is closed by that thread, and
// until the caller has it, its callbacks capture nothing and render
// silence. Listing is quick: a socket looked for, ALSA's cards counted, the
// JACK lister asked.
#include "platform/drivers/rtaudio/wave_jack.h"
#include "platform/drivers/rtaudio/wave_rtaudio.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <system_error>
#include <thread>

namespace wave {
namespace {

constexpr std::chrono::seconds OpenPatience{3};

std::vector<std::string> drivers() {
    static const std::vector<std::string> order = {"pulseaudio", "jack", "alsa"};
    const char* chosen = std::getenv("TONVISOR_AUDIO_DRIVER");
    if (!chosen || !*chosen) return order;
    if (std::find(order.begin(), order.end(), chosen) == order.end()) return {};
    return {chosen};
}

std::vector<std::string> present(bool input) {
    std::vector<std::string> names;
    for (const std::string& driver : drivers()) {
        if (driver == "pulseaudio" && pulsePresent()) names.emplace_back(PulseDeviceName);
        if (driver == "jack" && jackDevicePresent(input)) names.emplace_back(JackDeviceName);
        if (driver == "alsa" && alsaPresent()) names.emplace_back(AlsaDeviceName);
    }
    return names;
}

struct Attempt {
    std::mutex lock;
    std::condition_variable answered;
    bool done = false;
    bool abandoned = false;
    std::unique_ptr<Stream> stream;
    std::atomic<bool> handedOver{false};  // read on the device's thread, which must never wait
};

std::unique_ptr<Stream> openNamed(const std::string& name, bool input, Format format, Capture capture,
                                  Render render, Lost lost) {
    if (name == JackDeviceName)
        return input ? openJackInput(format, std::move(capture), std::move(lost))
                     : openJackOutput(format, std::move(render), std::move(lost));
    if (name == PulseDeviceName || name == AlsaDeviceName)
        return openRtAudio(name == PulseDeviceName, input, format, std::move(capture), std::move(render),
                           std::move(lost));
    return nullptr;
}

// The callbacks pass through only once the caller holds the stream.
std::unique_ptr<Stream> openPatiently(const std::string& name, bool input, Format format, Capture capture,
                                      Render render, Lost lost) {
    auto attempt = std::make_shared<Attempt>();
    auto handedOver = [attempt] { return attempt->handedOver.load(); };
    Capture gatedCapture = capture ? Capture([capture, handedOver](const float* samples, std::size_t frames) {
        if (handedOver()) capture(samples, frames);
    }) : nullptr;
    Render gatedRender = render ? Render([render, handedOver, format](float* samples, std::size_t frames) {
        if (handedOver()) render(samples, frames);
        else std::fill(samples, samples + frames * format.channels, 0.0f);
    }) : nullptr;
    Lost gatedLost = [lost, handedOver] { if (handedOver()) lost(); };
    try {
        std::thread([=] {
            std::unique_ptr<Stream> stream = openNamed(name, input, format, gatedCapture, gatedRender, gatedLost);
            std::unique_lock hold(attempt->lock);
            attempt->done = true;
            if (attempt->abandoned) {
                hold.unlock();
                stream.reset();
                return;
            }
            attempt->stream = std::move(stream);
            attempt->answered.notify_one();
        }).detach();
    } catch (const std::system_error&) {  // no thread to spare
        return nullptr;
    }
    std::unique_lock hold(attempt->lock);
    if (!attempt->answered.wait_for(hold, OpenPatience, [&] { return attempt->done; })) {
        attempt->abandoned = true;
        return nullptr;
    }
    attempt->handedOver = attempt->stream != nullptr;
    return std::move(attempt->stream);
}

class SystemDevices final : public Devices {
public:
    std::vector<std::string> inputs() override { return present(true); }
    std::vector<std::string> outputs() override { return present(false); }
    std::unique_ptr<Stream> openInput(const std::string& name, Format format, Capture capture, Lost lost) override {
        return openPatiently(name, true, format, std::move(capture), nullptr, std::move(lost));
    }
    std::unique_ptr<Stream> openOutput(const std::string& name, Format format, Render render, Lost lost) override {
        return openPatiently(name, false, format, nullptr, std::move(render), std::move(lost));
    }
    bool callOnOtherThreads() const override { return true; }
};

}  // namespace

std::unique_ptr<Devices> systemDevices() { return std::make_unique<SystemDevices>(); }

}  // namespace wave
