// One analysed entry and the two ways tonvisor-cli prints it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/naming.h"
#include "cli/report_buffer.h"

inline constexpr int EveryChord = -1;  // a `top` that lists every chord scoring above zero

struct EntryResult {
    std::string entry;
    std::string echo;         // as runAnalysis returns it, blanks included
    std::vector<int> notes;   // pitch classes, ascending
    float scores[ChordTypeCount * RootCount];  // laid out like MatchMatrix
    ChordName name;           // over the first note typed
};

// Runs the analysis into `result`, reusing its storage; a NUL byte ends the
// entry, as it ends any C string.
void analyseEntry(std::string_view entry, EntryResult& result);
EntryResult analyseEntry(const std::string& entry);

// "Recognised notes: ...", then "Chord: SYMBOL (LONG FORM)" when the notes
// name a chord, then one aligned line per chord scoring above zero, best
// first, ties in by-key order (root A to G#, then chord type): `top` of them
// at most, or all for EveryChord.
void writeTextReport(const EntryResult& result, int top, ReportBuffer& out);
std::string textReport(const EntryResult& result, int top = EveryChord);

// One line: {"entry": ..., "echo": ..., "notes": [...], "scores": [[...], ...],
// "name": {"symbol": ..., "root": ..., "type": ..., "bass": ..., "exact": ..., "ratio": ...}}
// with "name": null when the notes name no chord.
void writeJsonReport(const EntryResult& result, ReportBuffer& out);
std::string jsonReport(const EntryResult& result);
