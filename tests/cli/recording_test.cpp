// A piano chord as tonvisor-cli --wav renders it through FluidSynth, read
// back as a recording: C E G is heard as C major, not as the E minor or A
// minor that share two of its notes and its overtones.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "audio/recording_file.h"
#include "cli_run.h"

TEST(CliRecording, APianoChordItRendersIsHeardAsThatChord) {
    const std::string path = scratchPath("ceg.wav");
    ASSERT_EQ(runCli({"--wav", path, "c", "e", "g"}).status, 0);
    Piece piece{};
    std::string error;
    bool read = readRecording(path, piece, error);
    std::remove(path.c_str());
    ASSERT_TRUE(read) << error;
    std::vector<std::string> named;
    for (const PieceSegment& segment : piece.segments)
        if (segment.name.named) named.push_back(segment.name.symbol);
    EXPECT_EQ(named, std::vector<std::string>{"C"});
    // The chord spectrogram's column while the chord sounds: C major on top.
    const float* scores = piece.columns.at(piece.columns.size() / 3).scores;
    float cMajor = scores[matchCell(1, displayRootOf(0))];
    EXPECT_EQ(cMajor, *std::max_element(scores, scores + ScoreCount));
    EXPECT_GT(cMajor, scores[matchCell(0, displayRootOf(4))]);
    EXPECT_GT(cMajor, scores[matchCell(0, displayRootOf(9))]);
}
