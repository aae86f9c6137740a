// The chord that a span's weights fit best (chord_fit.h). A chord's tones
// count for it, every other pitch class against it, and a tone of the chord
// that hardly sounds costs more than a passing note does, so that a passing
// seventh in the melody leaves a triad a triad while a seventh that really
// sounds makes it a seventh chord.
#include "piece/chord_fit.h"

#include <array>

namespace {

constexpr float OutsideCost = 1.0f;     // per unit of weight off the chord
constexpr float MissingCost = 0.3f;     // per tone of the chord that hardly sounds
constexpr float ExtraToneCost = 0.1f;   // per tone beyond three, so the simpler chord wins a tie
constexpr float PresentShare = 0.25f;   // a tone sounds when it has this share of the strongest's weight

// The shapes on C, as sets of pitch classes. Sixths are the seventh chords'
// inversions (C6 is Am7's notes) and need no shapes of their own.
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
    0x081,  // power chord: C G
};

constexpr unsigned rotate(unsigned shape, int root) {
    return ((shape << root) | (shape >> (PitchClassCount - root))) & 0xFFFu;
}

constexpr int toneCount(unsigned mask) {
    int count = 0;
    for (; mask != 0; mask &= mask - 1) ++count;
    return count;
}

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
    for (int pitch = 0; pitch < PitchClassCount; ++pitch)
        if (mask >> pitch & 1u) inside += share[pitch];
    const int tones = toneCount(mask);
    const int missing = tones - toneCount(mask & present);
    return inside - OutsideCost * (1 - inside) - MissingCost * missing - ExtraToneCost * (tones > 3 ? tones - 3 : 0);
}

}  // namespace

ChordFit fitChord(const float (&weight)[PitchClassCount]) {
    float total = 0, strongest = 0;
    for (float w : weight) {
        total += w;
        if (w > strongest) strongest = w;
    }
    float share[PitchClassCount];
    unsigned present = 0;
    for (int pitch = 0; pitch < PitchClassCount; ++pitch) {
        share[pitch] = total > 0 ? weight[pitch] / total : 0;
        if (weight[pitch] > 0 && weight[pitch] >= PresentShare * strongest) present |= 1u << pitch;
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
