// The chord spans (chord_spans.h) by dynamic programming over the beats: the
// cut into spans whose chords fit their notes best, each span weighing as
// many beats as it lasts, less a cost for every change of chord.
#include "piece/chord_spans.h"

#include <algorithm>

#include "piece/chord_fit.h"

namespace {

constexpr int LongestSpan = 8;
constexpr float FullCoverage = 0.5f;  // beats; longer chords are equal spans merged afterwards
constexpr float BarLineChange = 0.25f, HalfBarChange = 0.5f, OffBeatChange = 0.9f, UnmeteredChange = 0.5f;

float changeCost(const GridBeat& beat) {
    if (beat.bar == 0) return UnmeteredChange;
    if (beat.beat == 1) return BarLineChange;
    return beat.beat % 2 == 1 ? HalfBarChange : OffBeatChange;
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

    // A span's weights, each scaled down when it sounds in fewer than
    // FullCoverage of the span's beats: a chord's tones come back beat after
    // beat (an arpeggio's in every other beat at least), a passing note
    // sounds in one.
    void weightOf(int first, int last, float (&weight)[PitchClassCount]) const {
        const float beats = static_cast<float>(last - first);
        for (int p = 0; p < PitchClassCount; ++p) {
            const int a = first * PitchClassCount + p, b = last * PitchClassCount + p;
            const float coverage = static_cast<float>(beatsSounding[b] - beatsSounding[a]) / beats;
            weight[p] = static_cast<float>(weights[b] - weights[a]) * std::min(1.0f, coverage / FullCoverage);
        }
    }
};

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
void cutRun(const Prefix& prefix, const std::vector<GridBeat>& grid, int first, int last,
            std::vector<ChordSpan>& spans) {
    const int length = last - first;
    std::vector<float> best(length + 1, 0.0f);
    std::vector<ChordSpan> choice(length + 1);
    for (int end = 1; end <= length; ++end) {
        best[end] = -1e30f;
        for (int start = std::max(0, end - LongestSpan); start < end; ++start) {
            float weight[PitchClassCount];
            prefix.weightOf(first + start, first + end, weight);
            const ChordFit fit = fitChord(weight);
            const float value = best[start] + fit.score * (end - start) - (start > 0 ? changeCost(grid[first + start]) : 0);
            if (value > best[end]) {
                best[end] = value;
                choice[end] = {first + start, first + end, fit.mask};
            }
        }
    }
    const std::size_t from = spans.size();
    for (int end = length; end > 0; end = choice[end].first - first) spans.push_back(choice[end]);
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
        cutRun(prefix, grid, i, end, spans);
        i = end;
    }
    return spans;
}
