// The note model's constructors: one note at a time, or the strongest of a
// set of weights.
#include "analysis/pitch_set.h"

PitchSet emptyPitchSet() {
    PitchSet set{};
    for (int& note : set.notes) note = NoNote;
    set.bass = NoNote;
    return set;
}

unsigned pitchMask(const PitchSet& set) {
    unsigned mask = 0;
    for (int place = 0; place < set.count; ++place) mask |= 1u << set.notes[place];
    return mask;
}

void addPitch(PitchSet& set, int pitchClass, float weight, char letter, char accidental) {
    if (pitchClass < 0 || pitchClass >= PitchClassCount || set.count == MaxPitchSetNotes) return;
    if (pitchMask(set) >> pitchClass & 1u) return;
    set.spelling[set.count][0] = letter;
    set.spelling[set.count][1] = accidental;
    set.notes[set.count++] = pitchClass;
    set.weight[pitchClass] = weight;
    if (set.bass == NoNote) set.bass = pitchClass;
}

namespace {

// The pitch classes of some weight, strongest first, the lower first among equals.
int rankByWeight(const float (&weight)[PitchClassCount], int (&ranked)[PitchClassCount]) {
    int count = 0;
    for (int pitch = 0; pitch < PitchClassCount; ++pitch) {
        if (!(weight[pitch] > 0.0f)) continue;
        int place = count++;
        for (; place > 0 && weight[ranked[place - 1]] < weight[pitch]; --place) ranked[place] = ranked[place - 1];
        ranked[place] = pitch;
    }
    return count;
}

}  // namespace

PitchSet strongestPitches(const float (&weight)[PitchClassCount], int bass, bool flats) {
    int ranked[PitchClassCount];
    int sounding = rankByWeight(weight, ranked);
    int kept = sounding < MaxPitchSetNotes ? sounding : MaxPitchSetNotes;
    bool bassSounds = bass >= 0 && bass < PitchClassCount && weight[bass] > 0.0f;
    if (bassSounds) {
        bool bassKept = false;
        for (int place = 0; place < kept; ++place) bassKept |= ranked[place] == bass;
        if (!bassKept) ranked[kept - 1] = bass;
    }
    PitchSet set = emptyPitchSet();
    set.flats = flats;
    for (int place = 0; place < kept; ++place) addPitch(set, ranked[place], weight[ranked[place]]);
    set.bass = bassSounds ? bass : set.notes[0];
    return set;
}
