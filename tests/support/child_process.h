// The one way the tests start a program of their own: a run awaited with a
// deadline (a probe, the built tonvisor-cli), or a private server kept for a
// test. Each is stopped by its own process id.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

// This process's environment without the named variables, plus the settings
// ("NAME=value", later ones win).
std::vector<std::string> environmentWith(const std::vector<std::string>& removed,
                                         const std::vector<std::string>& settings);

class ChildProcess {
public:
    // Starts the program (argv[0] is searched in PATH) with exactly this
    // environment, its standard output and error going to the two files and
    // its standard input read from the third (closed where it is empty).
    ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
                 const std::string& outPath = "/dev/null", const std::string& errPath = "/dev/null",
                 const std::string& inPath = "/dev/null");
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    // Stops it (SIGTERM) unless it has ended, and reaps it.
    ~ChildProcess();

    bool started() const { return pid_ > 0; }
    // Its exit status once it ends; -1 if it is still running at the deadline
    // (a hang: it is then killed).
    int wait(std::chrono::seconds deadline);

private:
    pid_t pid_ = -1;
};

// Whether a Unix socket at the path accepts a connection.
bool socketAccepts(const std::string& path);
