// The FluidSynth synthesizer itself: the soundfont, the level, MIDI channel
// messages turned into FluidSynth calls (through fluid(), as the library
// loads with the first synthesizer), and the watch on its driver. Running
// status and system messages are not taken: the program sends whole channel
// messages only.
//
// FluidSynth's messages never reach the user. Its errors and panics still
// tell one thing: its audio drivers log one as they stop (JACK's shutdown,
// a failed write to PulseAudio or ALSA), so one logged on a thread other than
// one running our own calls into it (ownCalls) is the playing driver's end.
#include "platform/drivers/fluidsynth/synth.h"

#include "platform/drivers/fluidsynth/fluidsynth_library.h"
#include "platform/drivers/jack/jack_server.h"

#include <sys/stat.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <utility>

namespace synth {

namespace {

constexpr const char* DefaultSoundfont = "/usr/share/sounds/sf2/default-GM.sf2";
// FluidSynth's default gain of 0.2 peaks near 0.05: far quieter than other programs.
constexpr double Gain = 0.6;

thread_local int ownCallsHere = 0;

struct DriverWatch {
    std::mutex lock;
    Synthesizer* playing = nullptr;
    std::function<void()> lost;
    int jackKey = -1;  // jack_server.h's, for a JACK driver
};

DriverWatch& watch = *new DriverWatch;  // never destroyed: a driver's thread may log at exit

// Returns the JACK generation that stopped with the driver, if it is JACK's.
bool driverStopped(unsigned& jackGeneration) {
    std::lock_guard<std::mutex> hold(watch.lock);
    if (!watch.playing || watch.playing->driverLost.exchange(true)) return false;
    if (watch.lost) watch.lost();
    jackGeneration = watch.playing->jackGeneration;
    return watch.playing->driverName == "jack";
}

// FluidSynth's JACK driver tells its other clients too, outside our lock:
// they wait on its news (jack_server.h).
void noticeError(int, const char*, void*) {
    if (ownCallsHere > 0) return;
    unsigned jackGeneration = 0;
    if (driverStopped(jackGeneration)) jackserver::serverStopped(jackGeneration);
}

void stopWatching(Synthesizer* synth) {
    int jackKey;
    {
        std::lock_guard<std::mutex> hold(watch.lock);
        if (watch.playing != synth) return;
        watch.playing = nullptr;
        watch.lost = nullptr;
        jackKey = std::exchange(watch.jackKey, -1);
    }
    if (jackKey >= 0) jackserver::forget(jackKey);
}

// The program says in one line why it has no sound; FluidSynth would add several.
void silenceFluidSynth() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level = 0; level < LAST_LOG_LEVEL; ++level) {
            const bool stopping = level == FLUID_PANIC || level == FLUID_ERR;
            fluid().fluid_set_log_function(level, stopping ? noticeError : nullptr, nullptr);
        }
    });
}

// SF2 and SF3 files are RIFF files of form "sfbk". Anything else would reach
// FluidSynth's DLS loader, which complains on standard error.
bool isSoundfont(const std::string& path) {
    char header[12] = {};
    std::ifstream file(path, std::ios::binary);
    return file.read(header, sizeof header) && std::memcmp(header, "RIFF", 4) == 0 &&
           std::memcmp(header + 8, "sfbk", 4) == 0;
}

fluid_settings_t* newSettings() {
    fluid_settings_t* settings = fluid().new_fluid_settings();
    if (!settings) return nullptr;
    fluid().fluid_settings_setnum(settings, "synth.sample-rate", SampleRate);
    fluid().fluid_settings_setnum(settings, "synth.gain", Gain);
    // A JACK client's ports are connected to the speakers only when asked.
    fluid().fluid_settings_setint(settings, "audio.jack.autoconnect", 1);
    fluid().fluid_settings_setstr(settings, "audio.jack.id", "Tonvisor");
    return settings;
}

}  // namespace

OwnCalls::OwnCalls() { ++ownCallsHere; }
OwnCalls::~OwnCalls() { --ownCallsHere; }

Synthesizer::~Synthesizer() {
    stopWatching(this);
    const bool leftBehind = driverLost && driverName == "jack";
    if (driver && !leftBehind) fluid().delete_fluid_audio_driver(driver);
    if (sequencer) fluid().delete_fluid_sequencer(sequencer);  // nothing renders it now
    if (synth) fluid().delete_fluid_synth(synth);
    if (settings) fluid().delete_fluid_settings(settings);
}

std::string soundfontPath() {
    const char* chosen = std::getenv("TONVISOR_SOUNDFONT");
    return chosen && *chosen ? chosen : DefaultSoundfont;
}

bool isRegularFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

std::unique_ptr<Synthesizer> load(const std::string& soundfont) {
    if (!fluidSynthLoaded() || !isRegularFile(soundfont) || !isSoundfont(soundfont)) return nullptr;
    silenceFluidSynth();
    const OwnCalls own;
    const QuietGLib quiet;  // FluidSynth's DLS loader asserts on some broken files
    auto loaded = std::make_unique<Synthesizer>();
    loaded->settings = newSettings();
    if (loaded->settings) loaded->synth = fluid().new_fluid_synth(loaded->settings);
    if (!loaded->synth || fluid().fluid_synth_sfload(loaded->synth, soundfont.c_str(), 1) == FLUID_FAILED) return nullptr;
    return loaded;
}

void watchDriver(Synthesizer& synth, std::function<void()> lost) {
    const int jackKey = synth.driverName == "jack" ? jackserver::watch([] {
        unsigned ignored;
        driverStopped(ignored);
    }) : -1;
    std::lock_guard<std::mutex> hold(watch.lock);
    watch.playing = &synth;
    watch.lost = std::move(lost);
    watch.jackKey = jackKey;
}

bool play(fluid_synth_t* synth, DWORD message) {
    const int status = message & 0xFF, channel = status & 0x0F;
    const int first = (message >> 8) & 0x7F, second = (message >> 16) & 0x7F;
    switch (status & 0xF0) {
    case 0x80: fluid().fluid_synth_noteoff(synth, channel, first); return true;
    case 0x90: fluid().fluid_synth_noteon(synth, channel, first, second); return true;  // velocity 0 is a note-off
    case 0xA0: fluid().fluid_synth_key_pressure(synth, channel, first, second); return true;
    case 0xB0: fluid().fluid_synth_cc(synth, channel, first, second); return true;
    case 0xC0: fluid().fluid_synth_program_change(synth, channel, first); return true;
    case 0xD0: fluid().fluid_synth_channel_pressure(synth, channel, first); return true;
    case 0xE0: fluid().fluid_synth_pitch_bend(synth, channel, first | second << 7); return true;
    default: return false;
    }
}

}  // namespace synth
