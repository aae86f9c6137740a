// Match scoring: every chord type on every root against the entered notes.
//
// The chords never change, so what can be known in advance is: which chords
// hold each pitch class, and the score of every (matches, divisor) pair. A run
// adds, cell by cell, where the divisor's scores start and one match flag per
// place in the note list, and so lands on the cell's score.
// Eight cells share a 64-bit word, one byte each; no byte ever exceeds 35,
// so adding whole words adds the bytes.
#include <cstdint>

#include "analysis/analysis.h"

AnalysisRecord Analysis = {};
float (&MatchMatrix)[ChordTypeCount * RootCount] = Analysis.MatchMatrix;

namespace {

constexpr int CellCount = ChordTypeCount * RootCount;
constexpr int CellsPerWord = 8;
constexpr int WordCount = (CellCount + CellsPerWord - 1) / CellsPerWord;

// One byte per MatchMatrix cell.
struct CellBytes {
    std::uint64_t words[WordCount];
};

constexpr void setCell(CellBytes& bytes, int cell, int value) {
    bytes.words[cell / CellsPerWord] |= static_cast<std::uint64_t>(value) << (8 * (cell % CellsPerWord));
}

// The template's notes on C, read by name.
constexpr int templateNote(int type, int slot) {
    const char* text = ChordTemplates[type].text;
    const char name[] = {text[2 * slot], text[2 * slot + 1], '\0'};
    return lookupNote(name);
}

// containsPitch[p]: 1 in every cell whose chord holds pitch class p. The
// last row, all zeros, stands for an empty place in the note list, so that
// every run adds the same five rows.
constexpr int EmptyPlace = PitchClassCount;

struct ChordMembership {
    CellBytes containsPitch[PitchClassCount + 1];
};

constexpr ChordMembership buildMembership() {
    ChordMembership membership{};
    for (int type = 0; type < ChordTypeCount; ++type)
        for (int slot = 0; slot < ChordTemplates[type].noteCount; ++slot)
            for (int pitchRoot = 0; pitchRoot < PitchClassCount; ++pitchRoot) {
                int pitch = templateNote(type, slot) + pitchRoot;
                if (pitch > 11) pitch -= 12;
                setCell(membership.containsPitch[pitch], matchCell(type, displayRootOf(pitchRoot)), 1);
            }
    return membership;
}

constexpr ChordMembership Membership = buildMembership();

// The score of m matches over the divisor d sits at index d * ScoreRow + m:
// 2 * (m / d)^2, the ratio held in single precision.
constexpr int ScoreRow = MaxChordNotes + 1;

struct ScoreTable {
    float score[ScoreRow * ScoreRow];
};

constexpr ScoreTable buildScores() {
    ScoreTable table{};
    for (int divisor = 1; divisor <= MaxChordNotes; ++divisor)
        for (int matches = 0; matches <= divisor; ++matches) {
            float ratio = static_cast<float>(static_cast<long double>(matches) / divisor);
            table.score[divisor * ScoreRow + matches] = static_cast<float>(2.0L * ratio * ratio);
        }
    return table;
}

constexpr ScoreTable Scores = buildScores();

// For each count of entered notes, every cell's divisor (the larger of the
// chord's size and that count) as the start of its row in Scores.
struct DivisorTable {
    CellBytes scoreRowStart[MaxEnteredNotes + 1];
};

constexpr DivisorTable buildDivisors() {
    DivisorTable table{};
    for (int entered = 0; entered <= MaxEnteredNotes; ++entered)
        for (int cell = 0; cell < CellCount; ++cell) {
            int noteCount = ChordTemplates[cell / RootCount].noteCount;
            setCell(table.scoreRowStart[entered], cell, ScoreRow * (entered > noteCount ? entered : noteCount));
        }
    return table;
}

constexpr DivisorTable Divisors = buildDivisors();

// The eight cells of one word, each byte picking its cell's score.
void storeScores(float* cells, std::uint64_t bytes) {
#pragma GCC unroll 8
    for (int cell = 0; cell < CellsPerWord; ++cell, bytes >>= 8) cells[cell] = Scores.score[bytes & 0xFF];
}

void storeLastScores(float* cells, std::uint64_t bytes) {
    for (int cell = (WordCount - 1) * CellsPerWord; cell < CellCount; ++cell, bytes >>= 8)
        cells[cell] = Scores.score[bytes & 0xFF];
}

}  // namespace

void scoreChords(const PitchSet& set, float (&scores)[CellCount]) {
    const CellBytes* rows[MaxEnteredNotes];
    for (int place = 0; place < MaxEnteredNotes; ++place)
        rows[place] = &Membership.containsPitch[place < set.count ? set.notes[place] : EmptyPlace];
    const CellBytes& divisors = Divisors.scoreRowStart[set.count];
    for (int word = 0; word < WordCount; ++word) {
        std::uint64_t bytes = divisors.words[word] + rows[0]->words[word] + rows[1]->words[word] +
                              rows[2]->words[word] + rows[3]->words[word] + rows[4]->words[word];
        if (word < WordCount - 1) storeScores(scores + word * CellsPerWord, bytes);
        else storeLastScores(scores, bytes);
    }
}

const char* runAnalysis(const PitchSet& set) {
    Analysis.pitches = set;
    writeEcho(set, Analysis.echo);
    scoreChords(set, MatchMatrix);
    return Analysis.echo;
}

const char* runAnalysis(const char* entry) { return runAnalysis(pitchSetOf(parseEntry(entry), NoNote)); }

void resetAnalysis() {
    Analysis = AnalysisRecord{};
}
