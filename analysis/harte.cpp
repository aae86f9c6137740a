// Harte labels for chord names (analysis/harte.h). The shorthand of every
// chord is chosen at compile time, where the longest label is also measured.
#include "analysis/harte.h"

#include <array>

namespace {

struct Shorthand {
    const char* name;
    const char* degrees;  // as the vocabulary writes them
};

// Among shorthands of equal size the first wins: sus4 before sus2.
constexpr Shorthand Shorthands[] = {
    {"maj", "1 3 5"},        {"min", "1 b3 5"},       {"aug", "1 3 #5"},       {"dim", "1 b3 b5"},
    {"dim7", "1 b3 b5 bb7"}, {"hdim7", "1 b3 b5 b7"}, {"maj7", "1 3 5 7"},     {"min7", "1 b3 5 b7"},
    {"7", "1 3 5 b7"},       {"maj6", "1 3 5 6"},     {"min6", "1 b3 5 6"},    {"9", "1 3 5 b7 9"},
    {"maj9", "1 3 5 7 9"},   {"min9", "1 b3 5 b7 9"}, {"minmaj7", "1 b3 5 7"}, {"sus4", "1 4 5"},
    {"sus2", "1 2 5"},       {"5", "1 5"},            {"1", "1"},
};
constexpr int ShorthandCount = sizeof Shorthands / sizeof Shorthands[0];
constexpr int NoShorthand = -1;
constexpr int LeastShorthandDegrees = 3;  // fewer, as in C:1(4,b7,b10), say less than the list

constexpr bool listsEvery(std::string_view degrees, std::string_view wanted) {
    bool every = true;
    forEachDegree(wanted, [&](std::string_view degree) { every = every && listsDegree(degrees, degree); });
    return every;
}

constexpr int shorthandOf(int chord) {
    const char* degrees = ChordVocabulary[chord].degrees;
    int best = NoShorthand, bestSize = 0;
    for (int form = 0; form < ShorthandCount; ++form) {
        int size = degreeCount(Shorthands[form].degrees);
        if (size > bestSize && listsEvery(degrees, Shorthands[form].degrees)) best = form, bestSize = size;
    }
    return bestSize >= LeastShorthandDegrees || bestSize == degreeCount(degrees) ? best : NoShorthand;
}

// Every chord's shorthand, chosen once.
constexpr std::array<int, VocabularySize> ShorthandOf = [] {
    std::array<int, VocabularySize> forms{};
    for (int chord = 0; chord < VocabularySize; ++chord) forms[chord] = shorthandOf(chord);
    return forms;
}();

// Writes into a label, counting what would not fit so that the compile-time
// check below can tell.
struct LabelWriter {
    HarteLabel label{};
    int length = 0;

    constexpr void put(std::string_view text) {
        for (char c : text) {
            if (length < HarteCapacity - 1) label.text[length] = c;
            ++length;
        }
    }
};

constexpr void writeBody(LabelWriter& out, int chord, bool fifthOmitted) {
    int form = ShorthandOf[chord];
    std::string_view shorthandDegrees = form == NoShorthand ? "" : Shorthands[form].degrees;
    if (form != NoShorthand) out.put(Shorthands[form].name);
    bool opened = false;
    auto item = [&](std::string_view text) {
        out.put(opened ? "," : "(");
        opened = true;
        out.put(text);
    };
    forEachDegree(ChordVocabulary[chord].degrees, [&](std::string_view degree) {
        if (!listsDegree(shorthandDegrees, degree) && !(fifthOmitted && degree == "5")) item(degree);
    });
    if (fifthOmitted && listsDegree(shorthandDegrees, "5")) item("*5");
    if (opened) out.put(")");
}

// Degrees above the octave come down into it: 9 is 2, b13 is b6.
constexpr void writeSimpleDegree(LabelWriter& out, std::string_view degree) {
    std::size_t number = degree.find_first_not_of("b#");  // two at most: "bb7"
    out.put(degree.substr(0, number));
    std::string_view digits = degree.substr(number);
    int value = digits.size() == 2 ? 10 + (digits[1] - '0') : digits[0] - '0';
    const char simple[] = {static_cast<char>('0' + (value > 7 ? value - 7 : value)), '\0'};
    out.put(simple);
}

constexpr void writeBass(LabelWriter& out, int chord, int semitones) {
    constexpr const char* Intervals[PitchClassCount] = {"1", "b2", "2", "b3", "3", "4", "b5", "5", "b6", "6", "b7", "7"};
    std::string_view inChord;
    forEachDegree(ChordVocabulary[chord].degrees, [&](std::string_view degree) {
        if (degreeSemitones(degree) == semitones) inChord = degree;
    });
    out.put("/");
    if (inChord.empty()) out.put(Intervals[semitones]);
    else writeSimpleDegree(out, inChord);
}

// The longest label: a root of two characters, the longest body of any chord
// with or without its fifth, and a bass of a slash and at most three more
// ("/bb7", "/#4").
constexpr int RootLength = 2, LongestBass = 4;

constexpr bool everyLabelFits() {
    int longestBody = 0;
    bool shortBasses = true;
    for (int chord = 0; chord < VocabularySize; ++chord) {
        forEachDegree(ChordVocabulary[chord].degrees,
                      [&](std::string_view degree) { shortBasses = shortBasses && degree.find_first_not_of("b#") <= 2; });
        for (bool fifthOmitted : {false, true}) {
            LabelWriter out;
            writeBody(out, chord, fifthOmitted);
            longestBody = out.length > longestBody ? out.length : longestBody;
        }
    }
    return shortBasses && RootLength + 1 + longestBody + LongestBass < HarteCapacity;
}

static_assert(everyLabelFits());

}  // namespace

HarteLabel harteLabel(const ChordName& name) {
    LabelWriter out;
    if (!name.named) {
        out.put("N");
        return out.label;
    }
    out.put(name.rootName);
    out.put(":");
    writeBody(out, name.chord, name.fifthOmitted);
    if (name.bass != name.root) writeBass(out, name.chord, (name.bass - name.root + PitchClassCount) % PitchClassCount);
    return out.label;
}
