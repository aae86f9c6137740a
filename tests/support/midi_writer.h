// A small Standard MIDI File writer for tests: tracks of timed events, written
// with delta times, End of Track metas and running status where it applies.
// Tests build pieces with it; the recording tests render the same pieces.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct WrittenEvent {
    std::uint32_t tick;
    std::string bytes;  // status (or 0xFF type length) and data, as in the file
};

struct WrittenTrack {
    std::vector<WrittenEvent> events;

    void note(std::uint32_t tick, std::uint32_t length, int key, int velocity = 90, int channel = 0);
    void controller(std::uint32_t tick, int number, int value, int channel = 0);
    void program(std::uint32_t tick, int program, int channel = 0);
    void tempo(std::uint32_t tick, double quartersPerMinute);
    void meter(std::uint32_t tick, int numerator, int denominator);
    void key(std::uint32_t tick, int sharps, bool minor = false);  // sharps < 0: flats
    void name(const std::string& text);
    void raw(std::uint32_t tick, const std::string& bytes);
};

// The file's bytes: format 0 for one track, 1 for more. Each track's events go
// out in tick order (note-offs before everything else at the same tick), each
// track closed by End of Track at its last event.
std::string smfBytes(const std::vector<WrittenTrack>& tracks, int ticksPerQuarter = 480);

// Big-endian numbers and variable-length quantities, for hand-written bytes.
std::string bigEndian(std::uint32_t value, int bytes);
std::string quantity(std::uint32_t value);
