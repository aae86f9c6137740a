// Worked names: what a musician expects for inversions, ties, chords outside
// the eleven scored types, chords without their fifth, partial and rootless
// entries, and spellings; with some of their Harte labels.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "analysis/harte.h"

namespace {

struct NamingCase {
    const char* entry;  // the first note typed is the bass
    const char* symbol;
    const char* longName;
    const char* label = nullptr;  // the Harte label, where the case shows one
};

void PrintTo(const NamingCase& example, std::ostream* out) { *out << '"' << example.entry << '"'; }

class NamingExamples : public testing::TestWithParam<NamingCase> {};

TEST_P(NamingExamples, GivesSymbolAndLongForm) {
    NoteEntry entry = parseEntry(GetParam().entry);
    ChordName name = nameChord(entry, entry.typed[0]);
    EXPECT_STREQ(name.symbol, GetParam().symbol);
    EXPECT_STREQ(name.longName, GetParam().longName);
    EXPECT_EQ(name.named, *GetParam().symbol != '\0');
    if (GetParam().label != nullptr) {
        EXPECT_STREQ(harteLabel(name).text, GetParam().label);
    }
}

INSTANTIATE_TEST_SUITE_P(Inversions, NamingExamples, testing::Values(
    NamingCase{"e g c", "C/E", "C Major, E in the bass", "C:maj/3"},
    NamingCase{"g c e", "C/G", "C Major, G in the bass"},
    NamingCase{"b d f g", "G7/B", "G Dominant 7th, B in the bass", "G:7/3"},
    NamingCase{"g c", "C5/G", "C Power Chord, G in the bass", "C:5/5"}));

// Equal notes, different roots: the bass decides, then commonness.
INSTANTIATE_TEST_SUITE_P(TiesSettledByTheBass, NamingExamples, testing::Values(
    NamingCase{"c e g a", "C6", "C Major 6th"},
    NamingCase{"a c e g", "Am7", "A Minor 7th", "A:min7"},
    NamingCase{"e% g b% c", "Eb6", "Eb Major 6th"},
    NamingCase{"b d f a", "Bm7b5", "B Half-Diminished 7th", "B:hdim7"},
    NamingCase{"d f a b", "Dm6", "D Minor 6th"},
    NamingCase{"f a b d", "Dm6/F", "D Minor 6th, F in the bass"},  // m6 is more common than m7b5
    NamingCase{"e% g% a c", "Ebdim7", "Eb Diminished 7th", "Eb:dim7"},
    NamingCase{"g# c e", "G#aug", "G# Augmented"},
    NamingCase{"g c d", "Gsus4", "G Suspended 4th"},
    NamingCase{"c d g", "Csus2", "C Suspended 2nd"},
    NamingCase{"d g a c e", "D9sus4", "D Dominant 9th Suspended 4th", "D:sus4(b7,9)"},
    NamingCase{"c d e g a", "C6/9", "C Six-Nine", "C:maj6(9)"}));

// A few of the chords beyond the scored eleven; the oracle test reads every
// one back, and the help document's table is held to the vocabulary.
INSTANTIATE_TEST_SUITE_P(BeyondTheElevenTypes, NamingExamples, testing::Values(
    NamingCase{"b d f", "Bdim", "B Diminished"},
    NamingCase{"c f g", "Csus4", "C Suspended 4th"},
    NamingCase{"c e% g b", "CmMaj7", "C Minor-Major 7th", "C:minmaj7"},
    NamingCase{"c e g# b%", "C7#5", "C Augmented 7th"},
    NamingCase{"c e g b% f#", "C7#11", "C Dominant 7th Sharp 11th"},
    NamingCase{"e c d g a", "C6/9/E", "C Six-Nine, E in the bass"},
    NamingCase{"c e g b d", "Cmaj9", "C Major 9th", "C:maj9"}));

// The rarer chords, and the everyday ones that win over their rare twins.
INSTANTIATE_TEST_SUITE_P(RarerChords, NamingExamples, testing::Values(
    NamingCase{"c e g% b", "Cmaj7b5", "C Major 7th Flat 5th", "C:(1,3,b5,7)"},  // before Cmaj7#11 without its fifth
    NamingCase{"c e g% b% d", "C9b5", "C Dominant 9th Flat 5th"},
    NamingCase{"c e g# b% d", "C9#5", "C Augmented 9th", "C:aug(b7,9)"},
    NamingCase{"c e g b d%", "Cmaj7b9", "C Major 7th Flat 9th", "C:maj7(b9)"},
    NamingCase{"c f g# b%", "C7#5sus4", "C Augmented 7th Suspended 4th", "C:(1,4,#5,b7)"},
    NamingCase{"c e% a%", "Ab/C", "Ab Major, C in the bass"},  // not Cm#5
    NamingCase{"c f b% e%", "F7sus4/C", "F Dominant 7th Suspended 4th, C in the bass"},  // not C quartal
    NamingCase{"c e g% b%", "C7b5", "C Dominant 7th Flat 5th"}));

// Shell voicings: only the fifth left out, named exactly.
INSTANTIATE_TEST_SUITE_P(WithoutTheFifth, NamingExamples, testing::Values(
    NamingCase{"c e b%", "C7", "C Dominant 7th, no 5th", "C:7(*5)"},
    NamingCase{"e c b%", "C7/E", "C Dominant 7th, no 5th, E in the bass", "C:7(*5)/3"},
    NamingCase{"c e% b%", "Cm7", "C Minor 7th, no 5th", "C:min7(*5)"},
    NamingCase{"c e b% d%", "C7b9", "C Dominant Minor 9th, no 5th", "C:7(b9,*5)"},
    NamingCase{"c e b% d a", "C13", "C Dominant 13th, no 5th", "C:9(13,*5)"},  // rooted on the bass, before Bbmaj9b5/C
    NamingCase{"c d e a", "C6/9", "C Six-Nine, no 5th"},         // and before Amadd11/C
    NamingCase{"c f b%", "Fsus4/C", "F Suspended 4th, C in the bass"}));  // all its notes: not C7sus4

// No exact chord: the best score, the ratio in the long form, '?' in the symbol.
INSTANTIATE_TEST_SUITE_P(PartialAndRootless, NamingExamples, testing::Values(
    NamingCase{"c g b", "Cmaj7?", "C Major 7th, partial 3/4"},  // a missing third is no shell
    NamingCase{"c c# e f g", "C7b9?", "C Dominant Minor 9th, partial 4/5"},
    NamingCase{"c e f", "Fmaj7/C?", "F Major 7th, C in the bass, partial 3/4", "F:maj7/5"},
    NamingCase{"e g b% d", "Em7b5", "E Half-Diminished 7th"},  // a rootless C9 is itself a chord
    NamingCase{"c e% e f#", "Cdim7?", "C Diminished 7th, partial 3/4"},
    NamingCase{"c c# e% g a%", "Abmaj7/C?", "Ab Major 7th, C in the bass, partial 4/5"}));

// Typed notes keep their spelling; others follow the entry's accidentals.
INSTANTIATE_TEST_SUITE_P(Spelling, NamingExamples, testing::Values(
    NamingCase{"b% d f", "Bb", "Bb Major"},
    NamingCase{"a# d f", "A#", "A# Major"},
    NamingCase{"c% e% g%", "Cb", "Cb Major"},
    NamingCase{"e# a c", "E#", "E# Major"},
    NamingCase{"e% a c", "Adim/Eb", "A Diminished, Eb in the bass"},
    NamingCase{"e% d f", "Bb/Eb?", "Bb Major, Eb in the bass, partial 2/3", "Bb:maj/4"},
    NamingCase{"f d f#", "A#/F?", "A# Major, F in the bass, partial 2/3"}));

INSTANTIATE_TEST_SUITE_P(NothingToName, NamingExamples, testing::Values(
    NamingCase{"", "", ""},
    NamingCase{"xyz", "", ""},
    NamingCase{"c c b#", "", ""},
    NamingCase{"c e", "", "", "N"},
    NamingCase{"c f#", "", ""}));

TEST(NameChord, TakesTheBassItIsGivenAmongTheEntrysNotes) {
    NoteEntry entry = parseEntry("c e g");
    EXPECT_STREQ(nameChord(entry, 4).symbol, "C/E");
    EXPECT_STREQ(nameChord(entry, 7).longName, "C Major, G in the bass");
    // A bass that is not one of the notes, or no pitch class at all, gives way to the first typed.
    for (int stray : {2, NoNote, -1, 12})
        EXPECT_STREQ(nameChord(entry, stray).symbol, "C") << stray;
}

}  // namespace
