// Runs the built tonvisor-cli with arguments and standard input, capturing
// its output, errors and exit status (over the tests' one process runner).
#include "cli_run.h"
#include "tests/support/child_process.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

// A run still going after this long has hung: it is killed and its status is -1.
constexpr std::chrono::seconds CliPatience{120};

}  // namespace

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

    std::vector<std::string> argv = {TONVISOR_CLI};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    CliRun run;
    run.status = ChildProcess(argv, environmentWith({}, {}), outPath, errPath, inPath).wait(CliPatience);
    run.err = readFile(errPath);
    std::remove(inPath.c_str());
    std::remove(errPath.c_str());
    if (!outputDevice) {
        run.out = readFile(outPath);
        std::remove(outPath.c_str());
    }
    return run;
}
