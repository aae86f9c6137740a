// Harte labels: worked labels of typed chords, and every chord of the
// vocabulary on every root, spelled with sharps and with flats, with and
// without its fifth, over each of its notes, read back by an independent
// reader of the grammar to the same root, pitch classes and bass.
#include <gtest/gtest.h>

#include <string>

#include "analysis/harte.h"
#include "harte_reader.h"

namespace {

struct LabelCase {
    const char* entry;  // the first note typed is the bass
    const char* label;
};

void PrintTo(const LabelCase& example, std::ostream* out) { *out << '"' << example.entry << '"'; }

class HarteExamples : public testing::TestWithParam<LabelCase> {};

TEST_P(HarteExamples, LabelTheNamedChord) {
    NoteEntry entry = parseEntry(GetParam().entry);
    EXPECT_STREQ(harteLabel(nameChord(entry, entry.typed[0])).text, GetParam().label);
}

INSTANTIATE_TEST_SUITE_P(Shorthands, HarteExamples, testing::Values(
    LabelCase{"e g c", "C:maj/3"}, LabelCase{"a c e g", "A:min7"}, LabelCase{"b d f g", "G:7/3"},
    LabelCase{"f# a c e", "F#:hdim7"}, LabelCase{"e% g% a c", "Eb:dim7"}, LabelCase{"g# c e", "G#:aug"},
    LabelCase{"b% d f a", "Bb:maj7"}, LabelCase{"c e% g b", "C:minmaj7"}, LabelCase{"d f a b", "D:min6"},
    LabelCase{"c e g b% d", "C:9"}, LabelCase{"g c d", "G:sus4"}, LabelCase{"c d g", "C:sus2"},
    LabelCase{"g c", "C:5/5"}));

// Degrees beyond a shorthand, or every degree when none has three of them;
// the bass within the octave.
INSTANTIATE_TEST_SUITE_P(DegreeLists, HarteExamples, testing::Values(
    LabelCase{"c e g a d", "C:maj6(9)"}, LabelCase{"c e g b% d%", "C:7(b9)"},
    LabelCase{"c f g# b%", "C:(1,4,#5,b7)"}, LabelCase{"c e g% b", "C:(1,3,b5,7)"},
    LabelCase{"c e% g% b% d", "C:hdim7(9)"}, LabelCase{"c d f# a e", "D:9/b7"},
    LabelCase{"e c g b d", "C:maj9/3"}, LabelCase{"c f g b% d", "C:sus4(b7,9)"}));

INSTANTIATE_TEST_SUITE_P(WithoutTheFifth, HarteExamples, testing::Values(
    LabelCase{"c e b%", "C:7(*5)"}, LabelCase{"e c b%", "C:7(*5)/3"}, LabelCase{"c e% b%", "C:min7(*5)"},
    LabelCase{"c e b% d a", "C:9(13,*5)"}, LabelCase{"c e b% d%", "C:7(b9,*5)"}));

// A partial name's label is its chord's, over the bass even outside it.
INSTANTIATE_TEST_SUITE_P(Partial, HarteExamples, testing::Values(
    LabelCase{"c e f", "F:maj7/5"}, LabelCase{"e% d f", "Bb:maj/4"}));

INSTANTIATE_TEST_SUITE_P(NoChord, HarteExamples, testing::Values(LabelCase{"c e", "N"}, LabelCase{"", "N"}));

unsigned onRoot(unsigned shape, int root) {
    return (shape << root | shape >> (PitchClassCount - root)) & ((1u << PitchClassCount) - 1);
}

TEST(HarteLabels, ReadBackForEveryChordOnEveryRootAndBass) {
    static const char* const Spellings[2][PitchClassCount] = {
        {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"},
        {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"}};
    int read = 0;
    for (int chord = 0; chord < VocabularySize; ++chord)
        for (int root = 0; root < PitchClassCount; ++root)
            for (bool fifthOmitted : {false, true}) {
                unsigned shape = ShapeOnC.onC[chord];
                if (fifthOmitted && !holdsFifth(shape)) continue;
                unsigned notes = onRoot(fifthOmitted ? shape & ~(1u << FifthSemitones) : shape, root);
                for (int bass = 0; bass < PitchClassCount; ++bass) {
                    if ((notes >> bass & 1u) == 0) continue;
                    for (const auto& spelling : Spellings) {
                        ChordName name{};
                        name.named = name.exact = true;
                        name.fifthOmitted = fifthOmitted;
                        name.chord = chord;
                        name.root = root;
                        name.bass = bass;
                        std::snprintf(name.rootName, sizeof name.rootName, "%s", spelling[root]);
                        std::string label = harteLabel(name).text;
                        ReadLabel back = readHarteLabel(label);
                        ASSERT_TRUE(back.valid && back.chord) << label;
                        EXPECT_EQ(back.root, root) << label;
                        EXPECT_EQ(back.notes, notes) << label << ": " << ChordVocabulary[chord].degrees;
                        EXPECT_EQ(back.bass, bass) << label;
                        ++read;
                    }
                }
            }
    EXPECT_GT(read, VocabularySize * 12 * 2 * 3);
}

// The reader is strict, so that a label it takes is one the grammar allows.
TEST(HarteReader, RefusesWhatTheGrammarDoesNot) {
    for (const char* text : {"", "H:maj", "C:", "C:foo", "C:maj(", "C:maj()", "C:(1,3", "C:maj/", "C:maj/14",
                             "C:(1,0)", "C:maj7 ", "c:maj", "C:maj(3,)"})
        EXPECT_FALSE(readHarteLabel(text).valid) << text;
    ReadLabel bare = readHarteLabel("Bb/3");
    EXPECT_TRUE(bare.valid);
    EXPECT_EQ(bare.notes, 1u << 10 | 1u << 2 | 1u << 5);
    EXPECT_EQ(bare.bass, 2);
    EXPECT_FALSE(readHarteLabel("N").chord);
}

}  // namespace
