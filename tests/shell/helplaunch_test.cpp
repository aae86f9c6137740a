// The Help launch: the viewer gets the document path under the current directory.
#include "shell/help.h"

#include "tests/support/scratch_directory.h"
#include "test_viewer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

// The launch may hand the viewer the path with slashes for backslashes.
std::string withSlashes(std::string text) {
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

// The argument the viewer gets for the document under the current directory.
std::string documentArgument() {
    return std::filesystem::current_path().string() + "/document/Tonvisor.htm\n";
}

// A current directory whose name has blanks, and the stand-in viewer in it.
class HelpLaunch : public ::testing::Test {
protected:
    void useViewer() { std::strcpy(viewerPath, viewer.path().c_str()); }

    ScratchDirectory directory{"tonvisor help with blanks"};
    TestViewer viewer{directory.path()};
};

TEST_F(HelpLaunch, ViewerGetsDocumentUnderCurrentDirectoryAsOneArgument) {
    useViewer();
    launchHelp();
    EXPECT_EQ(withSlashes(viewer.awaitArguments()), documentArgument());
}

TEST_F(HelpLaunch, ViewerNamedInReaderFile) {
    directory.write("HtmlReader.txt", viewer.path() + "\r\n");
    readViewerPath();
    launchHelp();
    EXPECT_EQ(withSlashes(viewer.awaitArguments()), documentArgument());
}

// The root's text already ends in a separator: nothing is added or removed.
TEST_F(HelpLaunch, RootDirectoryGivesTwoSeparatorsInARow) {
    useViewer();
    std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path("/");
    launchHelp();
    std::filesystem::current_path(previous);
    EXPECT_EQ(withSlashes(viewer.awaitArguments()), "//document/Tonvisor.htm\n");
}

TEST_F(HelpLaunch, DirectoryTooLongForTheLimitLaunchesNothing) {
    useViewer();
    std::filesystem::path deep = directory.path();
    while (deep.string().size() < 1100) deep /= std::string(200, 'd');
    std::filesystem::create_directories(deep);
    std::filesystem::current_path(deep);
    launchHelp();
    std::filesystem::current_path(directory.path());
    launchHelp();
    // Only the second launch wrote its line.
    EXPECT_EQ(withSlashes(viewer.awaitArguments()), documentArgument());
}

}  // namespace
