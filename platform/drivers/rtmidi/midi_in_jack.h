// JACK's MIDI sources, listed and opened by clients of our own (RtMidi's
// JACK API notices neither a server that stops nor a source that quits, and
// closing its client after the server has gone crashes in libjack). Used by
// midi_in_system.cpp on the program's thread; the ports call back on JACK's.
#pragma once

#include "platform/seam/midi_in_devices.h"

#include <string>
#include <vector>

namespace midiin {

// Every JACK port that sends MIDI, by full name ("client:port"); none while no
// server runs. Never starts a server. Also keeps libjack from writing its
// complaints (a missing server, a server that died) to standard error.
std::vector<std::string> jackMidiSources();

// An input of its own, connected to the JACK port of that full name; nullptr
// when there is none or no server. lost comes when that connection goes: the
// source quit, someone disconnected it, or the server stopped.
std::unique_ptr<Port> openJackSource(const std::string& source, Receiver receiver, LostNotice lost);

}  // namespace midiin
