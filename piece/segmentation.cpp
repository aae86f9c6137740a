// The columns and segments of a MIDI file's piece (segmentation.h).
#include "piece/segmentation.h"

#include "piece/beat_contents.h"
#include "piece/chord_spans.h"

namespace {

constexpr unsigned EveryPitch = 0xFFFu;

PitchSet pitchesOf(const float (&weight)[PitchClassCount], unsigned mask, int bass, bool flats) {
    float kept[PitchClassCount] = {};
    for (int p = 0; p < PitchClassCount; ++p)
        if (mask >> p & 1u) kept[p] = weight[p];
    return strongestPitches(kept, bass, flats);
}

void addColumns(const std::vector<BeatContent>& beats, const MidiScore& score, Piece& piece) {
    piece.columns.resize(beats.size());
    for (std::size_t i = 0; i < beats.size(); ++i) {
        PieceColumn& column = piece.columns[i];
        column.start = beats[i].start;
        column.end = beats[i].end;
        const int bass = spanBass(beats, static_cast<int>(i), static_cast<int>(i) + 1, EveryPitch);
        column.pitches = pitchesOf(beats[i].weight, EveryPitch, bass, flatsAt(score, column.start));
        scoreChords(column.pitches, column.scores);
    }
}

void spanWeight(const std::vector<BeatContent>& beats, int first, int last, float (&weight)[PitchClassCount]) {
    for (float& w : weight) w = 0;
    for (int i = first; i < last; ++i)
        for (int p = 0; p < PitchClassCount; ++p) weight[p] += beats[i].weight[p];
}

PieceSegment segmentOf(const std::vector<BeatContent>& beats, const MidiScore& score, int first, int last,
                       unsigned mask) {
    PieceSegment segment{};
    segment.start = beats[first].start;
    segment.end = beats[last - 1].end;
    segment.bar = score.grid[first].bar;
    segment.beat = score.grid[first].beat;
    float weight[PitchClassCount];
    spanWeight(beats, first, last, weight);
    segment.pitches = mask ? pitchesOf(weight, mask, spanBass(beats, first, last, mask), flatsAt(score, segment.start))
                           : emptyPitchSet();
    segment.name = nameChord(segment.pitches);
    return segment;
}

bool sameChord(const ChordName& a, const ChordName& b) {
    if (!a.named || !b.named) return a.named == b.named;
    return a.chord == b.chord && a.root == b.root;
}

}  // namespace

void analyseScore(const MidiScore& score, Piece& piece) {
    const std::vector<BeatContent> beats = beatContents(score);
    addColumns(beats, score, piece);
    piece.segments.clear();
    std::vector<ChordSpan> spans = chordSpans(beats, score.grid);
    // A span that names nothing (one pitch class) sounds no chord.
    std::vector<ChordSpan> merged;
    ChordName last{};
    for (ChordSpan& span : spans) {
        const ChordName name = segmentOf(beats, score, span.first, span.last, span.mask).name;
        if (!name.named) span.mask = 0;
        if (!merged.empty() && sameChord(last, name)) merged.back().last = span.last;
        else merged.push_back(span);
        last = name;
    }
    for (const ChordSpan& span : merged)
        piece.segments.push_back(segmentOf(beats, score, span.first, span.last, span.mask));
}
