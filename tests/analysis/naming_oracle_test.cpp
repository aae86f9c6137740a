// Every set of two to five pitch classes, over each of its notes as the bass,
// named and checked against a plain search through the whole vocabulary on
// all twelve roots, with the degrees read by this test's own reckoning; every
// partial name's Harte label read back to the chord it names, and the label of
// every chord on every root and bass, with and without its fifth, read back too.
#include <gtest/gtest.h>

#include <bit>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/harte.h"
#include "analysis/naming.h"
#include "harte_reader.h"

namespace {

int semitonesOf(const std::string& degree) {
    static const std::map<std::string, int> Semitones = {
        {"1", 0},   {"b2", 1}, {"2", 2},  {"9", 2},  {"b9", 1},  {"#9", 3},   {"b3", 3},  {"b10", 3},
        {"3", 4},   {"4", 5},  {"11", 5}, {"#11", 6}, {"b5", 6}, {"5", 7},    {"#5", 8},  {"b6", 8},
        {"b13", 8}, {"6", 9},  {"13", 9}, {"bb7", 9}, {"b7", 10}, {"7", 11}};
    return Semitones.at(degree);
}

unsigned readChordNotes(int chord, int root) {
    std::istringstream degrees(ChordVocabulary[chord].degrees);
    unsigned notes = 0;
    for (std::string degree; degrees >> degree;) notes |= 1u << (root + semitonesOf(degree)) % 12;
    return notes;
}

// Read once: the search below asks for them millions of times.
unsigned chordNotes(int chord, int root) {
    static const std::vector<unsigned> Notes = [] {
        std::vector<unsigned> notes;
        for (int each = 0; each < VocabularySize * 12; ++each) notes.push_back(readChordNotes(each / 12, each % 12));
        return notes;
    }();
    return Notes[chord * 12 + root];
}

struct Expected {
    bool named = false, exact = false, fifthOmitted = false;
    int chord = 0, root = 0, matches = 0, divisor = 1;
};

constexpr int Everyday = 31;  // the vocabulary's first rows, the chords met every day

bool everydayComplete(const Expected& name) { return name.exact && !name.fifthOmitted && name.chord < Everyday; }

// The rule written out: an everyday chord with all its notes first, then the
// bass as root, then all notes before a fifth left out, then everyday before
// rarer, then the vocabulary's order, then the root nearest above the bass; a
// partial fit by its ratio first.
bool before(const Expected& a, const Expected& b, int bass) {
    if (a.matches * b.divisor != b.matches * a.divisor) return a.matches * b.divisor > b.matches * a.divisor;
    if (everydayComplete(a) != everydayComplete(b)) return everydayComplete(a);
    if ((a.root == bass) != (b.root == bass)) return a.root == bass;
    if (a.fifthOmitted != b.fifthOmitted) return !a.fifthOmitted;
    if ((a.chord < Everyday) != (b.chord < Everyday)) return a.chord < Everyday;
    if (a.chord != b.chord) return a.chord < b.chord;
    return (a.root - bass + 12) % 12 < (b.root - bass + 12) % 12;
}

enum Pass { Exact, WithoutFifth, Partial };

// Whether the chord on the root is a candidate of that pass.
bool candidateOf(Pass pass, int chord, int root, unsigned notes) {
    unsigned chordSet = chordNotes(chord, root);
    unsigned fifth = 1u << (root + 7) % 12;
    if (pass == Exact) return chordSet == notes;
    if (pass == WithoutFifth) return std::popcount(notes) >= 3 && (chordSet & fifth) && (chordSet & ~fifth) == notes;
    return ChordVocabulary[chord].chordType != NotScored;
}

Expected expectedName(unsigned notes, int bass) {
    int entered = std::popcount(notes);
    Expected best;
    for (Pass pass : {Exact, WithoutFifth, Partial}) {
        for (int chord = 0; chord < VocabularySize; ++chord)
            for (int root = 0; root < 12; ++root) {
                if (!candidateOf(pass, chord, root, notes)) continue;
                unsigned chordSet = chordNotes(chord, root);
                int size = std::popcount(chordSet);
                Expected candidate{true, pass != Partial, pass == WithoutFifth, chord, root,
                                   std::popcount(chordSet & notes), std::max(size, entered)};
                if (pass != Partial) candidate.matches = candidate.divisor = entered;
                if (!best.named || before(candidate, best, bass)) best = candidate;
            }
        if ((pass == WithoutFifth && best.named) || (pass == Exact && entered < 3)) return best;
    }
    return best;
}

std::string typeNotes(unsigned notes, int bass) {
    static const char* const Names[12] = {"c", "c#", "d", "e%", "e", "f", "f#", "g", "a%", "a", "b%", "b"};
    std::string text = Names[bass];
    for (int pitch = 0; pitch < 12; ++pitch)
        if (pitch != bass && (notes >> pitch & 1u)) text += std::string(" ") + Names[pitch];
    return text;
}

// An exact symbol read back: its root, its suffix's chord (up to the slash
// before the bass, as 6/9 has one of its own), their notes.
unsigned notesOfSymbol(std::string symbol, const std::string& bassName) {
    std::string slashBass = "/" + bassName;
    if (symbol.ends_with(slashBass)) symbol.resize(symbol.size() - slashBass.size());
    std::size_t rootLength = symbol.size() > 1 && (symbol[1] == '#' || symbol[1] == 'b') ? 2 : 1;
    std::string root = symbol.substr(0, rootLength);
    if (root.size() == 2 && root[1] == 'b') root[1] = '%';
    std::string suffix = symbol.substr(rootLength);
    for (int chord = 0; chord < VocabularySize; ++chord)
        if (suffix == ChordVocabulary[chord].suffix) return chordNotes(chord, lookupNote(root));
    ADD_FAILURE() << "no chord has the suffix of " << symbol;
    return 0;
}

float bestScore() {
    float best = 0;
    for (float score : MatchMatrix) best = std::max(best, score);
    return best;
}

TEST(NamingOracle, EverySetOverEveryBass) {
    int named = 0, exact = 0, withoutFifth = 0;
    for (unsigned notes = 1; notes < 1u << 12; ++notes) {
        int entered = std::popcount(notes);
        if (entered < 2 || entered > 5) continue;
        for (int bass = 0; bass < 12; ++bass) {
            if ((notes >> bass & 1u) == 0) continue;
            std::string typed = typeNotes(notes, bass);
            NoteEntry entry = parseEntry(typed.c_str());
            ChordName name = nameChord(entry, bass);
            Expected expected = expectedName(notes, bass);
            ASSERT_EQ(name.named, expected.named) << typed;
            if (!name.named) continue;
            ++named;
            ASSERT_EQ(name.exact, expected.exact) << typed;
            ASSERT_EQ(name.fifthOmitted, expected.fifthOmitted) << typed << ": " << name.symbol;
            ASSERT_EQ(name.chord, expected.chord) << typed << ": " << name.symbol;
            ASSERT_EQ(name.root, expected.root) << typed << ": " << name.symbol;
            ASSERT_EQ(name.matches * expected.divisor, expected.matches * name.divisor) << typed;
            if (name.exact) {
                ++exact;
                withoutFifth += name.fifthOmitted;
                unsigned fifth = name.fifthOmitted ? 1u << (name.root + 7) % 12 : 0;
                ASSERT_EQ(notesOfSymbol(name.symbol, name.bassName) & ~fifth, notes) << typed << ": " << name.symbol;
                continue;
            }
            // A partial name's label is its chord's, over the bass (exact ones are all read below).
            ReadLabel label = readHarteLabel(harteLabel(name).text);
            ASSERT_TRUE(label.valid && label.root == name.root && label.bass == bass) << harteLabel(name).text;
            ASSERT_EQ(label.notes, chordNotes(name.chord, name.root) | 1u << bass) << typed << ": " << harteLabel(name).text;
            // A partial name stands on the tallest spike of the picture.
            runAnalysis(typed.c_str());
            int type = ChordVocabulary[name.chord].chordType;
            float ratio = static_cast<float>(name.matches) / static_cast<float>(name.divisor);
            float score = 2.0f * ratio * ratio;
            ASSERT_EQ(MatchMatrix[type * 12 + (name.root + 3) % 12], bestScore()) << typed;
            ASSERT_EQ(score, bestScore()) << typed;
        }
    }
    // Every typing of three to five notes, and the twelve fifths in both orders;
    // the exact names were each read back above.
    EXPECT_EQ(named, 3 * 220 + 4 * 495 + 5 * 792 + 2 * 12);
    EXPECT_GT(exact, withoutFifth);
    EXPECT_GT(withoutFifth, 0);
}

// Chords that an everyday twin always outnames (Cm#5 is Ab/C) have labels too.
TEST(NamingOracle, EveryChordsLabelReadsBackOnEveryRootAndBass) {
    static const char* const Roots[] = {"C", "Db", "D", "D#", "E", "F", "Gb", "G", "G#", "A", "Bb", "B"};
    for (int chord = 0; chord < VocabularySize; ++chord)
        for (int root = 0; root < 12; ++root)
            for (bool fifthOmitted : {false, true}) {
                unsigned fifth = 1u << (root + 7) % 12, notes = chordNotes(chord, root);
                if (fifthOmitted && (notes & fifth) == 0) continue;
                if (fifthOmitted) notes &= ~fifth;
                for (int bass = 0; bass < 12; ++bass) {
                    if ((notes >> bass & 1u) == 0) continue;
                    ChordName name{};
                    name.named = name.exact = true;
                    name.fifthOmitted = fifthOmitted;
                    name.chord = chord, name.root = root, name.bass = bass;
                    std::snprintf(name.rootName, sizeof name.rootName, "%s", Roots[root]);
                    std::string label = harteLabel(name).text;
                    ReadLabel back = readHarteLabel(label);
                    ASSERT_TRUE(back.valid && back.chord) << label;
                    ASSERT_EQ(back.root, root) << label;
                    ASSERT_EQ(back.notes, notes) << label << " for " << ChordVocabulary[chord].degrees;
                    ASSERT_EQ(back.bass, bass) << label;
                }
            }
    // The reader takes only what the grammar allows.
    for (const char* bad : {"", "H:maj", "C:", "C:foo", "C:maj()", "C:(1,3", "C:maj/14", "C:maj(3,)", "c:maj"})
        EXPECT_FALSE(readHarteLabel(bad).valid) << bad;
}

}  // namespace
