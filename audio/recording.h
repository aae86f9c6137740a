// A recording as a piece: the front end's frames become the columns of the
// chord spectrogram (two frames, 93 ms, a column) with their 132 scores, and
// the decoder's chords its segments. Block by block, like the front end. The
// decoder hears each frame's treble chroma as the mean of the frames 0.28 s
// either side, so that a broken chord is one chord, and its bass chroma as
// the mean over 1.4 s either side, so that a walking bass's passing notes are
// no chord's bass (it then decodes 1.4 s behind the front end).
//
// A whole file:   readRecording(path, piece, error)            (recording_file.h)
// A stream:       startRecordingAnalysis, analyseSamples for every block,
//                 finishRecordingAnalysis at its end; the piece grows as it goes.
#pragma once

#include <cstdint>
#include <deque>
#include <vector>

#include "audio/decoder.h"
#include "audio/frontend.h"
#include "piece/timeline.h"

inline constexpr int FramesPerColumn = 2;
inline constexpr double ColumnSeconds = FramesPerColumn * FrameSeconds;

// The note model of what chroma hears: the pitch classes within a third of
// the strongest by strongestPitches, over the one of them strongest in the bass.
PitchSet chromaPitches(const float (&treble)[PitchClassCount], const float (&bass)[PitchClassCount]);

// The state record of one recording being analysed.
struct RecordingAnalysis {
    Piece* piece;
    AudioFrontEnd frontEnd;
    ChordDecoder decoder;
    std::vector<AudioFrame> frames;       // scratch: the frames of one block
    std::deque<AudioFrame> recent;        // the frames around the next one decoded
    int64_t firstRecent;                  // the index of recent's first frame
    int64_t framesDecoded;
    float levelGain;                      // the frames' levels as if the recording were loud
    float treble[PitchClassCount];        // the column being summed
    float bass[PitchClassCount];
    int framesInColumn;
    int64_t samples;                      // input samples so far
    int sampleRate;
};

// Fills `piece` (kind, columns, segments, duration; not its path or title).
void startRecordingAnalysis(RecordingAnalysis& analysis, Piece& piece, int sampleRate, double tuningCents,
                            int frameSize = LongFrameSize);
// Silence is judged against the recording's own loudness (the RMS of its
// loudest block), not full scale: a quietly rendered or recorded file is not
// all silence. Raised 30 times (+30 dB) at most: quieter, it stays hiss.
void hearAsLoudest(RecordingAnalysis& analysis, float loudest);
void analyseSamples(RecordingAnalysis& analysis, const float* mono, int count);
void finishRecordingAnalysis(RecordingAnalysis& analysis);
