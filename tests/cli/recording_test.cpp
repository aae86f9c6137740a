// A piano chord as tonvisor-cli --wav renders it through FluidSynth, read
// back as a recording, by --chords as a user runs it and by the reader
// itself: C E G is heard as C major, not as the E minor or A minor that share
// two of its notes and its overtones.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "audio/recording_file.h"
#include "cli_run.h"

TEST(CliRecording, APianoChordItRendersIsHeardAsThatChord) {
    const std::string path = scratchPath("ceg.wav");
    ASSERT_EQ(runCli({"--wav", path, "c", "e", "g"}).status, 0);
    const CliRun lab = runCli({"--chords", path, "--lab"});
    const CliRun json = runCli({"--chords", path, "--json"});
    Piece piece{};
    std::string error;
    bool read = readRecording(path, piece, error);
    std::remove(path.c_str());
    ASSERT_TRUE(read) << error;

    EXPECT_EQ(lab.status, 0);
    EXPECT_EQ(lab.err, "");
    char expected[64];
    std::snprintf(expected, sizeof expected, "0.000\t%.3f\tC:maj\n", piece.segments.at(0).end);
    EXPECT_EQ(lab.out.substr(0, lab.out.find('\n') + 1), expected);
    EXPECT_EQ(lab.out.find(":min"), std::string::npos) << lab.out;
    // The JSON has the spectrogram's columns, every one of them.
    size_t columns = 0;
    for (size_t at = json.out.find("\"columns\": ["); at != std::string::npos; at = json.out.find("{\"start\": ", at + 1))
        ++columns;
    EXPECT_EQ(columns, piece.columns.size() + 1);

    // The column while the chord sounds: C major on top.
    const float* scores = piece.columns.at(piece.columns.size() / 3).scores;
    float cMajor = scores[matchCell(1, displayRootOf(0))];
    EXPECT_EQ(cMajor, *std::max_element(scores, scores + ScoreCount));
    EXPECT_GT(cMajor, scores[matchCell(0, displayRootOf(4))]);
    EXPECT_GT(cMajor, scores[matchCell(0, displayRootOf(9))]);
}
