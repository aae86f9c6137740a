// Chord naming over 12-bit pitch-class sets (bit p for pitch class p).
//
// Turning a set so that a given root lands on bit 0 gives its shape. Two
// tables, worked out at compile time, hold for every shape the best exact
// fit (all the chord's notes, else all but its fifth) and the best partial
// fit over that root (the eleven scored types, with the scores' own ratio:
// matches over the larger of the two sizes); naming turns the entry through
// the twelve roots and keeps the best of each.
#include "analysis/naming.h"

namespace {

constexpr int NoteSetCount = 1 << PitchClassCount;
constexpr unsigned AllPitches = NoteSetCount - 1;

// The set turned down by `root` semitones: that root on bit 0.
constexpr unsigned shapeOver(unsigned notes, int root) {
    return ((notes >> root) | (notes << (PitchClassCount - root))) & AllPitches;
}

constexpr int textLength(const char* text) { return static_cast<int>(std::string_view(text).size()); }

// The longest texts a name can have: any chord with a slash and a bass of two
// characters; '?' and the ratio only on a scored type, "no 5th" only on a
// chord with a fifth.
constexpr int NameLength = 2;  // a letter and an accidental
constexpr int SlashLength = 1 + NameLength;
constexpr int InTheBassLength = textLength(", XX in the bass");
constexpr int PartialLength = textLength(", partial 5/5");
constexpr int NoFifthLength = textLength(", no 5th");

constexpr int longestSymbol() {
    int longest = 0;
    for (const VocabularyChord& chord : ChordVocabulary) {
        int length = NameLength + textLength(chord.suffix) + SlashLength + (chord.chordType != NotScored);
        longest = length > longest ? length : longest;
    }
    return longest;
}

constexpr int longestLongName() {
    int longest = 0;
    for (int chord = 0; chord < VocabularySize; ++chord) {
        bool scored = ChordVocabulary[chord].chordType != NotScored;
        int qualifier = scored ? PartialLength : holdsFifth(ShapeOnC.onC[chord]) ? NoFifthLength : 0;
        int length = NameLength + 1 + textLength(ChordVocabulary[chord].longName) + InTheBassLength + qualifier;
        longest = length > longest ? length : longest;
    }
    return longest;
}

static_assert(SymbolCapacity > longestSymbol() && LongNameCapacity > longestLongName());

// Candidates are compared as plain numbers, their keys: the larger key is
// the better name. Keys for the same root order by commonness, the vocabulary
// index counted down (7 bits). Among the roots, the search goes up from the
// bass and takes only larger keys, so that among equal keys the root met
// first stays.
constexpr unsigned CommonnessMask = 127;
constexpr unsigned commonness(int chord) { return static_cast<unsigned>(VocabularySize - chord); }
constexpr int chordOfCommonness(unsigned code) { return VocabularySize - static_cast<int>(code & CommonnessMask); }
static_assert(commonness(0) <= CommonnessMask);

// Exact fits: for every shape (the entry turned so that a candidate root is
// on bit 0), the key of the chord of exactly that shape, else of the chord of
// that shape and a fifth, else 0. From the top: an everyday chord with all its
// notes (so that C E G over E stays C/E when E G C is also Em#5), the bass as
// root, all the chord's notes (clear for a chord without its fifth), an
// everyday chord, the commonness. Below the bass, then, the order runs: the
// rarer chords with all their notes, then the chords without their fifth, the
// everyday ones first.
constexpr unsigned EverydayBit = 1u << 7, CompleteBit = 1u << 8, ExactBassBit = 1u << 9,
                   EverydayCompleteBit = 1u << 10;
constexpr int LeastWithoutFifth = 3;  // notes entered: two notes name only a power chord

struct ExactFits {
    unsigned short ofShape[NoteSetCount];
};

constexpr unsigned exactKey(int chord, bool complete) {
    bool everyday = chord < EverydayChordCount;
    return (complete && everyday ? EverydayCompleteBit : 0) | (complete ? CompleteBit : 0) |
           (everyday ? EverydayBit : 0) | commonness(chord);
}

constexpr void keepLargerKey(unsigned short& kept, unsigned key) {
    if (key > kept) kept = static_cast<unsigned short>(key);
}

constexpr ExactFits buildExactFits() {
    ExactFits fits{};
    for (int chord = 0; chord < VocabularySize; ++chord) {
        unsigned shape = ShapeOnC.onC[chord];
        if (shapeSize(shape) <= MaxEnteredNotes) keepLargerKey(fits.ofShape[shape], exactKey(chord, true));
        unsigned withoutFifth = shape & ~(1u << FifthSemitones);
        if (holdsFifth(shape) && shapeSize(withoutFifth) >= LeastWithoutFifth)
            keepLargerKey(fits.ofShape[withoutFifth], exactKey(chord, false));
    }
    return fits;
}

constexpr ExactFits Exact = buildExactFits();

// Partial fits: for every shape of up to five notes, the scored type that
// fits it best over bit 0, the most common among equals. Key, from the top:
// the ratio in sixtieths (6 bits, exact for the divisors 3, 4 and 5), the bass
// as root, the commonness. The divisor, as the scores count it, is the larger
// of the chord's size and the entry's.
constexpr unsigned ScoredBassBit = 1u << 7, RatioShift = 8;

struct ScoredFits {
    unsigned short ofShape[NoteSetCount];
};

constexpr int divisorOf(int chord, int entered) {
    int size = shapeSize(ShapeOnC.onC[chord]);
    return entered > size ? entered : size;
}

constexpr unsigned scoredKey(int chord, int matches, int divisor) {
    return static_cast<unsigned>(matches * 60 / divisor) << RatioShift | commonness(chord);
}

constexpr ScoredFits buildScoredFits() {
    ScoredFits fits{};
    for (int shape = 0; shape < NoteSetCount; ++shape) {
        int entered = shapeSize(shape);
        if (entered > MaxEnteredNotes) continue;
        unsigned best = 0;
        for (int chord = 0; chord < VocabularySize; ++chord) {
            if (ChordVocabulary[chord].chordType == NotScored) continue;
            unsigned key = scoredKey(chord, shapeSize(ShapeOnC.onC[chord] & shape), divisorOf(chord, entered));
            best = key > best ? key : best;
        }
        fits.ofShape[shape] = static_cast<unsigned short>(best);
    }
    return fits;
}

constexpr ScoredFits Scored = buildScoredFits();
static_assert(60u << RatioShift < 1u << 16 && EverydayCompleteBit < 1u << 16);

struct Choice {
    bool exact = false;
    bool fifthOmitted = false;
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
        choice.fifthOmitted = (exact.key & CompleteBit) == 0;
        choice.chord = chordOfCommonness(exact.key);
        choice.root = exact.root;
        choice.matches = choice.divisor = shapeSize(notes);
    } else {
        choice.chord = chordOfCommonness(scored.key);
        choice.root = scored.root;
        choice.divisor = divisorOf(choice.chord, shapeSize(notes));
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
    if (name.fifthOmitted) text = appendText(text, ", no 5th");
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
    name.fifthOmitted = choice.fifthOmitted;
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
