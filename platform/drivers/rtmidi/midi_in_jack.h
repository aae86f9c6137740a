// JACK's MIDI sources, listed by a client of our own that notices when the
// server stops and connects again when one runs (RtMidi's JACK API does
// neither). Used by midi_in_system.cpp on the program's thread only.
#pragma once

#include <string>
#include <vector>

namespace midiin {

// Every JACK port that sends MIDI, by full name ("client:port"); none while no
// server runs. Never starts a server. Also keeps libjack from writing its
// complaints about a missing server to standard error.
std::vector<std::string> jackMidiSources();

}  // namespace midiin
