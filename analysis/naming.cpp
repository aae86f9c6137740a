// Chord naming over 12-bit pitch-class sets (bit p for pitch class p).
//
// Turning a set so that a given root lands on bit 0 gives its shape. Two
// tables, worked out at compile time, hold for every shape the best exact
// fit and the best partial fit over that root (the eleven scored types, with
// the scores' own ratio: matches over the larger of the two sizes); naming
// turns the entry through the twelve roots and keeps the best of each.
#include "analysis/naming.h"

namespace {

constexpr int NoteSetCount = 1 << PitchClassCount;
constexpr unsigned AllPitches = NoteSetCount - 1;

// The set turned down by `root` semitones: that root on bit 0.
constexpr unsigned shapeOver(unsigned notes, int root) {
    return ((notes >> root) | (notes << (PitchClassCount - root))) & AllPitches;
}

constexpr int longestText(const char* VocabularyChord::*field) {
    int longest = 0;
    for (const VocabularyChord& chord : ChordVocabulary) {
        int length = static_cast<int>(std::string_view(chord.*field).size());
        longest = length > longest ? length : longest;
    }
    return longest;
}

constexpr int NameLength = 2;  // a letter and an accidental
static_assert(SymbolCapacity > NameLength + longestText(&VocabularyChord::suffix) + 1 + NameLength + 1);
static_assert(LongNameCapacity > NameLength + 1 + longestText(&VocabularyChord::longName) +
                                     sizeof ", XX in the bass" + sizeof ", partial 5/5");

// Candidates are compared as plain numbers, their keys: the larger key is
// the better name. Keys for the same root order by commonness (the
// vocabulary index counted down); the bass as root adds one bit above that;
// a partial fit's key has its ratio above both, in sixtieths, exact for the
// divisors 3, 4 and 5. Among equal keys the root met first counting up from
// the bass stays, as the search goes that way and takes only larger keys.
constexpr unsigned commonness(int chord) { return static_cast<unsigned>(VocabularySize - chord); }
constexpr int chordOfCommonness(unsigned code) { return VocabularySize - static_cast<int>(code); }

// Exact fits: for every shape (the entry turned so that a candidate root is
// on bit 0), the commonness of the chord of exactly that shape, or 0.
constexpr unsigned ExactBassBit = 1u << 6;

struct ExactFits {
    unsigned char ofShape[NoteSetCount];
};

constexpr ExactFits buildExactFits() {
    ExactFits fits{};
    for (int chord = 0; chord < VocabularySize; ++chord)
        fits.ofShape[ShapeOnC.onC[chord]] = static_cast<unsigned char>(commonness(chord));
    return fits;
}

constexpr ExactFits Exact = buildExactFits();
static_assert(commonness(0) < ExactBassBit);

// Partial fits: for every shape of up to five notes, the scored type that
// fits it best over bit 0, the most common among equals. Key, from the top:
// the ratio in sixtieths (6 bits), the bass bit, the commonness (5 bits),
// the divisor (4 bits), as the scores count it: the larger of the chord's
// size and the entry's.
constexpr unsigned RatioShift = 10, ScoredBassBit = 1u << 9, CommonnessShift = 4, DivisorMask = 15;

struct ScoredFits {
    unsigned short ofShape[NoteSetCount];
};

constexpr unsigned scoredKey(int chord, int matches, int divisor) {
    return static_cast<unsigned>(matches * 60 / divisor) << RatioShift | commonness(chord) << CommonnessShift |
           static_cast<unsigned>(divisor);
}

constexpr ScoredFits buildScoredFits() {
    ScoredFits fits{};
    for (int shape = 0; shape < NoteSetCount; ++shape) {
        int entered = shapeSize(shape);
        if (entered > MaxEnteredNotes) continue;
        unsigned best = 0;
        for (int chord = 0; chord < VocabularySize; ++chord) {
            if (ChordVocabulary[chord].chordType == NotScored) continue;
            unsigned notes = ShapeOnC.onC[chord];
            int size = shapeSize(notes);
            unsigned key = scoredKey(chord, shapeSize(notes & shape), entered > size ? entered : size);
            best = key > best ? key : best;
        }
        fits.ofShape[shape] = static_cast<unsigned short>(best);
    }
    return fits;
}

constexpr ScoredFits Scored = buildScoredFits();
static_assert(commonness(0) < 32 && 60u << RatioShift < 1u << 16 && MaxEnteredNotes <= DivisorMask);

struct Choice {
    bool exact = false;
    int chord = 0;
    int root = 0;
    int matches = 0;
    int divisor = 1;
};

struct BestKey {
    unsigned key = 0;
    int root = 0;
};

void keepLarger(BestKey& best, unsigned key, int root) {
    if (key > best.key) best = {key, root};
}

// The exact fit if there is one, else the best partial fit, both over all
// twelve roots counting up from the bass. The shape turns by one each step.
Choice bestChoice(unsigned notes, int bass) {
    unsigned shape = shapeOver(notes, bass);
    unsigned exactAtBass = Exact.ofShape[shape];
    BestKey exact{exactAtBass == 0 ? 0 : exactAtBass | ExactBassBit, bass};
    BestKey scored{Scored.ofShape[shape] | ScoredBassBit, bass};
    for (int root = bass + 1; root < bass + PitchClassCount; ++root) {
        shape = shape >> 1 | (shape & 1u) << (PitchClassCount - 1);
        int wrapped = root < PitchClassCount ? root : root - PitchClassCount;
        keepLarger(exact, Exact.ofShape[shape], wrapped);
        keepLarger(scored, Scored.ofShape[shape], wrapped);
    }
    Choice choice;
    if (exact.key != 0) {
        choice.exact = true;
        choice.chord = chordOfCommonness(exact.key & ~ExactBassBit);
        choice.root = exact.root;
        choice.matches = choice.divisor = shapeSize(notes);
    } else {
        choice.chord = chordOfCommonness(scored.key >> CommonnessShift & 31u);
        choice.root = scored.root;
        choice.divisor = static_cast<int>(scored.key & DivisorMask);
        choice.matches = static_cast<int>(scored.key >> RatioShift) * choice.divisor / 60;
    }
    return choice;
}

// Each adds to a text that the static_asserts above have made room for.
char* appendText(char* at, const char* text) {
    while (*text != '\0') *at++ = *text++;
    *at = '\0';
    return at;
}

constexpr char SharpSpellings[] = "C C#D D#E F F#G G#A A#B ";
constexpr char FlatSpellings[] = "C DbD EbE F GbG AbA BbB ";

void copySpelling(const char* spelling, char* name) {
    name[0] = spelling[0];
    name[1] = spelling[1] == ' ' ? '\0' : spelling[1];
    name[2] = '\0';
}

// A written note keeps its spelling; the other pitch classes follow the set's
// choice of flats or sharps.
void spellRootAndBass(const PitchSet& set, ChordName& name) {
    const char* unwritten = set.flats ? FlatSpellings : SharpSpellings;
    const char* rootSpelling = unwritten + 2 * name.root;
    const char* bassSpelling = unwritten + 2 * name.bass;
    for (int place = 0; place < set.count; ++place) {
        if (set.spelling[place][0] == 0) continue;
        if (set.notes[place] == name.root) rootSpelling = set.spelling[place];
        if (set.notes[place] == name.bass) bassSpelling = set.spelling[place];
    }
    copySpelling(rootSpelling, name.rootName);
    copySpelling(bassSpelling, name.bassName);
}

void writeTexts(ChordName& name) {
    const VocabularyChord& chord = ChordVocabulary[name.chord];
    bool slash = name.bass != name.root;
    char* symbol = appendText(appendText(name.symbol, name.rootName), chord.suffix);
    if (slash) symbol = appendText(appendText(symbol, "/"), name.bassName);
    if (!name.exact) appendText(symbol, "?");

    char* text = appendText(appendText(appendText(name.longName, name.rootName), " "), chord.longName);
    if (slash) text = appendText(appendText(appendText(text, ", "), name.bassName), " in the bass");
    if (!name.exact) {
        const char ratio[] = {static_cast<char>('0' + name.matches), '/', static_cast<char>('0' + name.divisor), '\0'};
        appendText(appendText(text, ", partial "), ratio);
    }
}

}  // namespace

ChordName nameChord(const PitchSet& set) {
    ChordName name{};
    if (set.count < 2) return name;
    unsigned notes = pitchMask(set);
    int bass = set.bass >= 0 && set.bass < PitchClassCount && (notes >> set.bass & 1u) ? set.bass : set.notes[0];

    Choice choice = bestChoice(notes, bass);
    if (!choice.exact && set.count == 2) return name;
    name.named = true;
    name.exact = choice.exact;
    name.chord = choice.chord;
    name.root = choice.root;
    name.bass = bass;
    name.matches = choice.matches;
    name.divisor = choice.divisor;
    spellRootAndBass(set, name);
    writeTexts(name);
    return name;
}

ChordName nameChord(const NoteEntry& entry, int bassPitch) { return nameChord(pitchSetOf(entry, bassPitch)); }
