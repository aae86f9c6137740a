// Which audio driver the synthesizer plays through, and opening it without
// ever hanging the caller.
//
// Two known ways a driver could hang:
// - JACK's client library starts a JACK server when it finds none and gives up
//   only after some 6 s; on a desktop that server could also take the sound
//   card from the desktop's own. JACK_NO_START_SERVER=1 stops it.
// - FluidSynth's pulseaudio driver waits without limit for its stream, and a
//   PipeWire pulse server running without its session manager never links it.
// So each driver opens on a thread of its own, and the caller waits at most
// DriverPatience for it. A driver that has not answered keeps its synthesizer
// (the thread may use it at any moment) and frees it if it ever returns; one
// that never returns keeps a thread and a synthesizer until the process ends,
// and is not tried again while it hangs: one left behind per driver at most.
// Limits: at most DriverPatience per driver tried; JACK_NO_START_SERVER is also
// seen by every program this process starts.
#include "platform/drivers/fluidsynth/synth.h"

#include "platform/drivers/fluidsynth/fluidsynth_library.h"
#include "platform/drivers/jack/jack_server.h"

#include <alsa/asoundlib.h>

#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>

namespace synth {

namespace {

// Set before main, while the process has one thread: setenv is not safe once
// other threads may read the environment.
[[maybe_unused]] const bool jackStartsNoServer = setenv("JACK_NO_START_SERVER", "1", 0) == 0;

const std::vector<std::string> DriverOrder = {"pulseaudio", "jack", "alsa"};

// JACK and ALSA print their failures straight to standard error; the program
// says in one line why it has no sound.
void quietAlsa(const char*, int, const char*, int, const char*, ...) {}

void silenceDriverLibraries() {
    static std::once_flag once;
    std::call_once(once, [] {
        jackserver::silenceJack();
        snd_lib_error_set_handler(quietAlsa);
    });
}

const char* chosenDriver() {
    const char* chosen = std::getenv("TONVISOR_AUDIO_DRIVER");
    return chosen && *chosen ? chosen : nullptr;
}

struct DriverAttempt {
    std::mutex lock;
    std::condition_variable answered;
    bool done = false;
    bool abandoned = false;
    std::string name;
    std::unique_ptr<Synthesizer> synth;
};

// The drivers whose abandoned attempt has not returned yet.
struct HangingDrivers {
    std::mutex lock;
    std::set<std::string> names;
};

HangingDrivers& hanging = *new HangingDrivers;  // never destroyed: an attempt may return at exit

bool stillHanging(const std::string& name) {
    std::lock_guard<std::mutex> hold(hanging.lock);
    return hanging.names.contains(name);
}

void setHanging(const std::string& name, bool hangs) {
    std::lock_guard<std::mutex> hold(hanging.lock);
    if (hangs) hanging.names.insert(name);
    else hanging.names.erase(name);
}

// The driver's thread: opens it, then hands the synthesizer back, or frees it
// when the caller has stopped waiting.
void openDriver(const std::shared_ptr<DriverAttempt>& attempt) {
    fluid_audio_driver_t* driver;
    {
        const OwnCalls own;
        driver = fluid().new_fluid_audio_driver(attempt->synth->settings, attempt->synth->synth);
    }
    std::lock_guard<std::mutex> hold(attempt->lock);
    attempt->synth->driver = driver;
    attempt->done = true;
    if (attempt->abandoned) {
        attempt->synth.reset();
        setHanging(attempt->name, false);
    }
    attempt->answered.notify_one();
}

// Whether the named driver opened in time; the synthesizer comes back unless it did not answer.
bool startDriver(std::unique_ptr<Synthesizer>& synth, const std::string& name) {
    fluid().fluid_settings_setstr(synth->settings, "audio.driver", name.c_str());
    auto attempt = std::make_shared<DriverAttempt>();
    attempt->name = name;
    const unsigned jackGeneration = jackserver::generation();
    attempt->synth = std::move(synth);
    try {
        std::thread(openDriver, attempt).detach();
    } catch (const std::system_error&) {  // no thread to spare: as if the driver had failed
        synth = std::move(attempt->synth);
        return false;
    }
    std::unique_lock<std::mutex> hold(attempt->lock);
    if (!attempt->answered.wait_for(hold, DriverPatience, [&] { return attempt->done; })) {
        attempt->abandoned = true;
        setHanging(name, true);
        return false;
    }
    synth = std::move(attempt->synth);
    if (!synth->driver) return false;
    synth->driverName = name;
    synth->jackGeneration = jackGeneration;
    return true;
}

}  // namespace

std::vector<std::string> audioDrivers() {
    const char* chosen = chosenDriver();
    if (!chosen) return DriverOrder;
    for (const std::string& name : DriverOrder)
        if (name == chosen) return {name};
    return {};
}

std::string audioProblem() {
    const char* chosen = chosenDriver();
    if (!chosen) return "no audio output: pulseaudio, jack and alsa all failed";
    if (std::string(chosen) == "none") return "sound is off: TONVISOR_AUDIO_DRIVER is none";
    if (audioDrivers().empty())
        return std::string("TONVISOR_AUDIO_DRIVER is '") + chosen + "', not pulseaudio, jack, alsa or none";
    return std::string("no audio output through ") + chosen + " (TONVISOR_AUDIO_DRIVER)";
}

bool playAloud(std::unique_ptr<Synthesizer>& synth, const std::string& soundfont,
               const std::vector<std::string>& drivers) {
    silenceDriverLibraries();
    for (const std::string& name : drivers) {
        if (stillHanging(name)) continue;
        if (!synth) synth = load(soundfont);
        if (!synth) return false;
        if (startDriver(synth, name)) return true;
    }
    return false;
}

}  // namespace synth
