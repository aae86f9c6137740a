// What a MIDI file holds for the harmony, in seconds: its notes (the drum
// channel left out), its beat grid and its key signatures. The reader fills
// it from the file's events; the segmentation cuts it into chords.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "piece/smf_events.h"
#include "piece/timeline.h"

struct MidiNote {
    double start, end;  // seconds; end > start
    std::uint8_t key, velocity, channel;
};

// One place where a chord may change: a beat of the time signature, or of
// quarter notes where the file has none.
struct GridBeat {
    double time;
    int bar, beat;  // counted from 1; 0 where the file has no time signature
};

struct KeyChange {
    double time;
    bool flats;  // the key signature has flats: notes are spelled with them
};

struct MidiScore {
    std::vector<MidiNote> notes;     // in order of their starts
    std::vector<GridBeat> grid;      // in time order, the first at 0
    std::vector<KeyChange> keys;     // in time order; empty: sharps throughout
    std::vector<double> barStarts;   // empty where the file has no time signature
    double duration;                 // seconds: the end of the last track
};

inline constexpr int DrumChannel = 9;  // channel 10 as musicians count
inline constexpr double LongestPiece = 4 * 3600.0;  // seconds; longer pieces are refused

// The file's events in seconds: the score for the harmony and, in `piece`,
// the duration, the bars, the title and every channel message for playback.
// False with the reason when the timing makes no sense (a piece of days).
bool scoreOfEvents(const SmfContent& content, MidiScore& score, Piece& piece, std::string& error);

// Whether the key signature at `time` has flats.
bool flatsAt(const MidiScore& score, double time);
