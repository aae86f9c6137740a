// Runs the built tonvisor-cli with arguments and standard input, capturing
// its output, errors and exit status.
#include "cli_run.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <sstream>

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string scratchPath(const char* name) {
    return testing::TempDir() + "tonvisor-cli-" + std::to_string(getpid()) + "-" + name;
}

// The limit holds for this process too while the child starts; a write past
// it fails (SIGXFSZ ignored, in the child as well) instead of killing.
struct FileSizeLimit {
    explicit FileSizeLimit(long bytes) : on(bytes > 0) {
        if (!on) return;
        getrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = before;
        limit.rlim_cur = static_cast<rlim_t>(bytes);
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        if (!on) return;
        setrlimit(RLIMIT_FSIZE, &before);
        std::signal(SIGXFSZ, SIG_DFL);
    }
    bool on;
    rlimit before{};
};

CliRun runCli(const std::vector<std::string>& arguments, const std::string& input, CliStart start) {
    const char* outputDevice = start.outputDevice;
    const std::string inPath = scratchPath("in"), errPath = scratchPath("err");
    const std::string outPath = outputDevice ? outputDevice : scratchPath("out");
    std::ofstream(inPath, std::ios::binary) << input;

    std::vector<char*> argv = {const_cast<char*>(TONVISOR_CLI)};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (start.inputClosed) posix_spawn_file_actions_addclose(&actions, 0);
    else posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t child = -1;
    CliRun run;
    bool spawned;
    {
        const FileSizeLimit limit(start.fileSizeLimit);
        spawned = posix_spawn(&child, TONVISOR_CLI, &actions, nullptr, argv.data(), environ) == 0;
    }
    if (spawned) {
        int status = 0;
        waitpid(child, &status, 0);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    posix_spawn_file_actions_destroy(&actions);
    run.err = readFile(errPath);
    std::remove(inPath.c_str());
    std::remove(errPath.c_str());
    if (!outputDevice) {
        run.out = readFile(outPath);
        std::remove(outPath.c_str());
    }
    return run;
}
