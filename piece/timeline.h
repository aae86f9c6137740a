// A piece: the chords of a whole MIDI file or recording over time. Readers
// fill it (the MIDI file's harmonic segments, a recording's frames); the
// piece window draws it and the command line prints it. Times are seconds
// from the start of the piece.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/naming.h"

inline constexpr int ScoreCount = ChordTypeCount * RootCount;

enum class PieceKind { MidiFile, Recording };

// One column of the chord spectrogram: what sounds over a short span (a beat
// or less of a MIDI file, an analysis frame of a recording) and its 132
// scores by matchCell.
struct PieceColumn {
    double start, end;
    PitchSet pitches;
    float scores[ScoreCount];
};

// One chord of the lead sheet: consecutive columns that name the same chord,
// merged. A segment whose name is not named is "N", no chord.
struct PieceSegment {
    double start, end;
    int bar, beat;  // where the segment starts, counted from 1; 0 where the piece has no bars
    PitchSet pitches;
    ChordName name;
};

// A channel message to play at its time, packed as midiOutShortMsg takes it:
// status | first data byte << 8 | second data byte << 16.
struct TimedMessage {
    double time;
    unsigned message;
};

struct Piece {
    PieceKind kind;
    std::string path;                  // as the user named it
    std::string title;                 // the first track's name, else the file's name
    double duration;                   // seconds
    std::vector<double> barStarts;     // the time of every bar line; empty where the piece has no bars
    std::vector<PieceColumn> columns;  // in time order, without gaps
    std::vector<PieceSegment> segments;
    std::vector<TimedMessage> messages;  // a MIDI file's channel messages in time order, for playback
    // A recording's sound kept in memory (a live session's heard sound),
    // 16-bit mono at sampleRate; empty where the recording plays from its file.
    std::vector<std::int16_t> samples;
    int sampleRate = 0;
};
