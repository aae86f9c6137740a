// tonvisor-cli --wav as a user runs it: the file a player opens, and the
// pitches in it, read back from the file's own bytes.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "tests/support/pitch_scan.h"
#include "cli_run.h"

namespace {

constexpr int Rate = 44100;

std::uint32_t littleEndian(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes.at(at + i));
    return value;
}

// The samples of a canonical 16-bit PCM file, full scale 1.0.
std::vector<float> samplesOf(const std::string& file) {
    std::vector<float> samples;
    for (std::size_t at = 44; at + 1 < file.size(); at += 2)
        samples.push_back(static_cast<std::int16_t>(littleEndian(file, at, 2)) / 32768.0f);
    return samples;
}

TEST(CliWav, WritesWhatEnterSoundsAsAWavFile) {
    const std::string path = scratchPath("egc.wav");
    const CliRun run = runCli({"--wav", path, "e", "g", "c"});
    const std::string file = readFile(path);
    std::remove(path.c_str());
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");

    constexpr std::uint32_t dataBytes = 2 * Rate * 2 * 2;  // 2 s, 2 channels, 2 bytes
    ASSERT_EQ(file.size(), 44 + dataBytes);
    EXPECT_EQ(file.substr(0, 4) + file.substr(8, 8) + file.substr(36, 4), "RIFFWAVEfmt data");
    const struct {
        std::size_t at;
        int size;
        std::uint32_t value;
    } fields[] = {{4, 4, 36 + dataBytes}, {16, 4, 16}, {20, 2, 1 /* PCM */}, {22, 2, 2 /* channels */},
                  {24, 4, Rate}, {28, 4, Rate * 4}, {32, 2, 4}, {34, 2, 16 /* bits */}, {40, 4, dataBytes}};
    for (const auto& field : fields) EXPECT_EQ(littleEndian(file, field.at, field.size), field.value) << "at " << field.at;

    // E3 bass, G3, C4 above it; silent soon after the release at 1.5 s.
    const std::vector<float> samples = samplesOf(file);
    EXPECT_EQ(chordProblems(scanPitches(samples, Rate, Rate / 10, Rate), {52, 55, 60}), "");
    EXPECT_LT(peakDecibels(samples, Rate * 7 / 4, Rate / 4), peakDecibels(samples, 0, Rate / 2) - 40.0);
}

TEST(CliWav, WithoutAFileOrASoundfontItExitsOneAndSaysWhy) {
    const std::string missing = scratchPath("no-such-folder/ceg.wav");
    CliRun run = runCli({"--wav", missing, "c", "e", "g"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot write '" + missing + "'"), std::string::npos) << run.err;

    // A device that takes no bytes fails at the end and is left in place.
    run = runCli({"--wav", "/dev/full", "c", "e", "g"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot write the sound to '/dev/full'"), std::string::npos) << run.err;
    struct stat device;
    EXPECT_TRUE(stat("/dev/full", &device) == 0 && S_ISCHR(device.st_mode));

    // A soundfont that is missing, cut short or no file at all: one clear line,
    // nothing from the libraries, and no waiting on a pipe.
    const std::string path = scratchPath("unsounded.wav"), pipe = scratchPath("pipe.sf2");
    const std::string cut = scratchPath("cut.sf2");
    mkfifo(pipe.c_str(), 0600);
    std::ofstream(cut, std::ios::binary) << readFile("/usr/share/sounds/sf2/default-GM.sf2").substr(0, 300000);
    const std::pair<std::string, std::string> soundfonts[] = {
        {"/nonexistent/none.sf2", "no synthesizer: no soundfont: cannot load /nonexistent/none.sf2"},
        {cut, "no synthesizer: no soundfont: cannot load " + cut},
        {pipe, "no synthesizer: no soundfont: " + pipe + " is not a regular file"},
    };
    for (const auto& [soundfont, reason] : soundfonts) {
        setenv("TONVISOR_SOUNDFONT", soundfont.c_str(), 1);
        run = runCli({"--wav", path, "c", "e", "g"});
        unsetenv("TONVISOR_SOUNDFONT");
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err.find("tonvisor-cli: " + reason), 0u) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(readFile(path), "");  // nothing left behind
        EXPECT_EQ(run.out, "");
    }
    std::remove(pipe.c_str());
    std::remove(cut.c_str());
}

// A disk that fills up while writing keeps the file that was there.
TEST(CliWav, AFailedWriteKeepsTheEarlierFile) {
    const std::string path = scratchPath("earlier.wav");
    std::ofstream(path) << "an earlier sound";
    const CliRun run = runCli({"--wav", path, "c", "e", "g"}, "", {.fileSizeLimit = 4096});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot write the sound to '" + path + "'"), std::string::npos) << run.err;
    EXPECT_EQ(readFile(path), "an earlier sound");
    std::remove(path.c_str());
}

}  // namespace
