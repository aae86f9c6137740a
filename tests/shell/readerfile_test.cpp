// The reader file HtmlReader.txt and the viewer path it gives.
#include "shell/help.h"

#include "tests/support/scratch_directory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
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

TEST(ReaderFile, FirstLineLessOnlyItsLineEnd) {
    const std::string longLine(3000, 'v'), fits(2047, 'w'), crlfAtLimit(2046, 'x');
    const std::pair<std::string, std::string> filesAndViewers[] = {
        {"C:\\Tools\\viewer.exe\nsecond line\n", "C:\\Tools\\viewer.exe"},
        {"C:\\Tools\\viewer.exe\r\nsecond\r\n", "C:\\Tools\\viewer.exe"},
        {"/usr/bin/viewer", "/usr/bin/viewer"},
        // Nothing else is trimmed: only one line end goes, and a lone carriage
        // return is part of the path.
        {"\t/opt/my viewer  \n", "\t/opt/my viewer  "},
        {"viewer\r\r\n", "viewer\r"},
        {"viewer\r", "viewer\r"},
        // A leading line end gives the empty path.
        {"\n/usr/bin/viewer\n", ""},
        {"\r\n/usr/bin/viewer\r\n", ""},
        // A long first line is cut at 2047 characters; a carriage return that
        // fills the buffer still belongs to the line end.
        {longLine + "\nsecond\n", longLine.substr(0, 2047)},
        {fits + "\n", fits},
        {crlfAtLimit + "\r\n", crlfAtLimit},
    };
    ScratchDirectory directory;
    for (const auto& [file, viewer] : filesAndViewers)
        EXPECT_EQ(viewerFor(directory, file), viewer) << "file of " << file.size() << " bytes: " << file.substr(0, 40);
}

TEST(ReaderFile, LinkToDevNullReadsAsAnEmptyFile) {
    ScratchDirectory directory;
    std::filesystem::create_symlink("/dev/null", directory.path() / "HtmlReader.txt");
    std::strcpy(viewerPath, "left over");
    readViewerPath();
    EXPECT_EQ(viewerPath, defaultViewer);
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

TEST_F(ReaderFileDeathTest, NamedPipeWithoutWriterEndsTheProgramAtOnce) {
    ScratchDirectory directory;
    ASSERT_EQ(mkfifo("HtmlReader.txt", 0600), 0);
    // Opening the pipe would wait for a writer for ever; the alarm turns such
    // a wait into a death by signal, which fails the test.
    EXPECT_EXIT(
        {
            alarm(5);
            readViewerPath();
        },
        ::testing::ExitedWithCode(1), "^Can't open file HtmlReader\\.txt\n$");
}

}  // namespace
