// Messages timed by the samples the synthesizer renders (synth.h): FluidSynth's
// sequencer without the system timer, registered with the synthesizer, so
// that its clock moves as the driver renders. Limits: milliseconds, as the
// sequencer counts by default; the caller serialises calls for one
// synthesizer (midi_out.cpp's lock), the driver's thread being the only other
// user, which the sequencer's own lock keeps apart.
#include "platform/drivers/fluidsynth/synth.h"
#include "platform/drivers/fluidsynth/fluidsynth_library.h"

#include <memory>

namespace synth {
namespace {

bool haveSequencer(Synthesizer& synth) {
    if (!synth.driver || synth.driverLost) return false;
    if (synth.sequencer) return true;
    synth.sequencer = fluid().new_fluid_sequencer2(0);
    if (!synth.sequencer) return false;
    synth.sequencerSynth = fluid().fluid_sequencer_register_fluidsynth(synth.sequencer, synth.synth);
    return synth.sequencerSynth >= 0;
}

// The event for a channel message; false for anything else.
bool describe(fluid_event_t* event, DWORD message) {
    const FluidSynthLibrary& f = fluid();
    const int status = message & 0xFF, channel = status & 0x0F;
    const short first = (message >> 8) & 0x7F, second = (message >> 16) & 0x7F;
    switch (status & 0xF0) {
    case 0x80: f.fluid_event_noteoff(event, channel, first); return true;
    case 0x90: f.fluid_event_noteon(event, channel, first, second); return true;  // velocity 0 is a note-off
    case 0xA0: f.fluid_event_key_pressure(event, channel, first, second); return true;
    case 0xB0: f.fluid_event_control_change(event, channel, first, second); return true;
    case 0xC0: f.fluid_event_program_change(event, channel, first); return true;
    case 0xD0: f.fluid_event_channel_pressure(event, channel, first); return true;
    case 0xE0: f.fluid_event_pitch_bend(event, channel, first | second << 7); return true;
    default: return false;
    }
}

}  // namespace

bool renderedClock(Synthesizer& synth, unsigned* milliseconds) {
    if (!haveSequencer(synth)) return false;
    *milliseconds = fluid().fluid_sequencer_get_tick(synth.sequencer);
    return true;
}

bool playAt(Synthesizer& synth, DWORD message, unsigned at) {
    if (!haveSequencer(synth)) return false;
    std::unique_ptr<fluid_event_t, decltype(fluid().delete_fluid_event)> event(fluid().new_fluid_event(),
                                                                              fluid().delete_fluid_event);
    if (!event) return false;
    fluid().fluid_event_set_source(event.get(), -1);
    fluid().fluid_event_set_dest(event.get(), synth.sequencerSynth);
    return describe(event.get(), message) &&
           fluid().fluid_sequencer_send_at(synth.sequencer, event.get(), at, 1) == FLUID_OK;
}

void dropTimed(Synthesizer& synth) {
    if (synth.sequencer) fluid().fluid_sequencer_remove_events(synth.sequencer, -1, synth.sequencerSynth, -1);
}

}  // namespace synth
