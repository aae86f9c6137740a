// FluidSynth's functions, loaded with the first synthesizer rather than with
// the program: the library and the thirty or so it needs (SDL2, PulseAudio,
// libsndfile...) would otherwise load before the first frame and measurably
// delay it. <fluidsynth.h> still gives the types and signatures.
// Limits: FluidSynth 2 (libfluidsynth.so.3) only; once loaded it stays.
#pragma once

#include <fluidsynth.h>

namespace synth {

#define TONVISOR_FLUIDSYNTH_FUNCTIONS(F)                                                             \
    F(fluid_set_log_function) F(new_fluid_settings) F(delete_fluid_settings) F(fluid_settings_setnum) \
    F(fluid_settings_setint) F(fluid_settings_setstr) F(new_fluid_synth) F(delete_fluid_synth)       \
    F(fluid_synth_sfload) F(fluid_synth_noteon) F(fluid_synth_noteoff) F(fluid_synth_key_pressure)   \
    F(fluid_synth_cc) F(fluid_synth_program_change) F(fluid_synth_channel_pressure)                  \
    F(fluid_synth_pitch_bend) F(fluid_synth_all_notes_off) F(fluid_synth_write_float)                \
    F(new_fluid_audio_driver) F(delete_fluid_audio_driver) F(new_fluid_sequencer2) F(delete_fluid_sequencer)  \
    F(fluid_sequencer_register_fluidsynth) F(fluid_sequencer_get_tick) F(fluid_sequencer_send_at)       \
    F(fluid_sequencer_remove_events) F(new_fluid_event) F(delete_fluid_event) F(fluid_event_set_source) \
    F(fluid_event_set_dest) F(fluid_event_noteon) F(fluid_event_noteoff) F(fluid_event_key_pressure)    \
    F(fluid_event_control_change) F(fluid_event_program_change) F(fluid_event_channel_pressure)         \
    F(fluid_event_pitch_bend)

// Each member bears the name and type of the library's function.
struct FluidSynthLibrary {
#define TONVISOR_FLUIDSYNTH_MEMBER(name) decltype(&::name) name;
    TONVISOR_FLUIDSYNTH_FUNCTIONS(TONVISOR_FLUIDSYNTH_MEMBER)
#undef TONVISOR_FLUIDSYNTH_MEMBER
};

inline constexpr const char* FluidSynthLibraryName = "libfluidsynth.so.3";

// Loads the library once, on whichever thread asks first; false when it or
// one of its functions is missing.
bool fluidSynthLoaded();
// The functions; only after fluidSynthLoaded() returned true.
const FluidSynthLibrary& fluid();

// While one lives, GLib's messages (the libraries FluidSynth loads use GLib,
// and their failed assertions print "CRITICAL" lines) go nowhere: for calls
// into FluidSynth on one thread. Nothing happens before the library is loaded.
struct QuietGLib {
    QuietGLib();
    ~QuietGLib();
    QuietGLib(const QuietGLib&) = delete;
    QuietGLib& operator=(const QuietGLib&) = delete;

private:
    void* previous_;  // the handler before; GLib's own default takes no data
};

}  // namespace synth
