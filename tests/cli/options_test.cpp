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

TEST(CliOptions, AcceptsHelpAndBatchWithoutNotes) {
    EXPECT_EQ(parse({"--help"}).error, "");
    EXPECT_TRUE(parse({"--help"}).help);
    CliOptions batch = parse({"--json", "--batch"});
    EXPECT_EQ(batch.error, "");
    EXPECT_TRUE(batch.batch && batch.json);
}

}  // namespace
