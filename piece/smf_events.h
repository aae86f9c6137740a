// The Standard MIDI File's bytes as events: the header, every track's events
// with their absolute ticks, and the few meta events the piece needs. Pure
// code over bytes: every length is checked against what is really there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class SmfEventKind : std::uint8_t { Channel, Tempo, TimeSignature, KeySignature };

struct SmfEvent {
    std::uint64_t tick;
    std::uint32_t order;  // file order, which settles events at the same tick
    SmfEventKind kind;
    std::uint8_t status;  // Channel: the status byte
    std::uint8_t data1;   // Channel: the data bytes; TimeSignature: numerator, power of two of the denominator
    std::uint8_t data2;
    std::int32_t value;   // Tempo: microseconds per quarter note; KeySignature: sharps (> 0) or flats (< 0)
};

struct SmfContent {
    int format;
    int ticksPerQuarter;          // 0 for SMPTE time
    double secondsPerTick;        // SMPTE time only
    std::uint64_t endTick;        // the last track's end
    std::string firstTrackName;   // empty when the first track names nothing
    std::vector<SmfEvent> events; // every track's, in file order
    std::vector<std::uint64_t> trackEnds;  // each track's last tick
};

// Reads the header and every track. On failure returns false with the one
// reason in `error` ("the header chunk is 3 bytes long") and `content` is not
// to be used.
bool readSmfEvents(const unsigned char* bytes, std::size_t size, SmfContent& content, std::string& error);
