// The reader file HtmlReader.txt and the viewer path it gives.
#include "shell/help.h"

#include "tests/support/scratch_directory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const std::string defaultViewer = "\\windows\\explorer.exe";

std::string viewerFor(const ScratchDirectory& directory, const std::string& fileBytes) {
    directory.write("HtmlReader.txt", fileBytes);
    readViewerPath();
    return viewerPath;
}

TEST(ReaderFile, DefaultViewerWithoutFileOrWithEmptyFile) {
    ScratchDirectory directory;
    std::strcpy(viewerPath, "left over");
    readViewerPath();
    EXPECT_EQ(viewerPath, defaultViewer);
    EXPECT_EQ(viewerFor(directory, ""), defaultViewer);
}

TEST(ReaderFile, FirstLineWithoutItsLineEnd) {
    ScratchDirectory directory;
    EXPECT_EQ(viewerFor(directory, "C:\\Tools\\viewer.exe\nsecond line\n"), "C:\\Tools\\viewer.exe");
    EXPECT_EQ(viewerFor(directory, "C:\\Tools\\viewer.exe\r\nsecond\r\n"), "C:\\Tools\\viewer.exe");
    EXPECT_EQ(viewerFor(directory, "/usr/bin/viewer"), "/usr/bin/viewer");
}

TEST(ReaderFile, NothingElseIsTrimmed) {
    ScratchDirectory directory;
    EXPECT_EQ(viewerFor(directory, "\t/opt/my viewer  \n"), "\t/opt/my viewer  ");
    // Only one line end goes; a lone carriage return is part of the path.
    EXPECT_EQ(viewerFor(directory, "viewer\r\r\n"), "viewer\r");
    EXPECT_EQ(viewerFor(directory, "viewer\r"), "viewer\r");
}

TEST(ReaderFile, LeadingLineEndGivesEmptyPath) {
    ScratchDirectory directory;
    EXPECT_EQ(viewerFor(directory, "\n/usr/bin/viewer\n"), "");
    EXPECT_EQ(viewerFor(directory, "\r\n/usr/bin/viewer\r\n"), "");
}

TEST(ReaderFile, LongFirstLineIsCutAt2047) {
    ScratchDirectory directory;
    std::string longLine(3000, 'v');
    EXPECT_EQ(viewerFor(directory, longLine + "\nsecond\n"), longLine.substr(0, 2047));

    std::string fits(2047, 'w');
    EXPECT_EQ(viewerFor(directory, fits + "\n"), fits);
    // The carriage return that fills the buffer still belongs to the line end.
    std::string crlfAtLimit(2046, 'x');
    EXPECT_EQ(viewerFor(directory, crlfAtLimit + "\r\n"), crlfAtLimit);
}

TEST(ReaderFile, EachReadStartsAfresh) {
    ScratchDirectory directory;
    EXPECT_EQ(viewerFor(directory, "/first/viewer\n"), "/first/viewer");
    EXPECT_EQ(viewerFor(directory, "/second\n"), "/second");
    std::filesystem::remove(directory.path() / "HtmlReader.txt");
    readViewerPath();
    EXPECT_EQ(viewerPath, defaultViewer);
}

using ReaderFileDeathTest = ::testing::Test;

TEST_F(ReaderFileDeathTest, DirectoryOfThatNameEndsTheProgram) {
    ScratchDirectory directory;
    std::filesystem::create_directory(directory.path() / "HtmlReader.txt");
    EXPECT_EXIT(readViewerPath(), ::testing::ExitedWithCode(1),
                "^Can't open file HtmlReader\\.txt\n$");
}

TEST_F(ReaderFileDeathTest, UnreadableFileEndsTheProgram) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads any file";
    ScratchDirectory directory;
    directory.write("HtmlReader.txt", "/usr/bin/viewer\n");
    chmod((directory.path() / "HtmlReader.txt").c_str(), 0);
    EXPECT_EXIT(readViewerPath(), ::testing::ExitedWithCode(1),
                "^Can't open file HtmlReader\\.txt\n$");
}

}  // namespace
