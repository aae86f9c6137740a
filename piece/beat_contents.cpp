// The notes of a MIDI file laid over its beat grid (beat_contents.h).
#include "piece/beat_contents.h"

#include <algorithm>

namespace {

constexpr float MeaningfulShare = 0.2f;  // of the span, for a note to be heard as the bass
constexpr int Keys = 128;

// The harmony lives in the accompaniment's register; high notes are mostly
// melody, whose passing notes should weigh less: full weight up to middle C,
// half weight from four octaves above it.
float registerFactor(int key) {
    const float factor = 1.0f - static_cast<float>(key - 60) / 96.0f;
    return factor > 1.0f ? 1.0f : factor < 0.5f ? 0.5f : factor;
}

BeatContent emptyBeat(double start, double end) {
    BeatContent beat{start, end, {}, {}};
    return beat;
}

}  // namespace

std::vector<BeatContent> beatContents(const MidiScore& score) {
    std::vector<BeatContent> beats;
    beats.reserve(score.grid.size());
    for (std::size_t i = 0; i < score.grid.size(); ++i)
        beats.push_back(emptyBeat(score.grid[i].time, i + 1 < score.grid.size() ? score.grid[i + 1].time
                                                                                  : score.duration));
    for (const MidiNote& note : score.notes) {
        auto first = std::upper_bound(beats.begin(), beats.end(), note.start,
                                      [](double time, const BeatContent& beat) { return time < beat.start; });
        if (first != beats.begin()) --first;
        for (auto beat = first; beat != beats.end() && beat->start < note.end; ++beat) {
            const double overlap = std::min(note.end, beat->end) - std::max(note.start, beat->start);
            if (overlap <= 0) continue;
            beat->weight[note.key % PitchClassCount] +=
                static_cast<float>(overlap * note.velocity / 127.0) * registerFactor(note.key);
            beat->sounds.push_back({note.key, static_cast<float>(overlap)});
        }
    }
    return beats;
}

int spanBass(const std::vector<BeatContent>& beats, int first, int last, unsigned mask) {
    float seconds[Keys] = {};
    for (int i = first; i < last; ++i)
        for (const KeySound& sound : beats[i].sounds) seconds[sound.key] += sound.seconds;
    const float span = static_cast<float>(beats[last - 1].end - beats[first].start);
    int lowestSounding = NoNote;
    for (int key = 0; key < Keys; ++key) {
        if (!(seconds[key] > 0) || !(mask >> (key % PitchClassCount) & 1u)) continue;
        if (seconds[key] >= MeaningfulShare * span) return key % PitchClassCount;
        if (lowestSounding == NoNote) lowestSounding = key % PitchClassCount;
    }
    return lowestSounding;
}
