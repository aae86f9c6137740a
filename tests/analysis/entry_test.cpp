// Entry parsing: notes and echo from free text, duplicates, the limit of
// five, blanks and bytes that name nothing.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "analysis/analysis.h"

namespace {

std::vector<int> takenNotes(const NoteEntry& entry) {
    return std::vector<int>(entry.notes, entry.notes + entry.count);
}

struct ParseCase {
    const char* entry;
    std::vector<int> notes;  // ascending
    const char* echo;
};

void PrintTo(const ParseCase& example, std::ostream* out) { *out << '"' << example.entry << '"'; }

class ParseEntryExamples : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseEntryExamples, GivesNotesAndEchoBytes) {
    const ParseCase& example = GetParam();
    NoteEntry entry = parseEntry(example.entry);
    EXPECT_EQ(takenNotes(entry), example.notes);
    EXPECT_STREQ(entry.echo, example.echo);
}

INSTANTIATE_TEST_SUITE_P(Entries, ParseEntryExamples, testing::Values(
    ParseCase{"", {}, "  "},
    ParseCase{"     ", {}, "  "},
    ParseCase{"c e g", {0, 4, 7}, "  C  E  G  "},
    ParseCase{"ceg", {0, 4, 7}, "  C  E  G  "},
    ParseCase{"c#e%g", {1, 3, 7}, "  C# E% G  "},
    // Echo keeps the order of entry; notes come out sorted.
    ParseCase{"g e c", {0, 4, 7}, "  G  E  C  "},
    // b after a letter is a note, not a flat sign.
    ParseCase{"eb", {4, 11}, "  E  B  "},
    // '*' is the program's flat, not the user's: it names nothing after c.
    ParseCase{"c*", {0}, "  C  "},
    ParseCase{"#c", {0}, "  C  "},
    ParseCase{"c c b#", {0}, "  C  "},
    ParseCase{"f% e", {4}, "  F% "},
    ParseCase{"e% f% c% b# e#", {0, 3, 4, 5, 11}, "  E% F% C% B# E# "},
    ParseCase{"c d e f g a", {0, 2, 4, 5, 7}, "  C  D  E  F  G  "},
    ParseCase{"C# c#", {1}, "  C# "},
    // Blanks are removed before names are read, so they can split a name.
    ParseCase{"c #", {1}, "  C# "},
    ParseCase{"c  %  e", {4, 11}, "  C% E  "},
    // Tabs and other bytes are kept and passed over as names of nothing.
    ParseCase{"c\te", {0, 4}, "  C  E  "},
    ParseCase{"h c x1 \xe3\xe9 g", {0, 7}, "  C  G  "},
    // A pair that names nothing is consumed whole, accidental included.
    ParseCase{"x#c", {0}, "  C  "},
    ParseCase{"##d e", {2, 4}, "  D  E  "},
    ParseCase{"c ##d", {1, 2}, "  C# D  "}));

TEST(ParseEntry, LeavesEmptyPlacesAndFlagsMatchingTheNotes) {
    NoteEntry entry = parseEntry("a% d");
    ASSERT_EQ(entry.count, 2);
    EXPECT_EQ(entry.notes[2], NoNote);
    EXPECT_EQ(entry.notes[4], NoNote);
    for (int pitch = 0; pitch < PitchClassCount; ++pitch)
        EXPECT_EQ(entry.seen[pitch], pitch == 2 || pitch == 8) << pitch;
}

TEST(ParseEntry, StopsReadingAfterFiveNotes) {
    // The sixth name would otherwise be taken, and the repeats are skipped first.
    NoteEntry entry = parseEntry("c c d d e f g a b");
    EXPECT_EQ(takenNotes(entry), (std::vector<int>{0, 2, 4, 5, 7}));
    EXPECT_FALSE(entry.seen[9]);
}

TEST(ParseEntry, TakesEntriesOfAnyLengthAndAnyBytes) {
    std::string longEntry(10000, 'x');
    longEntry += "g#";
    EXPECT_STREQ(parseEntry(longEntry.c_str()).echo, "  G# ");

    std::string everyByte;
    for (int byte = 1; byte < 256; ++byte) everyByte += static_cast<char>(byte);
    NoteEntry entry = parseEntry(everyByte.c_str());
    // The letters A..G come out first, in byte order; lower case repeats them.
    EXPECT_STREQ(entry.echo, "  A  B  C  D  E  ");
}

}  // namespace
