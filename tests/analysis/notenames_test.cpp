// Note-name lookup: every letter with and without accidentals, aliases across
// the tables, case and what is no name.
#include <gtest/gtest.h>

#include "analysis/analysis.h"

namespace {

TEST(LookupNote, NamesEveryLetterAloneSharpAndFlat) {
    const char letters[] = "CDEFGAB";
    const int naturals[] = {0, 2, 4, 5, 7, 9, 11};
    for (int i = 0; i < 7; ++i) {
        const char alone[] = {letters[i], '\0'};
        const char sharp[] = {letters[i], '#', '\0'};
        const char flat[] = {letters[i], '%', '\0'};
        EXPECT_EQ(lookupNote(alone), naturals[i]) << alone;
        EXPECT_EQ(lookupNote(sharp), (naturals[i] + 1) % 12) << sharp;
        EXPECT_EQ(lookupNote(flat), (naturals[i] + 11) % 12) << flat;
    }
}

TEST(LookupNote, AliasesAcrossTheTables) {
    EXPECT_EQ(lookupNote("B#"), 0);
    EXPECT_EQ(lookupNote("E#"), 5);
    EXPECT_EQ(lookupNote("F%"), 4);
    EXPECT_EQ(lookupNote("C%"), 11);
    EXPECT_EQ(lookupNote("E%"), 3);
    // The program's own flat sign is a name too.
    EXPECT_EQ(lookupNote("C*"), 11);
    EXPECT_EQ(lookupNote("B*"), 10);
}

TEST(LookupNote, IgnoresCaseOfAsciiLettersOnly) {
    EXPECT_EQ(lookupNote("g#"), 8);
    EXPECT_EQ(lookupNote("a"), 9);
    EXPECT_EQ(lookupNote("a "), 9);
    // Latin-1 letters must not be folded onto note letters.
    EXPECT_EQ(lookupNote("\xe3"), NoNote);
    EXPECT_EQ(lookupNote("\xc3#"), NoNote);
}

TEST(LookupNote, RejectsWhatIsNotANoteName) {
    for (const char* name : {"", "H", "h#", "#", "%", "#C", " C", "CC", "C##", "c# ", "C!", "\t", "1"})
        EXPECT_EQ(lookupNote(name), NoNote) << '"' << name << '"';
}

}  // namespace
