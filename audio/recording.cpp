// Frames to columns and decoded runs to segments.
#include "audio/recording.h"

#include <algorithm>
#include <cstdlib>

#include "analysis/analysis.h"

namespace {

constexpr float HeardShare = 0.33f;  // of the strongest pitch class: weaker ones are not heard
constexpr int TrebleReach = 6;       // frames either side, 0.28 s: an arpeggio's notes heard together
constexpr int BassReach = 30;        // 1.4 s: a walking bass's passing notes are not the chord's bass
constexpr float LoudTarget = 0.1f;   // the RMS the loudest block is heard at, if it is quieter
constexpr float LoudestGain = 30.0f; // at most: quieter than that, a recording is left as hiss

// The chroma's means over the frames within reach of frame `centre` that have
// come; the level is the centre's own, so that silence stays where it is.
AudioFrame smoothedFrame(const RecordingAnalysis& a, int64_t centre) {
    AudioFrame mean{};
    int trebles = 0, basses = 0;
    for (size_t i = 0; i < a.recent.size(); ++i) {
        const AudioFrame& frame = a.recent[i];
        const int64_t distance = std::abs(a.firstRecent + static_cast<int64_t>(i) - centre);
        if (distance <= TrebleReach) {
            for (int p = 0; p < PitchClassCount; ++p) mean.treble[p] += frame.treble[p];
            ++trebles;
        }
        if (distance <= BassReach) {
            for (int p = 0; p < PitchClassCount; ++p) mean.bass[p] += frame.bass[p];
            ++basses;
        }
        if (distance == 0) mean.level = frame.level * a.levelGain;
    }
    for (int p = 0; p < PitchClassCount; ++p) {
        mean.treble[p] /= trebles;
        mean.bass[p] /= basses;
    }
    return mean;
}

// Decodes every frame whose neighbours have all come (at the end, all that are left).
void decodeRecent(RecordingAnalysis& a, bool finishing) {
    const int64_t last = a.firstRecent + static_cast<int64_t>(a.recent.size()) - 1;
    while (a.framesDecoded <= last && (finishing || a.framesDecoded + BassReach <= last)) {
        decodeFrame(a.decoder, smoothedFrame(a, a.framesDecoded));
        ++a.framesDecoded;
        for (; a.firstRecent < a.framesDecoded - BassReach; ++a.firstRecent) a.recent.pop_front();
    }
}

void addColumn(RecordingAnalysis& a, double end) {
    PieceColumn column{};
    column.start = a.piece->columns.empty() ? 0.0 : a.piece->columns.back().end;
    column.end = end;
    column.pitches = chromaPitches(a.treble, a.bass);
    scoreChords(column.pitches, column.scores);
    a.piece->columns.push_back(column);
    std::fill(std::begin(a.treble), std::end(a.treble), 0.0f);
    std::fill(std::begin(a.bass), std::end(a.bass), 0.0f);
    a.framesInColumn = 0;
}

// The chroma is smoothed for the decoder only; the columns show each frame as heard.
void takeFrames(RecordingAnalysis& a, bool finishing = false) {
    for (const AudioFrame& frame : a.frames) {
        a.recent.push_back(frame);
        decodeRecent(a, false);
        for (int p = 0; p < PitchClassCount; ++p) {
            a.treble[p] += frame.treble[p];
            a.bass[p] += frame.bass[p];
        }
        if (++a.framesInColumn == FramesPerColumn)
            addColumn(a, frame.time + 0.5 * FrameSeconds);
    }
    a.frames.clear();
    if (finishing) decodeRecent(a, true);
}

double clampTime(double time, double duration) { return std::clamp(time, 0.0, duration); }

}  // namespace

PitchSet chromaPitches(const float (&treble)[PitchClassCount], const float (&bass)[PitchClassCount]) {
    float strongest = *std::max_element(std::begin(treble), std::end(treble));
    float heard[PitchClassCount] = {};
    for (int p = 0; p < PitchClassCount; ++p)
        if (strongest > 0.0f && treble[p] >= HeardShare * strongest) heard[p] = treble[p];
    // The bass is the heard pitch class strongest in the bass.
    int lowest = NoNote;
    for (int p = 0; p < PitchClassCount; ++p)
        if (heard[p] > 0.0f && (lowest == NoNote || bass[p] > bass[lowest] ||
                                (bass[p] == bass[lowest] && heard[p] > heard[lowest])))
            lowest = p;
    return strongestPitches(heard, lowest, false);
}

void startRecordingAnalysis(RecordingAnalysis& a, Piece& piece, int sampleRate, double tuningCents, int frameSize) {
    a.piece = &piece;
    piece.kind = PieceKind::Recording;
    piece.duration = 0.0;
    piece.columns.clear();
    piece.segments.clear();
    startFrontEnd(a.frontEnd, sampleRate, tuningCents, frameSize);
    startDecoder(a.decoder);
    std::fill(std::begin(a.treble), std::end(a.treble), 0.0f);
    std::fill(std::begin(a.bass), std::end(a.bass), 0.0f);
    a.framesInColumn = 0;
    a.recent.clear();
    a.firstRecent = 0;
    a.framesDecoded = 0;
    a.levelGain = 1.0f;
    a.samples = 0;
    a.sampleRate = sampleRate;
}

void hearAsLoudest(RecordingAnalysis& a, float loudest) {
    if (loudest > 0.0f) a.levelGain = std::clamp(LoudTarget / loudest, 1.0f, LoudestGain);
}

void analyseSamples(RecordingAnalysis& a, const float* mono, int count) {
    a.samples += count;
    feedFrontEnd(a.frontEnd, mono, count, a.frames);
    takeFrames(a);
}

void finishRecordingAnalysis(RecordingAnalysis& a) {
    finishFrontEnd(a.frontEnd, a.frames);
    takeFrames(a, true);
    releaseFrontEnd(a.frontEnd);
    Piece& piece = *a.piece;
    piece.duration = static_cast<double>(a.samples) / a.sampleRate;
    if (a.framesInColumn > 0) addColumn(a, piece.duration);
    if (!piece.columns.empty()) piece.columns.back().end = std::max(piece.columns.back().end, piece.duration);
    const std::vector<ChordState>& states = chordStates();
    for (const DecodedChord& run : finishDecoding(a.decoder)) {
        PieceSegment segment{};
        segment.start = clampTime((run.firstFrame - 0.5) * FrameSeconds, piece.duration);
        segment.end = clampTime((run.endFrame - 0.5) * FrameSeconds, piece.duration);
        segment.pitches = states[run.state].pitches;
        segment.name = states[run.state].name;
        if (segment.end > segment.start) piece.segments.push_back(segment);
    }
    if (!piece.segments.empty()) piece.segments.back().end = piece.duration;
}
