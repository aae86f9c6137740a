// The chord spans (chord_spans.h) by dynamic programming over the beats: the
// cut into spans whose chords fit their notes best, each span weighing as
// many beats as it lasts, less a cost for every change of chord.
#include "piece/chord_spans.h"

#include <algorithm>

#include "piece/chord_fit.h"

namespace {

constexpr int LongestSpan = 8;
constexpr float FullCoverage = 0.5f;  // beats; longer chords are equal spans merged afterwards
// A span that starts with a lone note (a pickup, a melody before the band)
// costs more than the beat it adds, so the lone note stays no chord; a
// broken chord of single notes still makes one span, paying it once.
constexpr float LoneNoteStart = 1.5f;
// Two chords side by side make the notes of a bigger one (C and Am are Am7's
// notes), but then a tone of it is missing from one half of the span: each
// such tone costs this much of the span's fit.
// Spans of fewer beats are too short for a broken chord to sound all its
// tones in each half.
constexpr float HalfMissingCost = 0.15f;
constexpr int HalvedSpan = 4;
constexpr float BarLineChange = 0.25f, HalfBarChange = 0.5f, OffBeatChange = 0.9f, UnmeteredChange = 0.5f;

float changeCost(const GridBeat& beat) {
    if (beat.bar == 0) return UnmeteredChange;
    if (beat.beat == 1) return BarLineChange;
    return beat.beat % 2 == 1 ? HalfBarChange : OffBeatChange;
}


// One key alone: a root doubled in the bass is no lone note.
bool loneNote(const BeatContent& beat) {
    for (const KeySound& sound : beat.sounds)
        if (sound.key != beat.sounds.front().key) return false;
    return !beat.sounds.empty();
}

bool silent(const BeatContent& beat) {
    for (float w : beat.weight)
        if (w > 0) return false;
    return true;
}

// Running sums over the beats, 12 per beat boundary: the weights (double, so
// that hours of beats still add up exactly enough) and how many beats each
// pitch class sounds in.
struct Prefix {
    std::vector<double> weights;
    std::vector<int> beatsSounding;
};

int beatsSounding(const Prefix& prefix, int first, int last, int pitch) {
    return prefix.beatsSounding[last * PitchClassCount + pitch] - prefix.beatsSounding[first * PitchClassCount + pitch];
}

// The tones of `mask` that sound nowhere in the first or the second half.
int halfMissing(const Prefix& prefix, int first, int last, unsigned mask) {
    const int middle = (first + last) / 2;
    int missing = 0;
    for (int p = 0; p < PitchClassCount; ++p)
        if (mask >> p & 1u)
            missing += (beatsSounding(prefix, first, middle, p) == 0) + (beatsSounding(prefix, middle, last, p) == 0);
    return missing;
}

// A span's weights, each scaled down when it sounds in fewer than
// FullCoverage of the span's beats: a chord's tones come back beat after
// beat (an arpeggio's in every other beat at least), a passing note sounds
// in one.
void spanWeight(const Prefix& prefix, int first, int last, float (&weight)[PitchClassCount]) {
    const float beats = static_cast<float>(last - first);
    for (int p = 0; p < PitchClassCount; ++p) {
        const double sum = prefix.weights[last * PitchClassCount + p] - prefix.weights[first * PitchClassCount + p];
        const float coverage = static_cast<float>(beatsSounding(prefix, first, last, p)) / beats;
        weight[p] = static_cast<float>(sum) * std::min(1.0f, coverage / FullCoverage);
    }
}

Prefix prefixOf(const std::vector<BeatContent>& beats) {
    const std::size_t size = (beats.size() + 1) * PitchClassCount;
    Prefix prefix{std::vector<double>(size, 0.0), std::vector<int>(size, 0)};
    for (std::size_t i = 0; i < beats.size(); ++i)
        for (int p = 0; p < PitchClassCount; ++p) {
            const std::size_t at = i * PitchClassCount + p, next = at + PitchClassCount;
            prefix.weights[next] = prefix.weights[at] + beats[i].weight[p];
            prefix.beatsSounding[next] = prefix.beatsSounding[at] + (beats[i].weight[p] > 0 ? 1 : 0);
        }
    return prefix;
}

// The best cut of beats first..last-1, where every beat sounds.
void cutRun(const Prefix& prefix, const std::vector<BeatContent>& beats, const std::vector<GridBeat>& grid, int first,
            int last, std::vector<ChordSpan>& spans) {
    const int beatCount = last - first;
    std::vector<float> best(beatCount + 1, 0.0f);
    std::vector<ChordSpan> choice(beatCount + 1);
    for (int end = 1; end <= beatCount; ++end) {
        best[end] = -1e30f;
        for (int start = std::max(0, end - LongestSpan); start < end; ++start) {
            float weight[PitchClassCount];
            spanWeight(prefix, first + start, first + end, weight);
            const ChordFit fit = fitChord(weight);
            const int length = end - start;
            const int missing = length >= HalvedSpan ? halfMissing(prefix, first + start, first + end, fit.mask) : 0;
            const float score = fit.score - HalfMissingCost * missing;
            float value = best[start] + score * length - (start > 0 ? changeCost(grid[first + start]) : 0);
            if (fit.mask != 0 && length > 1 && loneNote(beats[first + start])) value -= LoneNoteStart;
            if (value > best[end]) {
                best[end] = value;
                choice[end] = {first + start, first + end, fit.mask};
            }
        }
    }
    const std::size_t from = spans.size();
    for (int end = beatCount; end > 0; end = choice[end].first - first) spans.push_back(choice[end]);
    std::reverse(spans.begin() + static_cast<std::ptrdiff_t>(from), spans.end());
}

}  // namespace

std::vector<ChordSpan> chordSpans(const std::vector<BeatContent>& beats, const std::vector<GridBeat>& grid) {
    const Prefix prefix = prefixOf(beats);
    std::vector<ChordSpan> spans;
    const int count = static_cast<int>(beats.size());
    for (int i = 0; i < count;) {
        if (silent(beats[i])) {
            spans.push_back({i, i + 1, 0});
            ++i;
            continue;
        }
        int end = i;
        while (end < count && !silent(beats[end])) ++end;
        cutRun(prefix, beats, grid, i, end, spans);
        i = end;
    }
    return spans;
}
