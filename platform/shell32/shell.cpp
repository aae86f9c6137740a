// ShellExecuteA: starts a program with posix_spawnp, never through a shell, so
// nothing in the program name or the parameters is ever read as a command.
// Backslashes become slashes, the Windows explorer becomes the desktop's
// opener, and the parameters reach the program as one argument. Nobody waits
// for the program; a small thread reaps it when it ends.
#include "platform/win32.h"

#include <spawn.h>
#include <strings.h>
#include <sys/wait.h>
#include <thread>
#include <string>
#include <vector>

extern char** environ;

namespace {

// Windows' results: above 32 is success.
constexpr std::uintptr_t started = 42;
constexpr std::uintptr_t fileNotFound = 2;     // ERROR_FILE_NOT_FOUND
constexpr std::uintptr_t noAssociation = 31;   // SE_ERR_NOASSOC

std::string withSlashes(std::string text) {
    for (char& c : text)
        if (c == '\\') c = '/';
    return text;
}

std::string programFor(const char* file) {
    const std::string program = withSlashes(file);
    if (strcasecmp(program.c_str(), "/windows/explorer.exe") == 0) return "xdg-open";
    return program;
}

HINSTANCE result(std::uintptr_t code) { return reinterpret_cast<HINSTANCE>(code); }

}  // namespace

HINSTANCE WINAPI ShellExecuteA(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                               LPCSTR directory, INT showCommand) {
    if (operation && strcasecmp(operation, "open") != 0) return result(noAssociation);
    if (!file || !*file) return result(fileNotFound);

    std::string program = programFor(file);
    std::string argument = parameters ? withSlashes(parameters) : std::string();
    std::vector<char*> arguments{program.data()};
    if (!argument.empty()) arguments.push_back(argument.data());
    arguments.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    std::string workingDirectory = directory && *directory ? withSlashes(directory) : std::string();
    if (!workingDirectory.empty())
        posix_spawn_file_actions_addchdir_np(&actions, workingDirectory.c_str());
    pid_t child = 0;
    const int failed =
        posix_spawnp(&child, program.c_str(), &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed) return result(fileNotFound);
    std::thread([child] { waitpid(child, nullptr, 0); }).detach();
    return result(started);
}
