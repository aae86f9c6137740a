// tonvisor-cli's text and JSON reports of an analysed entry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "cli/report.h"
#include "lines.h"

namespace {

struct ChordLine {
    int root, type;
    float score;
    int percent;
};

// Reads a chord line back by its columns; fails the test if they are off.
ChordLine readChordLine(const std::string& line) {
    EXPECT_EQ(line.size(), 33u) << line;
    ChordLine chord{-1, -1, 0, 0};
    for (int root = 0; root < RootCount; ++root)
        if (line.substr(0, 4) == (std::string(rootName(root)) + "    ").substr(0, 4)) chord.root = root;
    for (int type = 0; type < ChordTypeCount; ++type)
        if (line.substr(4, 15) == (ChordTypeNames[type].shortName + std::string(15, ' ')).substr(0, 15))
            chord.type = type;
    chord.score = std::strtof(line.substr(21, 6).c_str(), nullptr);
    chord.percent = std::atoi(line.substr(29, 3).c_str());
    EXPECT_TRUE(chord.root >= 0 && chord.type >= 0) << line;
    EXPECT_EQ(line.substr(32), "%") << line;
    return chord;
}

TEST(TextReport, NamesTheChordThenListsCMajorFirstAndTiesInByKeyOrder) {
    std::vector<std::string> report = lines(textReport(analyseEntry("e g c")));
    ASSERT_GE(report.size(), 8u);
    EXPECT_EQ(report[0], "Recognised notes: E  G  C");
    EXPECT_EQ(report[1], "Chord: C/E (C Major, E in the bass)");
    EXPECT_EQ(report[2], "C   Major            2.0000  100%");
    EXPECT_EQ(report[3], "A   Minor 7th        1.1250   75%");
    EXPECT_EQ(report[4], "C   Major 6th        1.1250   75%");
    EXPECT_EQ(report[7], "A   Minor            0.8889   67%");
}

TEST(TextReport, ListsEveryScoringChordOnceInOrder) {
    EntryResult result = analyseEntry("d f# a c e%");
    std::vector<std::string> report = lines(textReport(result));
    int scoring = 0;
    for (float score : result.scores) scoring += score > 0.0f;
    ASSERT_EQ(report.size(), static_cast<std::size_t>(scoring) + 2);
    EXPECT_EQ(report[1], "Chord: D7b9 (D Dominant Minor 9th)");
    ChordLine previous = readChordLine(report[2]);
    for (std::size_t i = 3; i < report.size(); ++i) {
        ChordLine chord = readChordLine(report[i]);
        bool inOrder = chord.score < previous.score ||
                       (chord.score == previous.score &&
                        (chord.root > previous.root || (chord.root == previous.root && chord.type > previous.type)));
        EXPECT_TRUE(inOrder) << report[i - 1] << " / " << report[i];
        float exact = result.scores[matchCell(chord.type, chord.root)];
        EXPECT_NEAR(chord.score, exact, 0.00005f) << report[i];
        previous = chord;
    }
}

TEST(TextReport, ShowsTheMatchRatioAsAWholePercentage) {
    std::string report = textReport(analyseEntry("c e g b% d"));
    EXPECT_NE(report.find("C   Dominant 9th     2.0000  100%"), std::string::npos);
    EXPECT_NE(report.find("C   Major            0.7200   60%"), std::string::npos);  // 3 of 5 entered
    EXPECT_NE(report.find("0.0800   20%"), std::string::npos);
    report = textReport(analyseEntry("c e"));
    EXPECT_NE(report.find("C   Major            0.8889   67%"), std::string::npos);
    EXPECT_NE(report.find("0.2222   33%"), std::string::npos);
}

TEST(TextReport, NothingRecognisedGivesTheEmptyEchoAndNoChords) {
    EXPECT_EQ(textReport(analyseEntry("xyz \t 123")), "Recognised notes: \n");
    EXPECT_EQ(textReport(analyseEntry("")), "Recognised notes: \n");
}

TEST(TextReport, TopKeepsTheBestLinesOfTheFullList) {
    EntryResult result = analyseEntry("c e g b% d%");
    std::vector<std::string> all = lines(textReport(result));
    for (int top : {0, 1, 5, 40}) {
        std::vector<std::string> best = lines(textReport(result, top));
        ASSERT_EQ(best.size(), static_cast<std::size_t>(2 + top)) << top;
        EXPECT_TRUE(std::equal(best.begin(), best.end(), all.begin())) << top;
    }
    EXPECT_EQ(lines(textReport(result, 1000)), all);
    // Two notes a third apart name no chord: no line for it.
    EXPECT_EQ(lines(textReport(analyseEntry("c e"), 1)), (std::vector<std::string>{
        "Recognised notes: C  E", "A   Minor            0.8889   67%"}));
}

// A NUL is skipped like any byte that names no note, and kept in the entry.
TEST(AnalyseEntry, ANulByteIsSkippedLikeAnyOtherNonNote) {
    const std::pair<std::string, std::string> cases[] = {
        {std::string("c\0e g", 5), "  C  E  G  "},
        {std::string("c\0#", 3), "  C  "},  // as "cx#": the sharp follows no letter
        {std::string("\0\0", 2), "  "},
    };
    for (const auto& [entry, echo] : cases) {
        EntryResult result = analyseEntry(entry);
        EXPECT_EQ(result.entry, entry);
        EXPECT_EQ(result.echo, echo) << result.echo;
        EXPECT_EQ(result.echo, analyseEntry(std::string(entry).replace(entry.find('\0'), 1, "x")).echo);
    }
}

TEST(JsonReport, HoldsEntryEchoNotesAndExactScores) {
    EntryResult result = analyseEntry("g c e b%");
    std::string json = jsonReport(result);
    const std::string head = "{\"entry\": \"g c e b%\", \"echo\": \"  G  C  E  B% \", \"notes\": [0, 4, 7, 10], \"scores\": [[";
    ASSERT_EQ(json.substr(0, head.size()), head);
    const std::string name = ", \"name\": {\"symbol\": \"C7/G\", \"root\": \"C\", \"type\": \"Dominant 7th\", "
                             "\"bass\": \"G\", \"exact\": true, \"omitted\": [], \"ratio\": 1.0, \"harte\": \"C:7/5\"}}\n";
    ASSERT_TRUE(json.ends_with(name));
    EXPECT_EQ(json.find('\n'), json.size() - 1);

    // Eleven rows of twelve numbers that read back to the very same floats.
    const char* at = json.c_str() + head.size() - 1;
    for (int type = 0; type < ChordTypeCount; ++type) {
        ASSERT_EQ(*at, '[') << "row " << type;
        ++at;
        for (int root = 0; root < RootCount; ++root) {
            char* end = nullptr;
            float value = std::strtof(at, &end);
            ASSERT_NE(end, at) << "row " << type << " column " << root;
            EXPECT_EQ(value, result.scores[matchCell(type, root)]) << "row " << type << " column " << root;
            at = end;
            if (root < RootCount - 1) {
                ASSERT_EQ(std::strncmp(at, ", ", 2), 0);
                at += 2;
            }
        }
        ASSERT_EQ(*at, ']');
        at += type < ChordTypeCount - 1 ? 3 : 1;
    }
    EXPECT_EQ(at, "]" + name);
}

TEST(JsonReport, NamesAChordWithoutItsFifthAPartialChordAndNoChord) {
    const std::pair<const char*, const char*> examples[] = {
        {"E% G d", "{\"symbol\": \"Ebmaj7\", \"root\": \"Eb\", \"type\": \"Major 7th\", \"bass\": \"Eb\", "
                   "\"exact\": true, \"omitted\": [\"5\"], \"ratio\": 1.0, \"harte\": \"Eb:maj7(*5)\"}"},
        {"c e f", "{\"symbol\": \"Fmaj7/C?\", \"root\": \"F\", \"type\": \"Major 7th\", \"bass\": \"C\", "
                  "\"exact\": false, \"omitted\": [], \"ratio\": 0.75, \"harte\": \"F:maj7/5\"}"},
        {"c e", "null"}};
    for (const auto& [entry, name] : examples)
        EXPECT_TRUE(jsonReport(analyseEntry(entry)).ends_with("]], \"name\": " + std::string(name) + "}\n")) << entry;
}

TEST(JsonReport, EmptyResultIsStillComplete) {
    std::string json = jsonReport(analyseEntry("\x01\xff"));
    const std::string head = "{\"entry\": \"\\u0001\xEF\xBF\xBD\", \"echo\": \"  \", \"notes\": [], \"scores\": [[0, 0,";
    EXPECT_EQ(json.substr(0, head.size()), head);
}

}  // namespace
