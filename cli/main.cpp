// tonvisor-cli: the chord analysis from the command line, one entry from the
// arguments or one per line from standard input, the window's picture, the
// sound of "Enter", chords played on MIDI keyboards, or the chords of a piece.
#include <cstdio>
#include <iostream>
#include <string>
#include <string_view>

#include "cli/chords.h"
#include "cli/listen.h"
#include "cli/options.h"
#include "cli/picture.h"
#include "cli/report.h"
#include "cli/wav.h"
#include "piece/piece_file.h"
#include "platform/crt/standard_streams.h"
#include "shell/version.h"

namespace {

constexpr int UsageError = 2;
constexpr int IoError = 1;

// Results gather in one buffer that goes out in large writes, and whenever
// the input runs dry, so that someone typing entries sees each result.
constexpr std::size_t FlushSize = 1 << 20;

struct Printer {
    bool json;
    int top;
    bool harte;
    EntryResult result;
    ReportBuffer out;

    void print(std::string_view entry) {
        analyseEntry(entry, result);
        if (json) writeJsonReport(result, out);
        else writeTextReport(result, top, harte, out);
    }
    void separate() {
        char* at = out.reserve(1);
        *at = '\n';
        out.commit(at + 1);
    }
    void flush() {
        if (out.text().empty()) return;  // an empty buffer may have no storage at all
        std::fwrite(out.text().data(), 1, out.text().size(), stdout);
        out.clear();
    }
};

// Lines from a Windows editor end in CR LF: the CR is not part of the entry.
bool readEntry(std::string& line) {
    if (!std::getline(std::cin, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

// Text results are separated by a blank line; JSON results are one per line.
void runBatch(Printer& printer) {
    std::string line;
    for (bool first = true; readEntry(line); first = false) {
        if (!printer.json && !first) printer.separate();
        printer.print(line);
        if (printer.out.text().size() >= FlushSize || std::cin.rdbuf()->in_avail() <= 0) printer.flush();
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

// As with a picture: no rendering for a sound that cannot be kept.
int writeSound(const CliOptions& options) {
    const std::string& path = options.wavPath;
    if (std::string reason = unwritableReason(path); !reason.empty()) {
        std::fprintf(stderr, "tonvisor-cli: cannot write '%s': %s\n", path.c_str(), reason.c_str());
        return IoError;
    }
    SoundOutcome outcome = exportSound(path, joinNotes(options.notes));
    if (outcome.status != 0) std::fprintf(stderr, "tonvisor-cli: %s\n", outcome.problem.c_str());
    return outcome.status;
}

// Nothing goes to standard output for a file that cannot be read.
int printChords(const CliOptions& options) {
    Piece piece;
    std::string error;
    if (!readPiece(options.chordsPath, piece, error)) {
        std::fprintf(stderr, "tonvisor-cli: %s: %s\n", options.chordsPath.c_str(), error.c_str());
        return IoError;
    }
    ReportBuffer out;
    writeChordsReport(piece, options.json ? ChordsFormat::Json : options.lab ? ChordsFormat::Lab : ChordsFormat::Text,
                      out);
    std::fwrite(out.text().data(), 1, out.text().size(), stdout);
    return finish();
}

}  // namespace

int main(int argc, char** argv) {
    openStandardStreams();
    std::ios::sync_with_stdio(false);  // standard input is read through std::cin only
    std::cin.tie(nullptr);             // and nothing is written through std::cout
    CliOptions options = parseOptions(argc, argv);
    if (!options.error.empty()) return usageError(options.error);
    if (options.help) std::printf("%s%s", UsageText, HelpText);
    else if (options.version) std::printf("tonvisor-cli %s\n", TONVISOR_VERSION);
    else if (!options.picture.path.empty()) return writePicture(options);
    else if (!options.wavPath.empty()) return writeSound(options);
    else if (options.listen) return listenToKeyboards();
    else if (!options.chordsPath.empty()) return printChords(options);
    else if (options.listenAudio) return listenToAudio();
    else {
        Printer printer{options.json, options.top, options.harte, {}, {}};
        if (options.batch) runBatch(printer);
        else printer.print(joinNotes(options.notes));
        printer.flush();
    }
    return finish();
}
