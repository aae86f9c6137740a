// File attributes, the current directory and starting programs.
#include "platform/win32.h"
#include "tests/support/scratch_directory.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <utility>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

class Launch : public ::testing::Test {
protected:
    void SetUp() override { setenv("TONVISOR_RECORD", record.c_str(), 1); }
    // What the started recorder wrote, once it has finished.
    std::string recorded() {
        for (int i = 0; i < 1000 && !fs::exists(record); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::ifstream in(record);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    // Children of this process that ended and were never reaped.
    static int zombies() {
        int found = 0;
        for (const auto& entry : fs::directory_iterator("/proc")) {
            std::ifstream stat(entry.path() / "stat");
            std::string line;
            if (!std::getline(stat, line)) continue;
            std::istringstream fields(line.substr(line.rfind(')') + 2));
            char state = 0;
            int parent = 0;
            fields >> state >> parent;
            found += state == 'Z' && parent == getpid();
        }
        return found;
    }
    static bool succeeded(HINSTANCE result) { return reinterpret_cast<std::uintptr_t>(result) > 32; }

    ScratchDirectory scratch{"tonvisor launch"};
    const fs::path& directory = scratch.path();
    const fs::path record = directory / "record.txt";
};

TEST_F(Launch, ParametersReachTheProgramAsOneArgumentWithoutAShell) {
    const std::string parameters = "my docs\\\"quoted\" 'single' ; touch pwned $(touch pwned2) `touch pwned3`";
    ASSERT_TRUE(succeeded(ShellExecuteA(nullptr, "open", RECORDER_PATH, parameters.c_str(), nullptr,
                                        SW_SHOWNORMAL)));
    EXPECT_EQ(recorded(), "1\nmy docs/\"quoted\" 'single' ; touch pwned $(touch pwned2) `touch pwned3`\n");
    EXPECT_FALSE(fs::exists(directory / "pwned"));
    EXPECT_FALSE(fs::exists(directory / "pwned2"));
    EXPECT_FALSE(fs::exists(directory / "pwned3"));
    // Nobody waits for the program, yet it does not stay behind as a zombie.
    for (int i = 0; i < 500 && zombies() > 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(zombies(), 0);
}

TEST_F(Launch, TheWindowsExplorerBecomesTheDesktopOpener) {
    fs::create_symlink(RECORDER_PATH, directory / "xdg-open");
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (directory.string() + ":" + path).c_str(), 1);
    const HINSTANCE result = ShellExecuteA(nullptr, "open", "\\windows\\explorer.exe",
                                           "D:\\Apps\\Chords\\document\\Tonvisor.htm", nullptr,
                                           SW_SHOWNORMAL);
    setenv("PATH", path.c_str(), 1);
    ASSERT_TRUE(succeeded(result));
    EXPECT_EQ(recorded(), "1\nD:/Apps/Chords/document/Tonvisor.htm\n");
}

TEST_F(Launch, MissingProgramsAndOtherVerbsFail) {
    EXPECT_FALSE(succeeded(ShellExecuteA(nullptr, "open", "no-such-viewer-here", "x", nullptr, 1)));
    EXPECT_FALSE(succeeded(ShellExecuteA(nullptr, "open", "", "x", nullptr, 1)));
    EXPECT_FALSE(succeeded(ShellExecuteA(nullptr, "print", RECORDER_PATH, "x", nullptr, 1)));
    EXPECT_FALSE(fs::exists(record));
}

TEST_F(Launch, FileAttributesTellFilesFromDirectoriesFromNothing) {
    std::ofstream("HtmlReader.txt") << "viewer\n";
    fs::create_directory("folder");
    EXPECT_EQ(GetFileAttributesA("HtmlReader.txt"), static_cast<DWORD>(FILE_ATTRIBUTE_NORMAL));
    EXPECT_EQ(GetFileAttributesA("folder"), static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
    EXPECT_EQ(GetFileAttributesA("missing.txt"), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(GetFileAttributesA(nullptr), INVALID_FILE_ATTRIBUTES);
}

// What could keep a reader waiting is a device; what answers at once is a
// normal file, whatever its kind. Links count as what they lead to.
TEST_F(Launch, FileAttributesMarkWhatMightNotAnswerAsADevice) {
    ASSERT_EQ(mkfifo("pipe", 0600), 0);
    const std::pair<const char*, const char*> links[] = {
        {"null", "/dev/null"}, {"zero", "/dev/zero"}, {"terminal", "/dev/ptmx"},
        {"to the pipe", "pipe"}, {"dangling", "missing.txt"}};
    for (const auto& [name, target] : links) fs::create_symlink(target, name);
    const std::pair<const char*, DWORD> expected[] = {
        {"pipe", FILE_ATTRIBUTE_DEVICE}, {"to the pipe", FILE_ATTRIBUTE_DEVICE},
        {"terminal", FILE_ATTRIBUTE_DEVICE}, {"null", FILE_ATTRIBUTE_NORMAL},
        {"zero", FILE_ATTRIBUTE_NORMAL}, {"dangling", INVALID_FILE_ATTRIBUTES}};
    for (const auto& [name, attributes] : expected) EXPECT_EQ(GetFileAttributesA(name), attributes) << name;
}

TEST_F(Launch, CurrentDirectoryFitsTheBufferOrAsksForMore) {
    const std::string here = fs::current_path().string();
    char buffer[1024];
    EXPECT_EQ(GetCurrentDirectoryA(sizeof buffer, buffer), here.size());
    EXPECT_EQ(std::string(buffer), here);
    char tiny[4] = "abc";
    EXPECT_EQ(GetCurrentDirectoryA(sizeof tiny, tiny), here.size() + 1);
    EXPECT_STREQ(tiny, "abc");  // untouched
    EXPECT_NE(GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(GetModuleHandleA(nullptr), GetModuleHandleA(nullptr));
}

}  // namespace
