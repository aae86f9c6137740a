// Reads a Harte chord label back into pitch classes, written from the
// published grammar (Harte et al., "Symbolic representation of musical
// chords", 2005), with the shorthands sus2, 1 and 5 that later evaluations
// added. It shares nothing with the program's writer:
//   chord       ::= note ":" shorthand ["(" degree-list ")"] ["/" degree]
//                 | note ":" "(" degree-list ")" ["/" degree]
//                 | note ["/" degree] | "N"
//   note        ::= natural | note modifier      natural ::= A | B | C | D | E | F | G
//   modifier    ::= "b" | "#"
//   degree-list ::= ["*"] degree ["," degree-list]
//   degree      ::= interval | modifier degree   interval ::= 1 .. 13
// The bass note sounds in the chord; "*" takes a degree out.
#pragma once

#include <map>
#include <string>
#include <vector>

struct ReadLabel {
    bool valid = false;
    bool chord = false;  // false for "N"
    int root = 0;
    unsigned notes = 0;  // bit p for pitch class p
    int bass = 0;
};

namespace harte_reader {

inline void readModifiers(const std::string& text, std::size_t& at, int& shift) {
    for (; at < text.size() && (text[at] == 'b' || text[at] == '#'); ++at) shift += text[at] == '#' ? 1 : -1;
}

// Semitones above the root, or -1.
inline int readDegree(const std::string& text, std::size_t& at) {
    static const int Semitones[14] = {-1, 0, 2, 4, 5, 7, 9, 11, 12, 14, 16, 17, 19, 21};
    int shift = 0;
    readModifiers(text, at, shift);
    std::size_t start = at;
    int number = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9' && at - start < 2; ++at) number = number * 10 + text[at] - '0';
    if (at == start || number < 1 || number > 13) return -1;
    return ((Semitones[number] + shift) % 12 + 12) % 12;
}

inline unsigned shorthandIntervals(const std::string& name, bool& known) {
    static const std::map<std::string, std::vector<int>> Shorthands = {
        {"maj", {0, 4, 7}},         {"min", {0, 3, 7}},        {"dim", {0, 3, 6}},        {"aug", {0, 4, 8}},
        {"maj7", {0, 4, 7, 11}},    {"min7", {0, 3, 7, 10}},   {"7", {0, 4, 7, 10}},      {"dim7", {0, 3, 6, 9}},
        {"hdim7", {0, 3, 6, 10}},   {"minmaj7", {0, 3, 7, 11}}, {"maj6", {0, 4, 7, 9}},   {"min6", {0, 3, 7, 9}},
        {"9", {0, 4, 7, 10, 14}},   {"maj9", {0, 4, 7, 11, 14}}, {"min9", {0, 3, 7, 10, 14}}, {"sus4", {0, 5, 7}},
        {"sus2", {0, 2, 7}},        {"1", {0}},                {"5", {0, 7}}};
    auto found = Shorthands.find(name);
    known = found != Shorthands.end();
    unsigned intervals = 0;
    if (known)
        for (int semitones : found->second) intervals |= 1u << semitones % 12;
    return intervals;
}

}  // namespace harte_reader

inline ReadLabel readHarteLabel(const std::string& text) {
    using namespace harte_reader;
    ReadLabel label;
    if (text == "N") {
        label.valid = true;
        return label;
    }
    static const std::map<char, int> Naturals = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5}, {'G', 7}, {'A', 9}, {'B', 11}};
    if (text.empty() || !Naturals.contains(text[0])) return label;
    std::size_t at = 1;
    int shift = 0;
    readModifiers(text, at, shift);
    label.root = ((Naturals.at(text[0]) + shift) % 12 + 12) % 12;
    bool known = true;
    unsigned intervals = shorthandIntervals("maj", known);  // a bare note is a major triad
    if (at < text.size() && text[at] == ':') {
        ++at;
        std::size_t end = text.find_first_of("(/", at);
        std::string shorthand = text.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? text.size() : end;
        intervals = shorthand.empty() ? 0u : shorthandIntervals(shorthand, known);
        bool listed = at < text.size() && text[at] == '(';
        if (!known || (shorthand.empty() && !listed)) return label;
        if (listed) {
            do {
                ++at;
                bool removed = at < text.size() && text[at] == '*';
                at += removed;
                int semitones = readDegree(text, at);
                if (semitones < 0) return label;
                intervals = removed ? intervals & ~(1u << semitones) : intervals | 1u << semitones;
            } while (at < text.size() && text[at] == ',');
            if (at >= text.size() || text[at] != ')') return label;
            ++at;
        }
    }
    int bassInterval = 0;
    if (at < text.size() && text[at] == '/') {
        ++at;
        bassInterval = readDegree(text, at);
        if (bassInterval < 0) return label;
        intervals |= 1u << bassInterval;
    }
    if (at != text.size()) return label;
    for (int semitones = 0; semitones < 12; ++semitones)
        if (intervals >> semitones & 1u) label.notes |= 1u << (label.root + semitones) % 12;
    label.bass = (label.root + bassInterval) % 12;
    label.valid = label.chord = true;
    return label;
}
