// The names the system's MIDI input devices are listed under
// (midi_in_system.cpp): stable across unplugging, at most 31 characters, no
// two alike.
#pragma once

#include <set>
#include <string>

namespace midiin {

// RtMidi's ALSA name without the client and port numbers it appends, which
// change when a device is plugged in again: "Keys:Keys MIDI 1 20:0" ->
// "Keys:Keys MIDI 1". Empty for ports that are no device: the system client's
// (client 0) and the "Midi Through" loop-back.
std::string stableAlsaName(const std::string& listed);
// What a person reads: the port name alone where it repeats the client name,
// "Keys:Keys MIDI 1" -> "Keys MIDI 1".
std::string shortAlsaName(const std::string& stable);
// The name cut to 31 characters; one already taken gets "2- ", "3- " ... in
// front, as Windows numbers devices of the same name.
std::string unusedName(const std::string& name, const std::set<std::string>& taken);

}  // namespace midiin
