// Match scoring: every chord type on every root against the entered notes.
#include <bit>

#include "analysis/analysis.h"

float MatchMatrix[ChordTypeCount * RootCount];

namespace {

char analysisEcho[EchoCapacity];

using PitchSet = unsigned;  // bit p set: pitch class p is present

// The template's notes moved up to the root, as a set.
constexpr PitchSet chordNotes(int type, int root) {
    const ChordTemplate& chord = ChordTemplates[type];
    PitchSet notes = 0;
    for (int slot = 0; slot < chord.noteCount; ++slot) {
        const char name[] = {chord.text[2 * slot], chord.text[2 * slot + 1], '\0'};
        int pitch = lookupNote(name) + root;
        if (pitch > 11) pitch -= 12;
        notes |= 1u << pitch;
    }
    return notes;
}

// Chord note sets laid out like MatchMatrix: column = DisplayRoot, counted from A.
struct ChordSetTable {
    PitchSet notes[ChordTypeCount * RootCount];
};

constexpr ChordSetTable buildChordSets() {
    ChordSetTable table{};
    for (int type = 0; type < ChordTypeCount; ++type)
        for (int root = 0; root < RootCount; ++root)
            table.notes[type * RootCount + (root + 3) % 12] = chordNotes(type, root);
    return table;
}

constexpr ChordSetTable ChordSets = buildChordSets();

// score[d][m] = 2 * (m / d)^2, the ratio held in single precision.
struct ScoreTable {
    float score[MaxChordNotes + 1][MaxChordNotes + 1];
};

constexpr ScoreTable buildScores() {
    ScoreTable table{};
    for (int divisor = 1; divisor <= MaxChordNotes; ++divisor)
        for (int matches = 0; matches <= divisor; ++matches) {
            float ratio = static_cast<float>(static_cast<long double>(matches) / divisor);
            table.score[divisor][matches] = static_cast<float>(2.0L * ratio * ratio);
        }
    return table;
}

constexpr ScoreTable Scores = buildScores();

PitchSet enteredSet(const NoteEntry& entry) {
    PitchSet notes = 0;
    for (int i = 0; i < entry.count; ++i) notes |= 1u << entry.notes[i];
    return notes;
}

void copyEcho(const char* echo) {
    int i = 0;
    for (; echo[i] != '\0'; ++i) analysisEcho[i] = echo[i];
    analysisEcho[i] = '\0';
}

}  // namespace

const char* runAnalysis(const char* entry) {
    NoteEntry parsed = parseEntry(entry);
    copyEcho(parsed.echo);
    PitchSet entered = enteredSet(parsed);
    for (int type = 0; type < ChordTypeCount; ++type) {
        int noteCount = ChordTemplates[type].noteCount;
        const float* scoreByMatches = Scores.score[parsed.count > noteCount ? parsed.count : noteCount];
        for (int root = 0; root < RootCount; ++root) {
            int cell = type * RootCount + root;
            MatchMatrix[cell] = scoreByMatches[std::popcount(entered & ChordSets.notes[cell])];
        }
    }
    return analysisEcho;
}
