// Starting, awaiting and stopping the tests' own child processes (child_process.h).
#include "tests/support/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <thread>

std::vector<std::string> environmentWith(const std::vector<std::string>& removed,
                                         const std::vector<std::string>& settings) {
    auto nameOf = [](const std::string& entry) { return entry.substr(0, entry.find('=')); };
    std::vector<std::string> environment;
    for (char** entry = environ; *entry; ++entry)
        if (std::find(removed.begin(), removed.end(), nameOf(*entry)) == removed.end()) environment.push_back(*entry);
    for (const std::string& entry : settings) {
        std::erase_if(environment, [&](const std::string& old) { return nameOf(old) == nameOf(entry); });
        environment.push_back(entry);
    }
    return environment;
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                           const std::string& outPath, const std::string& errPath, const std::string& inPath) {
    std::vector<char*> args, env;
    for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    for (const std::string& entry : environment) env.push_back(const_cast<char*>(entry.c_str()));
    args.push_back(nullptr);
    env.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (inPath.empty()) posix_spawn_file_actions_addclose(&actions, 0);
    else posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), env.data()) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
}

ChildProcess::~ChildProcess() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

int ChildProcess::wait(std::chrono::seconds deadline) {
    if (pid_ <= 0) return -1;
    const auto end = std::chrono::steady_clock::now() + deadline;
    int status = 0;
    while (waitpid(pid_, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > end) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

bool socketAccepts(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return false;
    std::strcpy(address.sun_path, path.c_str());
    const int socketFd = socket(AF_UNIX, SOCK_STREAM, 0);
    const bool accepted = connect(socketFd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(socketFd);
    return accepted;
}
