// Entry parsing: note names out of free text, with blanks ignored; the
// entry as the note model, and the echo of the recognised notes.
#include "analysis/analysis.h"

namespace {

// What lookupNote answers for every byte alone, with '#' and with '%',
// worked out once so that parsing does no table searches.
struct NameLookup {
    signed char alone[256];
    signed char sharp[256];
    signed char flat[256];
};

constexpr NameLookup buildNameLookup() {
    NameLookup lookup{};
    for (int byte = 0; byte < 256; ++byte) {
        char c = static_cast<char>(byte);
        const char alone[] = {c, '\0'}, sharp[] = {c, '#', '\0'}, flat[] = {c, '%', '\0'};
        lookup.alone[byte] = static_cast<signed char>(lookupNote(alone));
        lookup.sharp[byte] = static_cast<signed char>(lookupNote(sharp));
        lookup.flat[byte] = static_cast<signed char>(lookupNote(flat));
    }
    return lookup;
}

constexpr NameLookup Names = buildNameLookup();

// Blanks separate nothing: "c #" names C sharp, as "c#" does.
const char* skipBlanks(const char* text) {
    while (*text == ' ') ++text;
    return text;
}

NoteEntry emptyEntry() {
    NoteEntry entry{};
    for (int& note : entry.notes) note = NoNote;
    for (int& note : entry.typed) note = NoNote;
    entry.echo[0] = ' ';
    entry.echo[1] = ' ';
    return entry;
}

// A note already taken, under this name or another, is passed over.
void takeNote(NoteEntry& entry, int pitch, char letter, char accidental) {
    if (pitch == NoNote || entry.seen[pitch]) return;
    entry.seen[pitch] = true;
    entry.typed[entry.count] = pitch;
    entry.notes[entry.count++] = pitch;
    char* end = entry.echo + 2 + 3 * (entry.count - 1);
    end[0] = upperAscii(letter);
    end[1] = accidental;
    end[2] = ' ';
}

void sortNotes(NoteEntry& entry) {
    for (int i = 1; i < entry.count; ++i)
        for (int j = i; j > 0 && entry.notes[j - 1] > entry.notes[j]; --j) {
            int note = entry.notes[j];
            entry.notes[j] = entry.notes[j - 1];
            entry.notes[j - 1] = note;
        }
}

}  // namespace

NoteEntry parseEntry(const char* entry) {
    NoteEntry result = emptyEntry();
    const char* at = skipBlanks(entry);
    while (*at != '\0' && result.count < MaxEnteredNotes) {
        unsigned char letter = static_cast<unsigned char>(*at);
        const char* next = skipBlanks(at + 1);
        if (*next == '#' || *next == '%') {
            takeNote(result, *next == '#' ? Names.sharp[letter] : Names.flat[letter], *at, *next);
            at = skipBlanks(next + 1);
        } else {
            takeNote(result, Names.alone[letter], *at, ' ');
            at = next;
        }
    }
    sortNotes(result);
    return result;
}

PitchSet pitchSetOf(const NoteEntry& entry, int bassPitch) {
    PitchSet set = emptyPitchSet();
    for (int place = 0; place < entry.count; ++place) {
        const char* written = entry.echo + 2 + 3 * place;
        char accidental = written[1] == '%' ? 'b' : written[1];
        set.flats |= accidental == 'b';
        addPitch(set, entry.typed[place], 1.0f, written[0], accidental);
    }
    if (bassPitch >= 0 && bassPitch < PitchClassCount && entry.seen[bassPitch]) set.bass = bassPitch;
    return set;
}

void writeEcho(const PitchSet& set, char (&echo)[EchoCapacity]) {
    char* end = echo;
    *end++ = ' ';
    *end++ = ' ';
    for (int place = 0; place < set.count; ++place) {
        const char* named = (set.flats ? FlatNames : SharpNames) + 2 * set.notes[place];
        const char* written = set.spelling[place][0] != '\0' ? set.spelling[place] : named;
        *end++ = written[0];
        *end++ = written[1] == 'b' || written[1] == '*' ? '%' : written[1];
        *end++ = ' ';
    }
    *end = '\0';
}
