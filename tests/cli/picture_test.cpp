// tonvisor-cli --png: the picture a person would see, read back pixel by pixel.
// Positions are device pixels of the window's inside; at 1024 x 768 a plot
// unit is 10.24 pixels across and 7.68 up, rows counted down from 767.5.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "cli_run.h"
#include "tests/support/pixels.h"

namespace {

const Rgb Background{50, 140, 140};
const Rgb PanelFill{65, 170, 130};
const Rgb NameBoxFrame{180, 180, 180};  // pen 9
const Rgb MinorColour{0, 0, 0};         // pen 20: by key, chord type Minor
const Rgb MajorColour{140, 90, 70};     // pen 21: by key, chord type Major
const Rgb RootCColour{255, 186, 117};   // pen 23: by chord, root C

class Picture {
public:
    explicit Picture(const std::string& path) : image_(readPng(path.c_str())) {}

    bool loaded() const { return ::loaded(image_); }
    int width() const { return cairo_image_surface_get_width(image_.get()); }
    int height() const { return cairo_image_surface_get_height(image_.get()); }
    Rgb at(int x, int y) const { return pixelAt(image_.get(), x, y); }

private:
    Image image_;
};

// Each test's pictures stay behind when it fails, for a look.
class PictureExport : public testing::Test {
protected:
    std::string newPath() {
        paths_.push_back(scratchPath(("picture-" + std::to_string(paths_.size()) + ".png").c_str()));
        std::remove(paths_.back().c_str());
        return paths_.back();
    }

    // Runs --png into a new file; the arguments follow it.
    Picture render(std::vector<std::string> arguments) {
        const std::string path = newPath();
        arguments.insert(arguments.begin(), {"--png", path});
        CliRun run = runCli(arguments);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, "");
        Picture picture(path);
        EXPECT_TRUE(picture.loaded()) << path;
        return picture;
    }

    void TearDown() override {
        for (const std::string& path : paths_)
            if (HasFailure()) std::printf("picture kept: %s\n", path.c_str());
            else std::remove(path.c_str());
    }

private:
    std::vector<std::string> paths_;
};

bool fileExists(const std::string& path) { return std::ifstream(path).good(); }

// The name box frame, corners (33, 30) and (61, 34): its sides and bottom edge.
void expectNameBox(const Picture& picture, bool shown) {
    const Rgb expected = shown ? NameBoxFrame : Background;
    EXPECT_EQ(picture.at(338, 520), expected);
    EXPECT_EQ(picture.at(625, 520), expected);
    EXPECT_EQ(picture.at(480, 537), expected);
}

TEST_F(PictureExport, EnterDrawsTheMajorChordOnCAsTheTallestSpike) {
    Picture picture = render({"c", "e", "g"});
    ASSERT_TRUE(picture.loaded());
    // The inside of a 1024 x 768 window, frame and caption left out.
    EXPECT_EQ(picture.width(), 1016);
    EXPECT_EQ(picture.height(), 714);
    EXPECT_EQ(picture.at(5, 5), Background);
    EXPECT_EQ(picture.at(200, 100), PanelFill);
    // Slot 34 at x = 30.6519 -> column 314, rising from y 51 (row 375) to 91 (row 68).
    EXPECT_EQ(picture.at(314, 375), MajorColour);
    EXPECT_EQ(picture.at(314, 200), MajorColour);
    EXPECT_EQ(picture.at(314, 70), MajorColour);
    EXPECT_EQ(picture.at(314, 64), PanelFill);
    expectNameBox(picture, false);
}

TEST_F(PictureExport, ByChordMovesTheSpikeToSlot15InTheRootColour) {
    Picture picture = render({"--by-chord", "c", "e", "g"});
    ASSERT_TRUE(picture.loaded());
    // Slot 15 at x = 19.2229 -> column 197.
    EXPECT_EQ(picture.at(197, 200), RootCColour);
    EXPECT_EQ(picture.at(197, 70), RootCColour);
    EXPECT_EQ(picture.at(197, 64), PanelFill);
    EXPECT_NE(picture.at(314, 200), MajorColour);
}

TEST_F(PictureExport, WithoutNotesTheWindowOpensWithoutSpikes) {
    Picture picture = render({});
    ASSERT_TRUE(picture.loaded());
    EXPECT_EQ(picture.width(), 1016);
    EXPECT_EQ(picture.height(), 714);
    EXPECT_EQ(picture.at(5, 5), Background);
    EXPECT_EQ(picture.at(314, 200), PanelFill);
    EXPECT_EQ(picture.at(314, 370), PanelFill);
}

TEST_F(PictureExport, AClickOnTheSpikeNamesItsChord) {
    Picture picture = render({"--click", "314,300", "c", "e", "g"});
    ASSERT_TRUE(picture.loaded());
    expectNameBox(picture, true);
    EXPECT_EQ(picture.at(380, 525), MajorColour);  // the colour sample from (35, 31.5) to (39, 31.5)
    EXPECT_EQ(picture.at(314, 200), MajorColour);  // the spike stays
}

// The click is a point of the picture: off by the window frame, these
// points on the edges of the accepted area would land on the wrong side.
TEST_F(PictureExport, AClickIsTakenAtThatPointOfThePicture) {
    Picture firstSlot = render({"--click", "98,372", "c", "e", "g"});
    ASSERT_TRUE(firstSlot.loaded());
    expectNameBox(firstSlot, true);
    EXPECT_EQ(firstSlot.at(380, 525), MinorColour);  // slot 0 by key: A minor
    for (const char* outside : {"97,372", "98,373", "98,53"}) {
        Picture picture = render({"--click", outside, "c", "e", "g"});
        ASSERT_TRUE(picture.loaded());
        SCOPED_TRACE(outside);
        expectNameBox(picture, false);
    }
    Picture topEdge = render({"--click", "98,54", "c", "e", "g"});
    ASSERT_TRUE(topEdge.loaded());
    expectNameBox(topEdge, true);
}

TEST_F(PictureExport, TheScreenSizeScalesTheWindow) {
    Picture large = render({"--screen", "1280x1024", "c", "e", "g"});
    ASSERT_TRUE(large.loaded());
    EXPECT_EQ(large.width(), 1270);
    EXPECT_EQ(large.height(), 954);
    // 12.8 pixels per unit across: slot 34 in column 392, its top at row 91.
    EXPECT_EQ(large.at(392, 300), MajorColour);
    EXPECT_EQ(large.at(392, 95), MajorColour);
    EXPECT_EQ(large.at(392, 88), PanelFill);

    Picture smallest = render({"--screen", "320x240", "c", "e", "g"});
    ASSERT_TRUE(smallest.loaded());
    EXPECT_EQ(smallest.width(), 316);
    EXPECT_EQ(smallest.height(), 222);
}

TEST_F(PictureExport, AFileThatCannotBeWrittenIsAnErrorBeforeAnyRendering) {
    const std::string missingFolder = newPath() + "-missing/tonvisor.png";
    CliRun run = runCli({"--png", missingFolder, "c", "e", "g"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("cannot write '" + missingFolder + "'"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");

    CliRun folder = runCli({"--png", testing::TempDir(), "c"});
    EXPECT_EQ(folder.status, 1);
    EXPECT_NE(folder.err, "");

    // Passes the check, fails on writing: the picture's own result counts.
    CliRun full = runCli({"--png", "/dev/full", "c"});
    EXPECT_EQ(full.status, 1);
    EXPECT_NE(full.err.find("cannot write the picture"), std::string::npos) << full.err;
}

TEST_F(PictureExport, BadPictureOptionsAreUsageErrorsThatWriteNothing) {
    const std::string path = newPath();
    // The values themselves are checked in the option tests.
    const std::vector<std::vector<std::string>> commands = {
        {"--png", path, "--screen", "0x0", "c"},
        {"--png", path, "--click", "garbage", "c"},
        // Known only once the window stands: beside it, and on the "Help" button.
        {"--png", path, "--click", "1020,10", "c"},
        {"--png", path, "--click", "285,520", "c"},
    };
    for (const std::vector<std::string>& command : commands) {
        CliRun run = runCli(command);
        SCOPED_TRACE(command[2] + " " + command[3]);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.err.find("Usage: tonvisor-cli"), std::string::npos) << run.err;
        EXPECT_FALSE(fileExists(path));
    }
    CliRun help = runCli({"--help", "--png", path, "c"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--screen WxH"), std::string::npos);
    EXPECT_FALSE(fileExists(path));
}

// A refused click, or a disk that fills up while writing, keeps the earlier file.
TEST_F(PictureExport, AFailedExportLeavesAnExistingFileAsItWas) {
    const struct {
        std::vector<std::string> options;
        CliStart start;
        int status;
    } cases[] = {
        {{"--click", "285,520"}, {}, 2},
        {{}, {.fileSizeLimit = 4096}, 1},
    };
    for (const auto& [options, start, status] : cases) {
        const std::string path = newPath();
        std::ofstream(path) << "an earlier picture";
        std::vector<std::string> command = {"--png", path};
        command.insert(command.end(), options.begin(), options.end());
        command.push_back("c");
        CliRun run = runCli(command, "", start);
        EXPECT_EQ(run.status, status) << run.err;
        EXPECT_EQ(readFile(path), "an earlier picture");
    }
}

}  // namespace
