// Any bytes as a typed entry: the analysis never fails, its echo names exactly
// the notes it took, and every score is one that m of d notes can give.
#include "analysis/analysis.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

[[noreturn]] void broken(const char* what, const std::string& entry) {
    std::fprintf(stderr, "entry fuzzer: %s for the entry \"%s\"\n", what, entry.c_str());
    std::abort();
}

// The echo: two blanks, then per note its capital letter and accidental (or a
// blank) and one blank. Nothing of the rest of the entry shows.
void checkEcho(const char* echo, const NoteEntry& parsed, const std::string& entry) {
    if (parsed.count < 0 || parsed.count > MaxEnteredNotes)
        broken("note count out of range", entry);
    if (std::strlen(echo) != static_cast<size_t>(2 + 3 * parsed.count))
        broken("echo length", entry);
    if (std::strcmp(echo, parsed.echo) != 0) broken("echo differs from the parse", entry);
    if (echo[0] != ' ' || echo[1] != ' ') broken("echo does not start with two blanks", entry);
    for (int note = 0; note < parsed.count; ++note) {
        const char* name = echo + 2 + 3 * note;
        if (name[0] < 'A' || name[0] > 'G') broken("echo note is not a capital letter", entry);
        if (std::strchr(" #%", name[1]) == nullptr) broken("echo accidental", entry);
        if (name[2] != ' ') broken("echo notes not separated by a blank", entry);
    }
}

// A chord of `size` notes and n entered notes: m of them match, the divisor is
// the larger of the two counts, and the score is 2 m^2 / d^2.
bool possibleScore(float score, int size, int entered) {
    int divisor = entered > size ? entered : size;
    int most = entered < size ? entered : size;
    for (int matches = 0; matches <= most; ++matches) {
        float ratio = static_cast<float>(matches) / static_cast<float>(divisor);
        if (std::fabs(score - 2.0f * ratio * ratio) < 1e-6f) return true;
    }
    return false;
}

void checkScores(const NoteEntry& parsed, const std::string& entry) {
    for (int type = 0; type < ChordTypeCount; ++type) {
        for (int root = 0; root < RootCount; ++root) {
            float score = matchScore(type, root);
            if (!(score >= 0.0f && score <= 2.0f)) broken("score outside 0..2", entry);
            if (!possibleScore(score, ChordTemplates[type].noteCount, parsed.count))
                broken("score that no match count gives", entry);
            if (parsed.count == 0 && score != 0.0f) broken("score without notes", entry);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The program hands over a NUL-terminated text: a zero byte ends it.
    std::string entry(reinterpret_cast<const char*>(data), size);
    const char* echo = runAnalysis(entry.c_str());
    NoteEntry parsed = parseEntry(entry.c_str());
    checkEcho(echo, parsed, entry);
    checkScores(parsed, entry);
    return 0;
}
