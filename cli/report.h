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
    std::string entry;        // as read, every byte kept
    std::string echo;         // as runAnalysis returns it, blanks included
    std::vector<int> notes;   // pitch classes, ascending
    float scores[ChordTypeCount * RootCount];  // laid out like MatchMatrix
    ChordName name;           // over the bass: the first note typed, the lowest key played
};

// Runs the analysis of what sounds into `result`, reusing its storage; the
// entry text is left as it was.
void analysePitches(const PitchSet& set, EntryResult& result);

// The same for a typed entry; a NUL byte is skipped like any other byte
// that names no note.
void analyseEntry(std::string_view entry, EntryResult& result);
EntryResult analyseEntry(const std::string& entry);

// "Recognised notes: ...", then "Chord: SYMBOL (LONG FORM)" when the notes
// name a chord, followed by its Harte label when `harte` is set
// ("Chord: C/E (C Major, E in the bass) C:maj/3"), then one aligned line per
// chord scoring above zero, best first, ties in by-key order (root A to G#,
// then chord type): `top` of them at most, or all for EveryChord.
void writeTextReport(const EntryResult& result, int top, bool harte, ReportBuffer& out);
std::string textReport(const EntryResult& result, int top = EveryChord, bool harte = false);

// One line, for chords played in: "E  G  C | C/E (C Major, E in the bass) |
// C Major 100%, A Minor 7th 75%, C Major 6th 75%": the recognised notes, the
// name ("-" for none) and the `best` chords scoring above zero, best first.
void writeLineReport(const EntryResult& result, int best, ReportBuffer& out);

// One line: {"entry": ..., "echo": ..., "notes": [...], "scores": [[...], ...],
// "name": {"symbol": ..., "root": ..., "type": ..., "bass": ..., "exact": ..., "omitted": [...],
// "ratio": ..., "harte": ...}}, where "omitted" is ["5"] for a chord named without its fifth
// with "name": null when the notes name no chord.
void writeJsonReport(const EntryResult& result, ReportBuffer& out);
std::string jsonReport(const EntryResult& result);

// The pieces of the JSON report that other reports share: the 132 scores as
// eleven rows of twelve roots (at most JsonScoresBound bytes), and the name
// object or null (at most JsonNameBound bytes).
inline constexpr std::size_t JsonScoresBound = 4 + ChordTypeCount * (4 + RootCount * 24);
inline constexpr std::size_t JsonNameBound = 512;
char* writeJsonScores(char* at, const float* scores);
char* writeJsonName(char* at, const ChordName& name);
