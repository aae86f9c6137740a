// The synthesizer behind the Linux midiOut* calls: FluidSynth with a General
// MIDI soundfont, and the audio driver it plays through.
//
// The core chooses the driver: the choice is the same for every screen
// (TONVISOR_AUDIO_DRIVER, else pulseaudio, jack, alsa in that order). Whether
// to play aloud at all is the backend's (backend::playsAloud): the GTK screen
// does; the headless screen has no speakers, as it has no display, so its
// synthesizer renders only when a test or tool pulls samples.
//
// Opening a driver never hangs the caller: each driver gets a bounded time
// (DriverPatience), after which it is left behind on a thread of its own
// (synth_driver.cpp). A driver that stops while it plays (its server stopped,
// its device went) is noticed through FluidSynth's error log, which its
// drivers write to only as they stop: watchDriver says so. Limits: one
// synthesizer per process; 44.1 kHz.
#pragma once

#include "platform/win32.h"

#include <fluidsynth.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace synth {

inline constexpr int SampleRate = 44100;
// Time for one driver to open; a sound server opens in milliseconds.
inline constexpr std::chrono::seconds DriverPatience{3};

// FluidSynth's objects, freed driver first so that nothing renders from a
// freed synthesizer. A JACK driver that stopped with its server is not freed:
// libjack frees its client itself, and closing it again crashes, so the
// driver is left behind on purpose (its thread has ended with the server).
struct Synthesizer {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_audio_driver_t* driver = nullptr;  // null while it plays silently
    std::string driverName;                  // the driver's, once it plays
    unsigned jackGeneration = 0;             // with "jack": its clients' (jack_server.h)
    std::atomic<bool> driverLost{false};
    fluid_sequencer_t* sequencer = nullptr;  // made at the first timed message (sample_timer.cpp)
    fluid_seq_id_t sequencerSynth = -1;      // the synthesizer as the sequencer's destination

    Synthesizer() = default;
    Synthesizer(const Synthesizer&) = delete;
    Synthesizer& operator=(const Synthesizer&) = delete;
    ~Synthesizer();
};

// TONVISOR_SOUNDFONT when set, else Debian's General MIDI soundfont.
std::string soundfontPath();
// Whether the path names a regular file; anything else (a named pipe, a
// device) could keep the reader waiting for ever.
bool isRegularFile(const std::string& path);
// A synthesizer with the soundfont loaded and no driver; null when FluidSynth
// cannot be loaded or the file is not an SF2 or SF3 soundfont that it can
// read. FluidSynth's own messages are silenced.
std::unique_ptr<Synthesizer> load(const std::string& soundfont);
// While one lives, errors FluidSynth logs on this thread come from our own
// calls (loading, opening a driver), not from a driver that stopped.
struct OwnCalls {
    OwnCalls();
    ~OwnCalls();
    OwnCalls(const OwnCalls&) = delete;
    OwnCalls& operator=(const OwnCalls&) = delete;
};

// From now until it goes, lost is called once, on the driver's own thread,
// when the synthesizer's driver stops playing. It must only post or set flags.
void watchDriver(Synthesizer& synth, std::function<void()> lost);
// Plays a MIDI channel message (status in the low byte, then two data bytes);
// false for anything else.
bool play(fluid_synth_t* synth, DWORD message);

// Messages timed by the samples the synthesizer renders (FluidSynth's
// sequencer on its own clock), for one that plays through a driver: each
// plays at its millisecond on that clock however late the thread that hands
// it over runs, so a recording of it is exact to the synthesizer's block of
// 64 samples. The clock, in milliseconds; false without a driver.
bool renderedClock(Synthesizer& synth, unsigned* milliseconds);
// The message plays when the clock reaches `at`; false for anything but a
// channel message, or without a driver.
bool playAt(Synthesizer& synth, DWORD message, unsigned at);
// Every message still waiting for its time is dropped.
void dropTimed(Synthesizer& synth);

// The drivers to try, in order; empty when sound is off (TONVISOR_AUDIO_DRIVER
// is none, or names no driver this program knows).
std::vector<std::string> audioDrivers();
// Why audioDrivers() gave no sound, or why none of them opened: for the user.
std::string audioProblem();
// Plugs the synthesizer into the first of the drivers that opens in time. A
// driver that did not answer keeps the synthesizer it was given, so synth may
// be reloaded from the soundfont on the way, or be null afterwards.
bool playAloud(std::unique_ptr<Synthesizer>& synth, const std::string& soundfont,
               const std::vector<std::string>& drivers);

}  // namespace synth
