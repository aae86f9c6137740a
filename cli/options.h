// Command-line options of tonvisor-cli.
#pragma once

#include <string>
#include <vector>

struct CliOptions {
    bool help = false;
    bool json = false;
    bool batch = false;
    std::vector<std::string> notes;  // the NOTES arguments, in order
    std::string error;               // set when the command line is unusable
};

// Options may come anywhere; "--" makes every later argument a note.
CliOptions parseOptions(int argc, const char* const* argv);

// The entry text: the NOTES joined with one blank.
std::string joinNotes(const std::vector<std::string>& notes);

extern const char* const UsageText;  // the two command forms
extern const char* const HelpText;   // what --help adds to them
