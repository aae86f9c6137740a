// Any bytes as a typed entry: the analysis never fails, its echo names exactly
// the notes it took, every score is one that m of d notes can give, and the
// chord's name over any bass is well formed and says what it stands for, and
// its Harte label starts with its root.
#include "analysis/analysis.h"
#include "analysis/harte.h"
#include "analysis/naming.h"

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

bool isFifth(const NoteEntry& parsed) {
    int interval = parsed.notes[1] - parsed.notes[0];
    return parsed.count == 2 && (interval == 5 || interval == 7);
}

// A letter and maybe '#' or 'b', naming the pitch class.
void checkSpelling(const char* spelled, int pitch, const std::string& entry) {
    std::string name = spelled;
    if (name.size() == 2 && name[1] == 'b') name[1] = '%';
    if (name.empty() || name.size() > 2 || name[0] < 'A' || name[0] > 'G' || (name.size() == 2 && name[1] != '#' && name[1] != '%'))
        broken("spelling out of form", entry);
    if (lookupNote(name) != pitch) broken("spelling names another pitch class", entry);
}

void checkName(const ChordName& name, const NoteEntry& parsed, int askedBass, const std::string& entry) {
    if (std::memchr(name.symbol, '\0', SymbolCapacity) == nullptr ||
        std::memchr(name.longName, '\0', LongNameCapacity) == nullptr)
        broken("name text without its end", entry);
    if (name.named != (parsed.count >= 3 || isFifth(parsed))) broken("named when it should not be, or not when it should", entry);
    const HarteLabel label = harteLabel(name);
    if (std::memchr(label.text, '\0', HarteCapacity) == nullptr) broken("label without its end", entry);
    if (!name.named) {
        if (name.symbol[0] != '\0' || name.longName[0] != '\0' || name.fifthOmitted) broken("text for no name", entry);
        if (std::strcmp(label.text, "N") != 0) broken("label for no name", entry);
        return;
    }
    if (std::string(label.text).rfind(name.rootName + std::string(":"), 0) != 0) broken("label without its root", entry);
    bool askedFits = askedBass >= 0 && askedBass < PitchClassCount && parsed.seen[askedBass];
    if (name.bass != (askedFits ? askedBass : parsed.typed[0])) broken("bass other than the one asked for", entry);
    if (name.root < 0 || name.root >= PitchClassCount || name.chord < 0 || name.chord >= VocabularySize)
        broken("root or chord out of range", entry);
    const VocabularyChord& chord = ChordVocabulary[name.chord];
    if (name.fifthOmitted && (!name.exact || parsed.count < 3 || !holdsFifth(ShapeOnC.onC[name.chord])))
        broken("fifth left out of a chord that has none, or of a partial or two-note name", entry);
    if (name.exact) {
        unsigned notes = 0, shape = ShapeOnC.onC[name.chord];
        if (name.fifthOmitted) shape &= ~(1u << FifthSemitones);
        for (int place = 0; place < parsed.count; ++place) notes |= 1u << parsed.notes[place];
        unsigned onRoot = (shape << name.root | shape >> (PitchClassCount - name.root)) & 0xFFF;
        if (onRoot != notes || name.matches != parsed.count || name.divisor != parsed.count)
            broken("exact name whose notes differ from the entry", entry);
    } else if (chord.chordType == NotScored || name.matches < 1 || name.matches >= name.divisor || name.divisor > 5) {
        broken("partial name out of range", entry);
    }
    checkSpelling(name.rootName, name.root, entry);
    checkSpelling(name.bassName, name.bass, entry);
    std::string slash = name.bass != name.root ? std::string("/") + name.bassName : "";
    std::string inTheBass = name.bass != name.root ? std::string(", ") + name.bassName + " in the bass" : "";
    std::string partial = name.exact ? "" : ", partial " + std::to_string(name.matches) + "/" + std::to_string(name.divisor);
    if (name.symbol != name.rootName + std::string(chord.suffix) + slash + (name.exact ? "" : "?"))
        broken("symbol out of form", entry);
    std::string noFifth = name.fifthOmitted ? ", no 5th" : "";
    if (name.longName != name.rootName + std::string(" ") + chord.longName + noFifth + inTheBass + partial)
        broken("long form out of form", entry);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The program hands over a NUL-terminated text: a zero byte ends it.
    std::string entry(reinterpret_cast<const char*>(data), size);
    const char* echo = runAnalysis(entry.c_str());
    NoteEntry parsed = parseEntry(entry.c_str());
    checkEcho(echo, parsed, entry);
    checkScores(parsed, entry);
    for (int bass : {parsed.typed[0], 0, 4, 11, NoNote, -1, static_cast<int>(size)})
        checkName(nameChord(parsed, bass), parsed, bass, entry);
    return 0;
}
