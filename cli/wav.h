// --wav: what "Enter" would sound for an entry, written as a WAV file.
#pragma once

#include <string>

inline constexpr int SoundSeconds = 2;

struct SoundOutcome {
    int status = 0;       // 0 written, 1 not (no synthesizer, or the file failed)
    std::string problem;  // what went wrong, for the error message
};

// Sounds the entry's notes through the program's own MIDI calls on the
// headless synthesizer, released after HoldMilliseconds, and writes
// SoundSeconds of 16-bit stereo at 44.1 kHz to path.
SoundOutcome exportSound(const std::string& path, const std::string& entry);
