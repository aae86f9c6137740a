// tonvisor-cli --chords as a user runs it: the lab of a I-vi-IV-V progression
// in three textures, the text and JSON reports, and one clear line with exit
// status 1 for every file it cannot read, nothing on standard output.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <fstream>

#include "cli_run.h"
#include "tests/support/test_pieces.h"

namespace {

std::string written(const char* name, const std::string& bytes) {
    const std::string path = scratchPath(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

// A file of `size` bytes that takes no room on the disk.
std::string sparse(const char* name, const std::string& head, off_t size) {
    const std::string path = written(name, head);
    if (truncate(path.c_str(), size) != 0) ADD_FAILURE() << "cannot make " << path;
    return path;
}

TEST(Chords, labOfAProgressionInThreeTexturesHasItsChordsAtTheirTimes) {
    for (Texture texture : {Texture::Block, Texture::Arpeggio, Texture::Band}) {
        const TestPiece piece = writePiece(popProgression(texture));
        const CliRun run = runCli({"--chords", written("progression.mid", piece.midi), "--lab"});
        EXPECT_EQ(run.status, 0);
        EXPECT_EQ(run.out, piece.lab) << "texture " << static_cast<int>(texture);
        EXPECT_EQ(run.err, "");
    }
}

TEST(Chords, textAndJsonReportTheSegments) {
    // Named .txt: the content says what the file is.
    const std::string path = written("progression.txt", writePiece(popProgression(Texture::Block)).midi);
    const CliRun text = runCli({"--chords", path});
    EXPECT_EQ(text.status, 0);
    EXPECT_EQ(text.out.substr(0, text.out.find('\n', 50) + 1),
              "   0.000    2.000     1.1  C        C Major\n"
              "   2.000    4.000     2.1  Am       A Minor\n");
    const CliRun json = runCli({"--json", "--chords", path});
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.out.rfind("{\"file\": \"" + path + "\", \"title\": \"I-vi-IV-V\", \"duration\": 16.000000, "
                             "\"segments\": [{\"start\": 0.000000, \"end\": 2.000000, \"bar\": 1, \"beat\": 1, "
                             "\"symbol\": \"C\", \"harte\": \"C:maj\", \"name\": {\"symbol\": \"C\", \"root\": \"C\", "
                             "\"type\": \"Major\", \"bass\": \"C\", \"exact\": true, \"omitted\": [], \"ratio\": 1.0, "
                             "\"harte\": \"C:maj\"}, "
                             "\"pitches\": [{\"note\": \"",
                             0),
              0u)
        << json.out.substr(0, 400);
    EXPECT_NE(json.out.find("\"bass\": \"C\", \"scores\": [["), std::string::npos);
    std::size_t segments = 0;
    for (std::size_t at = 0; (at = json.out.find("\"start\": ", at)) != std::string::npos; ++at) ++segments;
    EXPECT_EQ(segments, 8u);
    EXPECT_EQ(json.out.substr(json.out.size() - 3), "]}\n");
}

TEST(Chords, everyUnreadableFileGetsOneLineAndStatus1) {
    const std::string folder = testing::TempDir();
    const struct {
        std::string path;
        std::string error;
    } cases[] = {
        {written("notes.mid", "c e g\n"), "neither a MIDI file nor a recording that can be read (Format not recognised.)"},
        {written("empty.mid", ""), "an empty file"},
        {written("short.mid", std::string("MThd\0\0\0\3abc", 11)), "not a MIDI file: the header chunk is 3 bytes long"},
        {folder, "a folder, not a file"},
        {"/dev/zero", "not a regular file (a device or a pipe)"},
        {folder + "/no such file.mid", "cannot be opened: No such file or directory"},
        {sparse("huge.mid", "MThd", off_t{1} << 30), "too large for a MIDI file (more than 16 MB)"},
        {sparse("huge.bin", "", off_t{1} << 30), "neither a MIDI file nor a recording that can be read (Format not recognised.)"},
    };
    for (const auto& test : cases) {
        const CliRun run = runCli({"--chords", test.path, "--lab"});
        EXPECT_EQ(run.status, 1) << test.path;
        EXPECT_EQ(run.out, "") << test.path;
        EXPECT_EQ(run.err, "tonvisor-cli: " + test.path + ": " + test.error + "\n");
    }
}

}  // namespace
