// Runs the built tonvisor-cli with arguments and standard input, capturing
// its output, errors and exit status.
#include "cli_run.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

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

CliRun runCli(const std::vector<std::string>& arguments, const std::string& input, const char* outputDevice) {
    const std::string inPath = scratchPath("in"), errPath = scratchPath("err");
    const std::string outPath = outputDevice ? outputDevice : scratchPath("out");
    std::ofstream(inPath, std::ios::binary) << input;

    std::vector<char*> argv = {const_cast<char*>(TONVISOR_CLI)};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t child = -1;
    CliRun run;
    if (posix_spawn(&child, TONVISOR_CLI, &actions, nullptr, argv.data(), environ) == 0) {
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
