// tonvisor-cli as a user sees it: output, error messages and exit status.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli_run.h"
#include "lines.h"

namespace {

TEST(CliProcess, AnalysesTheNotesGivenAsArguments) {
    CliRun run = runCli({"c", "e", "g"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "");
    std::vector<std::string> out = lines(run.out);
    ASSERT_GE(out.size(), 2u);
    EXPECT_EQ(out[0], "Recognised notes: C  E  G");
    EXPECT_EQ(out[1], "Chord: C (C Major)");
    EXPECT_EQ(out[2], "C   Major            2.0000  100%");
    // One argument or several: the same entry once joined.
    EXPECT_EQ(runCli({"c e", "g"}).out, run.out);
}

TEST(CliProcess, NamesTheChordOverTheFirstNoteTyped) {
    const std::vector<std::pair<std::vector<std::string>, std::string>> examples = {
        {{"e", "g", "c"}, "Chord: C/E (C Major, E in the bass)"},
        {{"b", "d", "f"}, "Chord: Bdim (B Diminished)"},
        {{"b%", "d", "f"}, "Chord: Bb (Bb Major)"},
        {{"c", "e", "b%"}, "Chord: C7 (C Dominant 7th, no 5th)"},
        {{"c", "e", "g%", "b"}, "Chord: Cmaj7b5 (C Major 7th Flat 5th)"},
        {{"c", "e", "g", "b", "d"}, "Chord: Cmaj9 (C Major 9th)"},
        {{"a", "c", "e", "g"}, "Chord: Am7 (A Minor 7th)"},
        {{"c", "g", "b"}, "Chord: Cmaj7? (C Major 7th, partial 3/4)"},
        {{"--harte", "e", "g", "c"}, "Chord: C/E (C Major, E in the bass) C:maj/3"},
        {{"c", "e", "b%", "--harte"}, "Chord: C7 (C Dominant 7th, no 5th) C:7(*5)"}};
    for (const auto& [notes, chordLine] : examples) {
        std::vector<std::string> out = lines(runCli(notes).out);
        ASSERT_GE(out.size(), 2u);
        EXPECT_EQ(out[1], chordLine);
    }
    EXPECT_TRUE(runCli({"--json", "e", "g", "c"}).out.ends_with(", \"harte\": \"C:maj/3\"}}\n"));
}

TEST(CliProcess, TopListsOnlyTheBestChords) {
    CliRun run = runCli({"--top", "3", "c", "e", "g"});
    EXPECT_EQ(run.status, 0);
    std::vector<std::string> all = lines(runCli({"c", "e", "g"}).out);
    EXPECT_EQ(lines(run.out), std::vector<std::string>(all.begin(), all.begin() + 5));
    CliRun batch = runCli({"--batch", "--top", "1"}, "c e g\nd f\n");
    EXPECT_EQ(batch.out, "Recognised notes: C  E  G\nChord: C (C Major)\nC   Major            2.0000  100%\n\n"
                         "Recognised notes: D  F\nA#  Major            0.8889   67%\n");
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"--top", "x", "c"}, {"--top", "-1", "c"}, {"c", "--top"}, {"--top", "2", "--json", "c"}}) {
        CliRun bad = runCli(arguments);
        EXPECT_EQ(bad.status, 2) << arguments[1];
        EXPECT_EQ(bad.out, "");
    }
}

TEST(CliProcess, UsageErrorsExitTwoWithAMessageOnly) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, {"--json"}, {"--frobnicate", "c"}, {"--batch", "c", "e"},
          {"--wav", "x.wav"}, {"--wav", "x.wav", "--json", "c"}, {"--wav", "", "c"}, {"--json", "--harte", "c"},
          {"--listen", "--harte"}, {"--png", "x.png", "--harte", "c"}}) {
        CliRun run = runCli(arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find("Usage: tonvisor-cli"), std::string::npos) << run.err;
    }
    CliRun help = runCli({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--batch"), std::string::npos);
}

TEST(CliProcess, NothingRecognisedIsNotAnError) {
    CliRun run = runCli({"xyz"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "Recognised notes: \n");
}

TEST(CliProcess, HostileArgumentsGetDefinedResults) {
    std::string huge(10000, 'q');
    CliRun run = runCli({huge + "g#", "\t\x01\xff\xc3\xa9", "b"});
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(lines(run.out).at(0), "Recognised notes: G# B");
    CliRun json = runCli({"--json", "\"\\", "\x7f\x80", "c\xC3\xA9"});
    EXPECT_EQ(json.status, 0);
    const std::string head = "{\"entry\": \"\\\"\\\\ \\u007f\xEF\xBF\xBD c\xC3\xA9\", \"echo\": \"  C  \"";
    EXPECT_EQ(json.out.substr(0, head.size()), head);
}

TEST(CliProcess, BatchGivesOneResultPerLineInOrder) {
    // CR LF endings, an empty line, and a last line without its newline.
    CliRun run = runCli({"--batch", "--json"}, "c e g\r\n\nd f a\n  g b d f");
    EXPECT_EQ(run.status, 0);
    std::vector<std::string> out = lines(run.out);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[0].substr(0, 40), "{\"entry\": \"c e g\", \"echo\": \"  C  E  G  \"");
    EXPECT_TRUE(out[0].ends_with("\"name\": {\"symbol\": \"C\", \"root\": \"C\", \"type\": \"Major\", \"bass\": \"C\", "
                                 "\"exact\": true, \"omitted\": [], \"ratio\": 1.0, \"harte\": \"C:maj\"}}"));
    EXPECT_TRUE(out[1].ends_with("\"name\": null}"));
    EXPECT_EQ(out[1].substr(0, 35), "{\"entry\": \"\", \"echo\": \"  \", \"notes\"");
    EXPECT_EQ(out[2].substr(0, 17), "{\"entry\": \"d f a\"");
    EXPECT_EQ(out[3].substr(0, 20), "{\"entry\": \"  g b d f");

    CliRun text = runCli({"--batch"}, "c e g\nxyz\n");
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(text.out, runCli({"c e g"}).out + "\n" + "Recognised notes: \n");
    CliRun labelled = runCli({"--batch", "--harte", "--top", "0"}, "e g c\nc e% b%\n");
    EXPECT_EQ(labelled.out, "Recognised notes: E  G  C\nChord: C/E (C Major, E in the bass) C:maj/3\n\n"
                            "Recognised notes: C  E% B%\nChord: Cm7 (C Minor 7th, no 5th) C:min7(*5)\n");
}

TEST(CliProcess, BatchHandlesThousandsOfEntriesAndLongLines) {
    std::string input;
    for (int i = 0; i < 3000; ++i) input += i % 2 ? "c e g\n" : "d%f a%\n";
    input += std::string(100000, 'x') + "c\n";
    CliRun run = runCli({"--batch", "--json"}, input);
    EXPECT_EQ(run.status, 0);
    std::vector<std::string> out = lines(run.out);
    ASSERT_EQ(out.size(), 3001u);
    EXPECT_NE(out[2999].find("\"notes\": [0, 4, 7]"), std::string::npos);
    EXPECT_NE(out[3000].find("\"echo\": \"  C  \""), std::string::npos);
}

TEST(CliProcess, AFailedWriteIsReportedAsAFailure) {
    CliRun run = runCli({"c", "e", "g"}, "", {"/dev/full"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err, "");
}

// Standard input that cannot be read is an error for every mode that reads it.
TEST(CliProcess, UnreadableInputExitsOne) {
    const struct {
        std::vector<std::string> arguments;
        CliStart start;
        const char* input;
    } cases[] = {
        {{"--listen"}, {.inputClosed = true}, ""},
        {{"--batch"}, {.inputClosed = true}, ""},
    };
    for (const auto& [arguments, start, input] : cases) {
        CliRun run = runCli(arguments, input, start);
        EXPECT_EQ(run.status, 1) << arguments[0];
        EXPECT_NE(run.err.find("cannot read standard input"), std::string::npos) << run.err;
    }
    EXPECT_EQ(runCli({"--listen"}).status, 0);  // an input that ends is no error
}

}  // namespace
