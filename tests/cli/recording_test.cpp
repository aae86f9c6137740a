// A piano chord as tonvisor-cli --wav renders it through FluidSynth, read
// back as a recording, by --chords as a user runs it and by the reader
// itself: C E G is heard as C major, not as the E minor or A minor that share
// two of its notes and its overtones. Then whole test pieces rendered by
// FluidSynth as they come out of it, quietly: their chords heard in the
// middles of their bars, all but one at most.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include <fstream>
#include <sstream>

#include "audio/recording_file.h"
#include "cli_run.h"
#include "tests/support/child_process.h"
#include "tests/support/test_pieces.h"

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
    std::snprintf(expected, sizeof expected, "0.000\t%.3f\tC:maj", piece.segments.at(0).end);
    // The bass of three notes within an octave above middle C is not told
    // apart from the others: C major over any of them.
    const std::string first = lab.out.substr(0, lab.out.find('\n') + 1);
    const std::string label = first.substr(0, std::strlen(expected)), after = first.substr(label.size(), 1);
    EXPECT_EQ(label, expected);
    EXPECT_TRUE(after == "\n" || after == "/") << first;
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

namespace {

// The label at `time` in a lab, as root and triad ("C:maj7" as "C:maj").
std::string triadAt(const std::string& lab, double time) {
    std::istringstream lines(lab);
    double start, end;
    std::string label;
    while (lines >> start >> end >> label)
        if (start <= time && time < end) return label.substr(0, label.find(':') + 4);
    return "none";
}

}  // namespace

TEST(CliRecording, RenderedPiecesInTheirTexturesAreHeardBarByBar) {
    for (Texture texture : {Texture::Block, Texture::Alberti, Texture::Band}) {
        SCOPED_TRACE(static_cast<int>(texture));
        const TestPiece piece = writePiece(popProgression(texture));
        const std::string midi = scratchPath("piece.mid"), wav = scratchPath("piece.wav");
        std::ofstream(midi, std::ios::binary) << piece.midi;
        ChildProcess render({"fluidsynth", "-ni", "-q", "-r", "44100", "-F", wav,
                             "/usr/share/sounds/sf2/FluidR3_GM.sf2", midi},
                            environmentWith({}, {}));
        ASSERT_EQ(render.wait(std::chrono::seconds(60)), 0);
        const CliRun lab = runCli({"--chords", wav, "--lab"});
        std::remove(midi.c_str());
        std::remove(wav.c_str());
        ASSERT_EQ(lab.status, 0) << lab.err;
        int right = 0;
        for (double middle = 1.0; middle < 16.0; middle += 2.0) right += triadAt(lab.out, middle) == triadAt(piece.lab, middle);
        EXPECT_GE(right, 7) << lab.out;
    }
}
