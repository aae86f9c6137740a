// runAnalysis and nameChord over a fixed list of 1,000 entries of 3 to 5
// notes, typed the way people type them: mixed case, sharps and flats, with
// and without blanks.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/naming.h"

namespace {

std::vector<std::string> fixedEntries() {
    const char* names[] = {"c", "C#", "d%", "D", "d#", "e%", "E", "f", "F#", "g%", "g",
                           "G#", "a%", "a", "A#", "b%", "B", "c%", "b#", "e#", "f%"};
    std::vector<std::string> entries;
    unsigned state = 12345;  // a fixed linear congruential sequence: the same list every run
    auto next = [&state](unsigned range) {
        state = state * 1103515245u + 12345u;
        return (state >> 16) % range;
    };
    while (entries.size() < 1000) {
        std::string entry;
        unsigned notes = 3 + next(3);
        for (unsigned i = 0; i < notes; ++i) entry += std::string(names[next(21)]) + (next(2) ? " " : "");
        entries.push_back(entry);
    }
    return entries;
}

void BM_RunAnalysis(benchmark::State& state) {
    const std::vector<std::string> entries = fixedEntries();
    for (auto _ : state) {
        for (const std::string& entry : entries) {
            benchmark::DoNotOptimize(runAnalysis(entry.c_str()));
            benchmark::ClobberMemory();
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(entries.size()));
}

BENCHMARK(BM_RunAnalysis);

// The parse on its own: the rest of a run is the scoring.
void BM_ParseEntry(benchmark::State& state) {
    const std::vector<std::string> entries = fixedEntries();
    for (auto _ : state) {
        for (const std::string& entry : entries) {
            NoteEntry parsed = parseEntry(entry.c_str());
            benchmark::DoNotOptimize(parsed);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(entries.size()));
}

BENCHMARK(BM_ParseEntry);

// Naming alone, over entries parsed beforehand, with the first note typed as
// the bass: what a name adds to a run.
void BM_NameChord(benchmark::State& state) {
    std::vector<NoteEntry> parsed;
    for (const std::string& entry : fixedEntries()) parsed.push_back(parseEntry(entry.c_str()));
    for (auto _ : state) {
        for (const NoteEntry& entry : parsed) {
            ChordName name = nameChord(entry, entry.typed[0]);
            benchmark::DoNotOptimize(name);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(parsed.size()));
}

BENCHMARK(BM_NameChord);

}  // namespace
