// The chord that a span's weights fit best (chord_fit.h). A chord's tones
// count for it, every other pitch class against it, and a tone of the chord
// that hardly sounds costs more than a passing note does, so that a passing
// seventh in the melody leaves a triad a triad while a seventh that really
// sounds makes it a seventh chord.
#include "piece/chord_fit.h"

#include <bit>

namespace {

constexpr float OutsideCost = 1.0f;     // per unit of weight off the chord
constexpr float MissingCost = 0.3f;     // per tone of the chord that hardly sounds
constexpr float ExtraToneCost = 0.1f;   // per tone beyond three, so the simpler chord wins a tie
constexpr float PresentShare = 0.08f;   // a tone sounds when it has this share of all the weight

// The shapes on C, as sets of pitch classes. Sixths are the seventh chords'
// inversions (C6 is Am7's notes) and need no shapes of their own. A bare
// fifth fits the triads with one tone missing, and is named a power chord
// from its two notes; as a shape of its own it would swallow the chords
// on either side that share it.
constexpr unsigned Shapes[] = {
    0x091,  // major: C E G
    0x089,  // minor: C Eb G
    0x491,  // dominant 7th
    0x489,  // minor 7th
    0x891,  // major 7th
    0x049,  // diminished: C Eb Gb
    0x111,  // augmented: C E G#
    0x0A1,  // suspended 4th: C F G
    0x449,  // half-diminished 7th
    0x249,  // diminished 7th
};

constexpr unsigned rotate(unsigned shape, int root) {
    return ((shape << root) | (shape >> (PitchClassCount - root))) & 0xFFFu;
}

// Tones in each 12-bit set, in a table: the fit counts them in its inner loop,
// and a portable build has no instruction for it.
struct ToneCounts {
    unsigned char of[1u << PitchClassCount];
};

constexpr ToneCounts buildToneCounts() {
    ToneCounts counts{};
    for (unsigned mask = 1; mask < (1u << PitchClassCount); ++mask)
        counts.of[mask] = static_cast<unsigned char>(counts.of[mask & (mask - 1)] + 1);
    return counts;
}

constexpr ToneCounts Tones = buildToneCounts();

constexpr int toneCount(unsigned mask) { return Tones.of[mask & 0xFFFu]; }

// Every shape on every root, each set once (the diminished 7th and the
// augmented triad repeat themselves).
struct Candidates {
    unsigned masks[sizeof Shapes / sizeof Shapes[0] * PitchClassCount];
    int count;
};

constexpr Candidates buildCandidates() {
    Candidates candidates{};
    for (unsigned shape : Shapes)
        for (int root = 0; root < PitchClassCount; ++root) {
            const unsigned mask = rotate(shape, root);
            bool seen = false;
            for (int i = 0; i < candidates.count; ++i) seen |= candidates.masks[i] == mask;
            if (!seen) candidates.masks[candidates.count++] = mask;
        }
    return candidates;
}

constexpr Candidates AllCandidates = buildCandidates();

float candidateScore(unsigned mask, const float (&share)[PitchClassCount], unsigned present) {
    float inside = 0;
    for (unsigned tones = mask; tones != 0; tones &= tones - 1) inside += share[std::countr_zero(tones)];
    const int tones = toneCount(mask);
    const int missing = tones - toneCount(mask & present);
    return inside - OutsideCost * (1 - inside) - MissingCost * missing - ExtraToneCost * (tones > 3 ? tones - 3 : 0);
}

}  // namespace

ChordFit fitChord(const float (&weight)[PitchClassCount]) {
    float total = 0;
    for (float w : weight) total += w;
    float share[PitchClassCount];
    unsigned present = 0;
    for (int pitch = 0; pitch < PitchClassCount; ++pitch) {
        share[pitch] = total > 0 ? weight[pitch] / total : 0;
        if (weight[pitch] > 0 && weight[pitch] >= PresentShare * total) present |= 1u << pitch;
    }
    if (toneCount(present) < 2) return {0, 0};
    ChordFit best{0, -1e9f};
    for (int i = 0; i < AllCandidates.count; ++i) {
        const unsigned mask = AllCandidates.masks[i];
        if (toneCount(mask & present) < 2) continue;
        const float score = candidateScore(mask, share, present);
        if (score > best.score) best = {mask, score};
    }
    return best;
}
