// tonvisor-cli's options: each form, values, and the combinations refused.
#include <gtest/gtest.h>

#include <vector>

#include "cli/options.h"

namespace {

CliOptions parse(std::vector<const char*> arguments) {
    arguments.insert(arguments.begin(), "tonvisor-cli");
    return parseOptions(static_cast<int>(arguments.size()), arguments.data());
}

TEST(CliOptions, TakesOptionsAnywhereAndKeepsNotesInOrder) {
    CliOptions options = parse({"c", "--json", "e%", "g"});
    EXPECT_EQ(options.error, "");
    EXPECT_TRUE(options.json);
    EXPECT_FALSE(options.batch);
    EXPECT_EQ(options.notes, (std::vector<std::string>{"c", "e%", "g"}));
    EXPECT_EQ(joinNotes(options.notes), "c e% g");
}

TEST(CliOptions, DoubleDashMakesTheRestNotes) {
    CliOptions options = parse({"--", "--json", "c"});
    EXPECT_EQ(options.error, "");
    EXPECT_FALSE(options.json);
    EXPECT_EQ(joinNotes(options.notes), "--json c");
}

TEST(CliOptions, EmptyArgumentsStillCountAsNotes) {
    CliOptions options = parse({"", "c", ""});
    EXPECT_EQ(options.error, "");
    EXPECT_EQ(joinNotes(options.notes), " c ");
}

TEST(CliOptions, ReportsWhatMakesTheCommandUnusable) {
    EXPECT_NE(parse({}).error, "");
    EXPECT_NE(parse({"--json"}).error, "");
    EXPECT_NE(parse({"--batch", "c"}).error, "");
    EXPECT_NE(parse({"c", "-x"}).error, "");
    EXPECT_NE(parse({"--help", "--png"}).error, "");
    EXPECT_NE(parse({"c", "-"}).error.find("'-'"), std::string::npos);
}

// Listening takes nothing else, and only one thing to listen to.
TEST(CliOptions, ListeningStandsAlone) {
    EXPECT_EQ(parse({"--listen-audio"}).error, "");
    EXPECT_TRUE(parse({"--listen-audio"}).listenAudio);
    for (const std::vector<const char*>& refused :
         {std::vector<const char*>{"--listen-audio", "c"}, {"--listen-audio", "--json"}, {"--listen", "--listen-audio"}})
        EXPECT_NE(parse(refused).error, "") << refused.back();
}

TEST(CliOptions, AcceptsHelpAndBatchWithoutNotes) {
    EXPECT_EQ(parse({"--help"}).error, "");
    EXPECT_TRUE(parse({"--help"}).help);
    CliOptions batch = parse({"--json", "--batch"});
    EXPECT_EQ(batch.error, "");
    EXPECT_TRUE(batch.batch && batch.json);
}

TEST(CliOptions, PictureOptionsTakeTheirValueFromTheNextArgument) {
    CliOptions options = parse({"c", "--click", "314,300", "--png", "out.png", "--by-chord", "--screen", "1280x1024", "e"});
    EXPECT_EQ(options.error, "");
    const PictureOptions& picture = options.picture;
    EXPECT_EQ(picture.path, "out.png");
    EXPECT_TRUE(picture.byChord);
    EXPECT_EQ(picture.screenWidth, 1280);
    EXPECT_EQ(picture.screenHeight, 1024);
    EXPECT_TRUE(picture.click);
    EXPECT_EQ(picture.clickX, 314);
    EXPECT_EQ(picture.clickY, 300);
    EXPECT_EQ(joinNotes(options.notes), "c e");
    // A value that looks like an option is still the value; no NOTES is the empty window.
    EXPECT_EQ(parse({"--png", "--json"}).picture.path, "--json");
    EXPECT_EQ(parse({"--png", "--json"}).error, "");
}

TEST(CliOptions, ScreenSizesOutsideTheBoundsOrMalformedAreRejected) {
    for (const char* size : {"320x240", "7680x4320", "1024x768"})
        EXPECT_EQ(parse({"--png", "a.png", "--screen", size}).error, "") << size;
    for (const char* size : {"0x0", "319x240", "320x239", "7681x4320", "7680x4321", "99999999999x768",
                             "1024x", "x768", "1024", "1024x768x2", "-1024x768", "+1024x768", "1024 x768",
                             "1024X768", ""})
        EXPECT_NE(parse({"--png", "a.png", "--screen", size}).error.find("--screen"), std::string::npos) << size;
}

TEST(CliOptions, ClicksMustBeTwoPointsOnTheScreen) {
    EXPECT_EQ(parse({"--png", "a.png", "--click", "0,0"}).error, "");
    for (const char* point : {"garbage", "1,", ",1", "-1,5", "5,-1", "1.5,2", "1;2", "1,2,3", "1024,10", "10,768"})
        EXPECT_NE(parse({"--png", "a.png", "--click", point}).error, "") << point;
    // Checked against the screen in effect, whichever option comes first.
    EXPECT_EQ(parse({"--png", "a.png", "--click", "1200,900", "--screen", "1280x1024"}).error, "");
}

TEST(CliOptions, PictureOptionsBelongToPng) {
    EXPECT_NE(parse({"--by-chord", "c"}).error, "");
    EXPECT_NE(parse({"--screen", "1024x768", "c"}).error, "");
    EXPECT_NE(parse({"--click", "1,1", "c"}).error, "");
    EXPECT_NE(parse({"--png", "a.png", "--json", "c"}).error, "");
    EXPECT_NE(parse({"--png", "a.png", "--batch"}).error, "");
    EXPECT_NE(parse({"--png", ""}).error, "");
    EXPECT_NE(parse({"c", "--screen"}).error, "");
}

}  // namespace

TEST(CliOptions, ChordsTakeAFileAndOneFormat) {
    const CliOptions lab = parse({"--lab", "--chords", "song.mid"});
    EXPECT_EQ(lab.error, "");
    EXPECT_EQ(lab.chordsPath, "song.mid");
    EXPECT_TRUE(lab.lab);
    EXPECT_EQ(parse({"--chords", "song.mid", "--json"}).error, "");
    const CliOptions between = parse({"--chords", "--lab", "song.mid"});
    EXPECT_EQ(between.error, "");
    EXPECT_EQ(between.chordsPath, "song.mid");
    EXPECT_TRUE(between.lab);
    EXPECT_EQ(parse({"--lab", "c"}).error, "--lab goes with --chords");
    EXPECT_EQ(parse({"--chords", "song.mid", "--lab", "--json"}).error, "--lab and --json do not go together");
    EXPECT_EQ(parse({"--chords", "song.mid", "c"}).error, "--chords takes no NOTES and no other option but --lab or --json");
    EXPECT_EQ(parse({"--chords"}).error, "--chords needs a value");
}
