// Harte labels of the vocabulary's chords (harte.h): each suffix of the
// vocabulary has its quality in Harte's shorthands or degree lists.
#include "analysis/harte.h"

#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

struct HarteQuality {
    const char* suffix;
    const char* quality;
};

constexpr HarteQuality Qualities[] = {
    {"", "maj"},           {"m", "min"},            {"7", "7"},              {"m7", "min7"},
    {"maj7", "maj7"},      {"6", "maj6"},           {"m6", "min6"},          {"9", "9"},
    {"sus4", "sus4"},      {"sus2", "sus2"},        {"dim", "dim"},          {"m7b5", "hdim7"},
    {"dim7", "dim7"},      {"aug", "aug"},          {"5", "(1,5)"},          {"add9", "maj(9)"},
    {"m9", "min9"},        {"maj9", "maj9"},        {"7sus4", "sus4(b7)"},   {"7b9", "7(b9)"},
    {"madd9", "min(9)"},   {"6/9", "maj6(9)"},      {"m6/9", "min6(9)"},     {"mMaj7", "minmaj7"},
    {"9sus4", "sus4(b7,9)"}, {"7#9", "7(#9)"},      {"7#5", "aug(b7)"},      {"7b5", "(3,b5,b7)"},
    {"maj7#5", "aug(7)"},  {"7#11", "7(#11)"},      {"maj7#11", "maj7(#11)"},
};

const char* qualityOf(const char* suffix) {
    for (const HarteQuality& quality : Qualities)
        if (std::strcmp(quality.suffix, suffix) == 0) return quality.quality;
    return nullptr;
}

// The bass as a degree: the chord's own degree where the bass is one of its
// notes, else the plain interval above the root.
std::string_view bassDegree(const ChordName& name) {
    static const char* const Intervals[PitchClassCount] = {"1", "b2", "2", "b3", "3", "4", "b5", "5", "b6", "6", "b7", "7"};
    const int semitones = ((name.bass - name.root) % PitchClassCount + PitchClassCount) % PitchClassCount;
    std::string_view degrees = ChordVocabulary[name.chord].degrees;
    while (!degrees.empty()) {
        const std::size_t blank = degrees.find(' ');
        const std::string_view degree = degrees.substr(0, blank);
        if (degreeSemitones(degree) == semitones) return degree;
        degrees.remove_prefix(blank == std::string_view::npos ? degrees.size() : blank + 1);
    }
    return Intervals[semitones];
}

}  // namespace

HarteLabel harteLabel(const ChordName& name) {
    HarteLabel label{};
    const char* quality = name.named ? qualityOf(ChordVocabulary[name.chord].suffix) : nullptr;
    if (quality == nullptr) {
        std::snprintf(label.text, sizeof label.text, "N");
        return label;
    }
    if (name.bass == name.root) {
        std::snprintf(label.text, sizeof label.text, "%s:%s", name.rootName, quality);
        return label;
    }
    const std::string_view degree = bassDegree(name);
    std::snprintf(label.text, sizeof label.text, "%s:%s/%.*s", name.rootName, quality, static_cast<int>(degree.size()),
                  degree.data());
    return label;
}
