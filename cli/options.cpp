#include "cli/options.h"

const char* const UsageText =
    "Usage: tonvisor-cli [--json] NOTES...\n"
    "       tonvisor-cli --batch [--json] < entries.txt\n";

const char* const HelpText =
    "\n"
    "Scores the 132 chords (11 chord types on 12 roots) that up to five notes\n"
    "may belong to, best first. A note is a letter a to g, with '#' after it for\n"
    "sharp or '%' for flat; blanks between notes are optional: c e g, c#e%g.\n"
    "\n"
    "  --json    print one JSON object instead: entry, echo, notes, scores\n"
    "  --batch   read one entry per line from standard input; results follow\n"
    "            in the same order, separated by a blank line (JSON: one per line)\n"
    "  --help    print this help\n";

namespace {

// Returns false for an option this program does not know.
bool applyOption(const std::string& option, CliOptions& options) {
    if (option == "--help") options.help = true;
    else if (option == "--json") options.json = true;
    else if (option == "--batch") options.batch = true;
    else return false;
    return true;
}

std::string usageProblem(const CliOptions& options) {
    if (options.help || !options.error.empty()) return options.error;
    if (options.batch && !options.notes.empty()) return "--batch reads its entries from standard input, not from NOTES";
    if (!options.batch && options.notes.empty()) return "no NOTES given";
    return "";
}

}  // namespace

CliOptions parseOptions(int argc, const char* const* argv) {
    CliOptions options;
    bool notesOnly = false;
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        if (notesOnly || argument.empty() || argument[0] != '-') options.notes.push_back(argument);
        else if (argument == "--") notesOnly = true;
        else if (!applyOption(argument, options) && options.error.empty())
            options.error = "unknown option '" + argument + "'";
    }
    options.error = usageProblem(options);
    return options;
}

std::string joinNotes(const std::vector<std::string>& notes) {
    std::string entry;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        if (i > 0) entry += ' ';
        entry += notes[i];
    }
    return entry;
}
