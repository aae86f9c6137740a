// The chord decoder. A state's fit to a frame is the cosine between the
// treble chroma and the chord's notes, plus how strong its bass is in the
// bass chroma against the strongest bass, less a cost for each of its notes
// that hardly sounds (a lone note is no chord); "N" fits with a fixed threshold,
// raised as the chroma grows as flat as noise's, and wins outright in silence.
// Viterbi with one switching cost: the best path into a state either stayed in it or came from the best state of the
// frame before, so a frame costs time in proportion to the states, and the
// trace-back needs only a bit per state and frame.
#include "audio/decoder.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace {

// The chords decoded, by their suffix in the vocabulary, with their priors.
// A four-note chord's cosine falls below its triad's unless the seventh is
// as loud as the rest, which it seldom is: the sevenths get a little back.
// The rarer chords pay a little, so that a triad with a passing note stays a triad.
struct DecodedKind {
    const char* suffix;
    float prior;
};

constexpr DecodedKind DecodedKinds[] = {
    {"", 0.0f},      {"m", 0.0f},     {"7", 0.03f},   {"m7", 0.03f},  {"maj7", 0.03f},
    {"dim", -0.06f}, {"m7b5", -0.06f}, {"sus4", -0.06f},
};

constexpr float InversionPrior = -0.03f;  // a bass other than the root
constexpr float BassWeight = 0.15f;       // the bass's share in the fit
constexpr float NoChordFit = 0.62f;       // "N" wins when no chord fits better (a lone note, noise)
constexpr float MissingShare = 0.05f;    // of the strongest pitch class: a chord note weaker is missing
constexpr float MissingCost = 0.1f;      // for each missing note
constexpr float SilenceLevel = 0.002f;    // RMS below which a frame is silence (-54 dBFS)
constexpr float FlatAsNoise = 0.75f;    // a flatter chroma is noise (music's stays near 0.6)
constexpr float FlatnessCost = 4.0f;     // "N"'s fit grows with the flatness beyond that

int vocabularyIndex(std::string_view suffix) {
    for (int chord = 0; chord < VocabularySize; ++chord)
        if (suffix == ChordVocabulary[chord].suffix) return chord;
    return -1;
}

unsigned rotated(unsigned shape, int root) {
    return (shape << root | shape >> (PitchClassCount - root)) & 0xFFFu;
}

ChordState stateOf(int chord, int root, int bass, float prior) {
    ChordState state{};
    state.mask = rotated(ShapeOnC.onC[chord], root);
    state.root = root;
    state.bass = bass;
    state.chord = chord;
    state.prior = prior + (bass == root ? 0.0f : InversionPrior);
    state.pitches = emptyPitchSet();
    for (int step = 0; step < PitchClassCount; ++step) {
        int pitch = (root + step) % PitchClassCount;
        if (state.mask & (1u << pitch)) addPitch(state.pitches, pitch, 1.0f);
    }
    state.pitches.bass = bass;
    state.name = nameChord(state.pitches);
    return state;
}

std::vector<ChordState> buildStates() {
    std::vector<ChordState> states;
    ChordState none{};
    none.root = none.bass = NoNote;
    none.chord = -1;
    none.pitches = emptyPitchSet();
    none.name = nameChord(none.pitches);
    states.push_back(none);
    for (const DecodedKind& kind : DecodedKinds) {
        int chord = vocabularyIndex(kind.suffix);
        for (int root = 0; root < PitchClassCount; ++root) {
            unsigned mask = rotated(ShapeOnC.onC[chord], root);
            for (int bass = 0; bass < PitchClassCount; ++bass) {
                if ((mask & (1u << bass)) == 0) continue;
                bool known = std::any_of(states.begin(), states.end(), [&](const ChordState& s) {
                    return s.mask == mask && s.bass == bass;
                });
                if (!known) states.push_back(stateOf(chord, root, bass, kind.prior));
            }
        }
    }
    return states;
}

float normOf(const float (&chroma)[PitchClassCount]) {
    float sum = 0.0f;
    for (float c : chroma) sum += c * c;
    return std::sqrt(sum);
}

}  // namespace

const std::vector<ChordState>& chordStates() {
    static const std::vector<ChordState> states = buildStates();
    return states;
}

void fitFrame(const AudioFrame& frame, std::vector<float>& fit) {
    const std::vector<ChordState>& states = chordStates();
    fit.resize(states.size());
    float treble = normOf(frame.treble);
    float strongestBass = *std::max_element(std::begin(frame.bass), std::end(frame.bass));
    float strongest = *std::max_element(std::begin(frame.treble), std::end(frame.treble));
    bool silent = frame.level < SilenceLevel || treble <= 0.0f;
    float sum = 0.0f;
    for (float c : frame.treble) sum += c;
    // 1 for a chroma as flat as noise's, 0.5 for a triad's alone.
    float flatness = sum / (treble * std::sqrt(static_cast<float>(PitchClassCount)));
    fit[NoChordState] = silent ? 2.0f : NoChordFit + FlatnessCost * std::max(0.0f, flatness - FlatAsNoise);
    for (size_t s = 1; s < states.size(); ++s) {
        if (silent) {
            fit[s] = 0.0f;
            continue;
        }
        const ChordState& state = states[s];
        float dot = 0.0f;
        int notes = 0, missing = 0;
        for (int p = 0; p < PitchClassCount; ++p)
            if (state.mask & (1u << p)) {
                dot += frame.treble[p];
                ++notes;
                missing += frame.treble[p] < MissingShare * strongest;
            }
        float cosine = dot / (treble * std::sqrt(static_cast<float>(notes)));
        float bass = strongestBass > 0.0f ? frame.bass[state.bass] / strongestBass : 0.0f;
        fit[s] = (1.0f - BassWeight) * cosine + BassWeight * bass + state.prior - MissingCost * missing;
    }
}

void startDecoder(ChordDecoder& d) {
    size_t count = chordStates().size();
    d.score.assign(count, 0.0f);
    d.words = static_cast<int>((count + 63) / 64);
    d.stayed.clear();
    d.bestBefore.clear();
    d.frames = 0;
}

void decodeFrame(ChordDecoder& d, const AudioFrame& frame, float switchCost) {
    fitFrame(frame, d.fit);
    int best = leadingState(d);
    float switched = d.score[best] - switchCost;
    size_t base = d.stayed.size();
    d.stayed.resize(base + d.words, 0);
    d.bestBefore.push_back(best);
    for (size_t s = 0; s < d.score.size(); ++s) {
        float stay = d.score[s];
        bool stays = d.frames == 0 || stay >= switched;
        if (stays) d.stayed[base + s / 64] |= uint64_t{1} << (s % 64);
        d.score[s] = (stays ? stay : switched) + d.fit[s];
    }
    // Keep the scores near zero over an hour's frames.
    float top = d.score[leadingState(d)];
    for (float& score : d.score) score -= top;
    ++d.frames;
}

int leadingState(const ChordDecoder& d) {
    return static_cast<int>(std::max_element(d.score.begin(), d.score.end()) - d.score.begin());
}

std::vector<DecodedChord> finishDecoding(const ChordDecoder& d) {
    std::vector<DecodedChord> runs;
    if (d.frames == 0) return runs;
    int state = leadingState(d);
    int64_t end = d.frames;
    for (int64_t frame = d.frames - 1; frame >= 0; --frame) {
        bool stayed = (d.stayed[static_cast<size_t>(frame) * d.words + state / 64] >> (state % 64)) & 1u;
        if (stayed && frame > 0) continue;
        runs.push_back({state, frame, end});
        end = frame;
        state = d.bestBefore[static_cast<size_t>(frame)];
    }
    std::reverse(runs.begin(), runs.end());
    return runs;
}
