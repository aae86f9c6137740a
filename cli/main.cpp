// tonvisor-cli: the chord analysis from the command line, one entry from the
// arguments or one per line from standard input, or the window's picture.
#include <cstdio>
#include <iostream>
#include <string>

#include "cli/options.h"
#include "cli/picture.h"
#include "cli/report.h"
#include "shell/version.h"

namespace {

constexpr int UsageError = 2;
constexpr int IoError = 1;

void printResult(const std::string& entry, bool json) {
    EntryResult result = analyseEntry(entry);
    std::string report = json ? jsonReport(result) : textReport(result);
    std::fwrite(report.data(), 1, report.size(), stdout);
}

// Lines from a Windows editor end in CR LF: the CR is not part of the entry.
bool readEntry(std::string& line) {
    if (!std::getline(std::cin, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

// Text results are separated by a blank line; JSON results are one per line.
void runBatch(bool json) {
    std::string line;
    for (bool first = true; readEntry(line); first = false) {
        if (!json && !first) std::fputs("\n", stdout);
        printResult(line, json);
    }
}

int usageError(const std::string& problem) {
    std::fprintf(stderr, "tonvisor-cli: %s\n%sTry 'tonvisor-cli --help' for more.\n", problem.c_str(), UsageText);
    return UsageError;
}

// A full disk or a closed pipe must not look like success.
int finish() {
    if (std::fflush(stdout) != 0 || std::ferror(stdout) || std::cin.bad()) {
        std::fprintf(stderr, "tonvisor-cli: %s\n", std::cin.bad() ? "cannot read standard input" : "cannot write the output");
        return IoError;
    }
    return 0;
}

// The file is checked first: no rendering for a picture that cannot be kept.
int writePicture(const CliOptions& options) {
    const std::string& path = options.picture.path;
    if (std::string reason = unwritableReason(path); !reason.empty()) {
        std::fprintf(stderr, "tonvisor-cli: cannot write '%s': %s\n", path.c_str(), reason.c_str());
        return IoError;
    }
    PictureOutcome outcome = exportPicture(options.picture, !options.notes.empty(), joinNotes(options.notes));
    if (outcome.status == UsageError) return usageError(outcome.problem);
    if (outcome.status != 0) std::fprintf(stderr, "tonvisor-cli: %s\n", outcome.problem.c_str());
    return outcome.status;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);  // standard input is read through std::cin only
    CliOptions options = parseOptions(argc, argv);
    if (!options.error.empty()) return usageError(options.error);
    if (options.help) std::printf("%s%s", UsageText, HelpText);
    else if (options.version) std::printf("tonvisor-cli %s\n", TONVISOR_VERSION);
    else if (!options.picture.path.empty()) return writePicture(options);
    else if (options.batch) runBatch(options.json);
    else printResult(joinNotes(options.notes), options.json);
    return finish();
}
