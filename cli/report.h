// One analysed entry and the two ways tonvisor-cli prints it.
#pragma once

#include <string>
#include <vector>

#include "analysis/analysis.h"

struct EntryResult {
    std::string entry;
    std::string echo;         // as runAnalysis returns it, blanks included
    std::vector<int> notes;   // pitch classes, ascending
    float scores[ChordTypeCount * RootCount];  // laid out like MatchMatrix
};

// Runs the analysis; a NUL byte ends the entry, as it ends any C string.
EntryResult analyseEntry(const std::string& entry);

// "Recognised notes: ..." and one aligned line per chord scoring above zero,
// best first; ties in by-key order (root A to G#, then chord type).
std::string textReport(const EntryResult& result);

// One line: {"entry": ..., "echo": ..., "notes": [...], "scores": [[...], ...]}
std::string jsonReport(const EntryResult& result);
