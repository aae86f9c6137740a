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

// The entry keeps its notes sorted; the recognised-notes text keeps them as
// typed, two characters each after a two-character lead and a blank apart.
Voicing voiceEntry(const NoteEntry& entry) {
    int typed[MaxEnteredNotes];
    for (int i = 0; i < entry.count; ++i) typed[i] = lookupNote(std::string_view(entry.echo + 2 + 3 * i, 2));
    return stackUpward(typed, entry.count);
}

Voicing voiceChord(int chordType, int root) {
    const ChordTemplate& chord = ChordTemplates[chordType];
    int notes[MaxChordNotes];
    for (int slot = 0; slot < chord.noteCount; ++slot)
        notes[slot] = (lookupNote(std::string_view(chord.text + 2 * slot, 2)) + root) % PitchClassCount;
    return stackUpward(notes, chord.noteCount);
}
