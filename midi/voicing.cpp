// Voicing: pitch classes in a given order become keys, each the nearest above
// the one before, so the first note is always the lowest.
#include "midi/voicing.h"

#include <string_view>

namespace {

Voicing stackUpward(const int* pitchClasses, int count) {
    Voicing voicing{};
    for (int i = 0; i < count; ++i) {
        int key = VoicingBass + pitchClasses[i];
        while (i > 0 && key <= voicing.keys[i - 1]) key += PitchClassCount;
        voicing.keys[i] = key;
    }
    voicing.count = count;
    return voicing;
}

}  // namespace

Voicing voiceEntry(const NoteEntry& entry) { return voicePitches(pitchSetOf(entry, NoNote)); }

Voicing voicePitches(const PitchSet& set) {
    int notes[MaxPitchSetNotes];
    int count = 0;
    if (set.bass >= 0 && set.bass < PitchClassCount && (pitchMask(set) >> set.bass & 1u)) notes[count++] = set.bass;
    for (int place = 0; place < set.count; ++place)
        if (count == 0 || set.notes[place] != notes[0]) notes[count++] = set.notes[place];
    return stackUpward(notes, count);
}

Voicing voiceChord(int chordType, int root) {
    const ChordTemplate& chord = ChordTemplates[chordType];
    int notes[MaxChordNotes];
    for (int slot = 0; slot < chord.noteCount; ++slot)
        notes[slot] = (lookupNote(std::string_view(chord.text + 2 * slot, 2)) + root) % PitchClassCount;
    return stackUpward(notes, chord.noteCount);
}
