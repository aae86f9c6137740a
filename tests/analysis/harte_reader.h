// Reads a Harte chord label back into pitch classes, written from the grammar
// of Harte et al., "Symbolic representation of musical chords" (2005), with
// the shorthands sus2, 1 and 5 that later evaluations added; it shares nothing
// with the program's writer. Anything the grammar does not allow is invalid:
//   chord  ::= note ":" shorthand ["(" degree-list ")"] ["/" degree]
//            | note ":" "(" degree-list ")" ["/" degree] | note ["/" degree] | "N"
//   note   ::= (A | B | C | D | E | F | G) modifier*     modifier ::= "b" | "#"
//   degree-list ::= ["*"] degree ["," degree-list]        degree ::= modifier* (1 .. 13)
// The bass sounds in the chord; "*" takes a degree out.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

struct ReadLabel {
    bool valid = false, chord = false;  // chord: false for "N"
    int root = 0, bass = 0;
    unsigned notes = 0;  // bit p for pitch class p
};

// Semitones of the modifiers at `at` plus `base`, within the octave.
inline int readModifiers(const std::string& text, std::size_t& at, int base) {
    for (; at < text.size() && (text[at] == 'b' || text[at] == '#'); ++at) base += text[at] == '#' ? 1 : -1;
    return (base % 12 + 12) % 12;
}

// Semitones above the root, or -1.
inline int readDegree(const std::string& text, std::size_t& at) {
    static const int Major[14] = {-1, 0, 2, 4, 5, 7, 9, 11, 12, 14, 16, 17, 19, 21};
    int shift = readModifiers(text, at, 12) - 12, number = 0;
    std::size_t start = at;
    for (; at < text.size() && at - start < 2 && text[at] >= '0' && text[at] <= '9'; ++at) number = number * 10 + text[at] - '0';
    return at == start || number < 1 || number > 13 ? -1 : ((Major[number] + shift) % 12 + 12) % 12;
}

inline ReadLabel readHarteLabel(const std::string& text) {
    static const std::map<std::string, std::vector<int>> Shorthands = {
        {"maj", {0, 4, 7}},       {"min", {0, 3, 7}},       {"dim", {0, 3, 6}},         {"aug", {0, 4, 8}},
        {"maj7", {0, 4, 7, 11}},  {"min7", {0, 3, 7, 10}},  {"7", {0, 4, 7, 10}},       {"dim7", {0, 3, 6, 9}},
        {"hdim7", {0, 3, 6, 10}}, {"minmaj7", {0, 3, 7, 11}}, {"maj6", {0, 4, 7, 9}},   {"min6", {0, 3, 7, 9}},
        {"9", {0, 2, 4, 7, 10}},  {"maj9", {0, 2, 4, 7, 11}}, {"min9", {0, 2, 3, 7, 10}}, {"sus4", {0, 5, 7}},
        {"sus2", {0, 2, 7}},      {"1", {0}},               {"5", {0, 7}},              {"", {}}};
    static const std::string Naturals = "C D EF G A B";
    ReadLabel label;
    if (text == "N") label.valid = true;
    if (text.empty() || text[0] == ' ' || Naturals.find(text[0]) == std::string::npos) return label;
    std::size_t at = 1;
    label.root = readModifiers(text, at, static_cast<int>(Naturals.find(text[0])));
    std::string shorthand = "maj";  // a bare note is a major triad
    if (at < text.size() && text[at] == ':') {
        std::size_t end = std::min(text.find_first_of("(/", ++at), text.size());
        shorthand = text.substr(at, end - at);
        at = end;
    }
    if (!Shorthands.contains(shorthand)) return label;
    unsigned intervals = 0;
    for (int semitones : Shorthands.at(shorthand)) intervals |= 1u << semitones;
    bool listed = at < text.size() && text[at] == '(';
    for (bool more = listed; more; more = at < text.size() && text[at] == ',') {
        bool removed = ++at < text.size() && text[at] == '*';
        int semitones = readDegree(text, at += removed);
        if (semitones < 0) return label;
        intervals = removed ? intervals & ~(1u << semitones) : intervals | 1u << semitones;
    }
    if (listed && (at >= text.size() || text[at++] != ')')) return label;
    if (shorthand.empty() && !listed) return label;
    int bass = 0;
    if (at < text.size() && text[at] == '/' && (bass = readDegree(text, ++at)) < 0) return label;
    if (at != text.size()) return label;
    for (int semitones = 0; semitones < 12; ++semitones)
        if ((intervals | 1u << bass) >> semitones & 1u) label.notes |= 1u << (label.root + semitones) % 12;
    label.bass = (label.root + bass) % 12;
    label.valid = label.chord = true;
    return label;
}
