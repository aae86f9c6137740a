// Runs the built tonvisor-cli with arguments and standard input, capturing
// its output, errors and exit status (over the tests' one process runner).
#include "cli_run.h"
#include "tests/support/child_process.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
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

    std::vector<std::string> argv = {TONVISOR_CLI};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    CliRun run;
    {
        const FileSizeLimit limit(start.fileSizeLimit);
        ChildProcess child(argv, environmentWith({}, {}), outPath, errPath, start.inputClosed ? "" : inPath);
        run.status = child.wait(CliPatience);
    }
    run.err = readFile(errPath);
    std::remove(inPath.c_str());
    std::remove(errPath.c_str());
    if (!outputDevice) {
        run.out = readFile(outPath);
        std::remove(outPath.c_str());
    }
    return run;
}
