// tonvisor-cli's reports of one analysed entry: the chords that score,
// best first, as aligned text, or everything as one line of JSON.
#include "cli/report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <string_view>

#include "cli/json.h"

namespace {

struct RankedChord {
    int root;
    int type;
    float score;
};

std::vector<RankedChord> chordsBestFirst(const EntryResult& result) {
    std::vector<RankedChord> chords;
    for (int root = 0; root < RootCount; ++root)
        for (int type = 0; type < ChordTypeCount; ++type)
            if (float score = result.scores[matchCell(type, root)]; score > 0.0f)
                chords.push_back({root, type, score});
    std::stable_sort(chords.begin(), chords.end(),
                     [](const RankedChord& a, const RankedChord& b) { return a.score > b.score; });
    return chords;
}

std::string trimBlanks(const std::string& text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The score is 2 * ratio^2, so the ratio comes back exactly enough to round.
int matchPercent(float score) {
    return static_cast<int>(std::lround(std::sqrt(score / 2.0) * 100.0));
}

std::string chordLine(const RankedChord& chord) {
    char line[80];
    const std::string_view root = rootName(chord.root);
    std::snprintf(line, sizeof line, "%-2.*s  %-15s  %6.4f  %3d%%\n", static_cast<int>(root.size()),
                  root.data(), ChordTypeNames[chord.type].shortName, static_cast<double>(chord.score),
                  matchPercent(chord.score));
    return line;
}

std::string jsonNumber(float value) {
    char number[32];
    std::snprintf(number, sizeof number, "%.9g", static_cast<double>(value));
    return number;
}

std::string jsonScoreRows(const EntryResult& result) {
    std::string rows = "[";
    for (int type = 0; type < ChordTypeCount; ++type) {
        rows += type > 0 ? ", [" : "[";
        for (int root = 0; root < RootCount; ++root)
            rows += (root > 0 ? ", " : "") + jsonNumber(result.scores[matchCell(type, root)]);
        rows += "]";
    }
    return rows + "]";
}

}  // namespace

EntryResult analyseEntry(const std::string& entry) {
    EntryResult result;
    result.entry = entry.substr(0, entry.find('\0'));
    result.echo = runAnalysis(result.entry.c_str());
    result.notes.assign(Analysis.entry.notes, Analysis.entry.notes + Analysis.entry.count);
    std::copy(std::begin(MatchMatrix), std::end(MatchMatrix), result.scores);
    return result;
}

std::string textReport(const EntryResult& result) {
    std::string report = "Recognised notes: " + trimBlanks(result.echo) + "\n";
    for (const RankedChord& chord : chordsBestFirst(result)) report += chordLine(chord);
    return report;
}

std::string jsonReport(const EntryResult& result) {
    std::string notes = "[";
    for (std::size_t i = 0; i < result.notes.size(); ++i)
        notes += (i > 0 ? ", " : "") + std::to_string(result.notes[i]);
    return "{\"entry\": " + jsonString(result.entry) + ", \"echo\": " + jsonString(result.echo) +
           ", \"notes\": " + notes + "], \"scores\": " + jsonScoreRows(result) + "}\n";
}
