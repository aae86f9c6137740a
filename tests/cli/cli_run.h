// Runs the built tonvisor-cli as a user would, for the process tests.
#pragma once

#include <string>
#include <vector>

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string readFile(const std::string& path);
// A file name of this test process's own under the test scratch folder.
std::string scratchPath(const char* name);

// How the program is started beyond its arguments and input.
struct CliStart {
    const char* outputDevice = nullptr;  // standard output sent there (such as /dev/full), not captured
    bool inputClosed = false;            // started with standard input closed
    long fileSizeLimit = 0;              // bytes any file it writes may reach (0: none), as on a full disk
};

// Runs the program with the arguments and the given standard input. Its
// standard output is captured, or sent to start.outputDevice. The status is
// the exit status, 128 + the signal that ended it, or -1 when it could not
// start or hung.
CliRun runCli(const std::vector<std::string>& arguments, const std::string& input = "", CliStart start = {});
