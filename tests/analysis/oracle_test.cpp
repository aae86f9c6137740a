// Every set of up to five distinct pitch classes, spelled in varied ways,
// scored against chords built from intervals rather than template texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "analysis/analysis.h"

namespace {

// Semitones above the root, in chord-type order.
const std::vector<std::vector<int>> ChordIntervals = {
    {0, 3, 7}, {0, 4, 7}, {0, 4, 8}, {0, 3, 6, 9}, {0, 3, 7, 9}, {0, 4, 7, 9},
    {0, 3, 7, 10}, {0, 4, 7, 10}, {0, 4, 7, 11}, {0, 1, 4, 7, 10}, {0, 2, 4, 7, 10}};

// Every way to type each pitch class, counted from C.
const std::vector<std::vector<std::string>> Spellings = {
    {"c", "B#"}, {"C#", "d%"}, {"d"}, {"d#", "E%"}, {"e", "f%"}, {"F", "e#"},
    {"f#", "G%"}, {"g"}, {"G#", "a%"}, {"A"}, {"a#", "b%"}, {"b", "C%"}};

float expectedScore(const std::vector<int>& entered, int type, int pitchRoot) {
    int matches = 0;
    for (int interval : ChordIntervals[type])
        matches += std::count(entered.begin(), entered.end(), (pitchRoot + interval) % 12);
    int divisor = std::max<int>(ChordIntervals[type].size(), entered.size());
    float ratio = static_cast<float>(matches) / static_cast<float>(divisor);
    return 2.0f * ratio * ratio;
}

std::vector<std::vector<int>> setsUpToFive() {
    std::vector<std::vector<int>> sets;
    for (int bits = 0; bits < 1 << 12; ++bits) {
        std::vector<int> set;
        for (int pitch = 0; pitch < 12; ++pitch)
            if (bits & (1 << pitch)) set.push_back(pitch);
        if (set.size() <= 5) sets.push_back(set);
    }
    return sets;
}

struct TypedEntry {
    std::string text;
    std::string echo;
};

// The variant number picks spellings, order and blanks, so that all of them occur.
TypedEntry typeNotes(std::vector<int> notes, int variant) {
    if (variant % 3 == 1) std::reverse(notes.begin(), notes.end());
    if (variant % 3 == 2) std::rotate(notes.begin(), notes.begin() + notes.size() / 2, notes.end());
    TypedEntry typed{variant % 2 ? " " : "", "  "};
    for (int pitch : notes) {
        const std::vector<std::string>& names = Spellings[pitch];
        const std::string& name = names[(variant + pitch) % names.size()];
        typed.text += name + (variant % 4 == 0 ? "" : " ");
        for (char c : name) typed.echo += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        typed.echo += name.size() == 1 ? "  " : " ";
    }
    return typed;
}

TEST(ScoringOracle, EverySetOfUpToFivePitchClasses) {
    std::vector<std::vector<int>> sets = setsUpToFive();
    ASSERT_EQ(sets.size(), 1586u);
    int variant = 0;
    for (const std::vector<int>& set : sets) {
        TypedEntry typed = typeNotes(set, variant++);
        ASSERT_EQ(runAnalysis(typed.text.c_str()), typed.echo) << '"' << typed.text << '"';
        for (int type = 0; type < ChordTypeCount; ++type)
            for (int pitchRoot = 0; pitchRoot < 12; ++pitchRoot)
                ASSERT_EQ(MatchMatrix[type * 12 + (pitchRoot + 3) % 12], expectedScore(set, type, pitchRoot))
                    << '"' << typed.text << "\" type " << type << " root " << pitchRoot;
    }
}

TEST(ScoringOracle, ParsedNotesAreTheSetAscending) {
    for (const std::vector<int>& set : setsUpToFive()) {
        NoteEntry entry = parseEntry(typeNotes(set, static_cast<int>(set.size()) + 1).text.c_str());
        EXPECT_EQ(std::vector<int>(entry.notes, entry.notes + entry.count), set);
    }
}

}  // namespace
