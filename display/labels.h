// The display's label texts are fixed byte for byte (their blanks place them
// on the screen), so they are written out where they are drawn. These checks
// tie them, at compile time, to the names the analysis gives the roots and
// chord types (analysis/analysis.h, analysis/chords.h): a label out of order,
// misspelt or of the wrong width does not compile.
#pragma once

#include <string_view>

#include "analysis/analysis.h"

namespace labels {

// Slot i of a text cut into slots of `width` characters.
constexpr std::string_view slot(std::string_view text, int width, int i) {
    return text.substr(static_cast<std::size_t>(width) * i, width);
}

constexpr bool onlyBlanks(std::string_view text) {
    return text.find_first_not_of(' ') == std::string_view::npos;
}

constexpr std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The text with its blanks left out.
struct Packed {
    char text[64] = {};
    std::size_t size = 0;
    constexpr void add(std::string_view part) {
        for (char c : part)
            if (c != ' ' && size < sizeof text) text[size++] = c;
    }
    constexpr bool operator==(const Packed& other) const {
        return std::string_view(text, size) == std::string_view(other.text, other.size);
    }
};

// `count` slots of `width`, slot i holding name(i) and blanks only: blanks
// after the name, or before it when the slots are right-aligned.
template <typename Name>
constexpr bool namesInSlots(std::string_view text, int width, int count, Name name,
                            bool rightAligned = false) {
    if (text.size() != static_cast<std::size_t>(width) * count) return false;
    for (int i = 0; i < count; ++i) {
        const std::string_view cell = slot(text, width, i);
        const std::string_view expected = name(i);
        if (expected.size() > cell.size()) return false;
        const std::size_t padding = cell.size() - expected.size();
        const std::string_view body = rightAligned ? cell.substr(padding) : cell.substr(0, expected.size());
        const std::string_view blanks = rightAligned ? cell.substr(0, padding) : cell.substr(expected.size());
        if (body != expected || !onlyBlanks(blanks)) return false;
    }
    return true;
}

// The root names, two characters each, left-aligned ("A A#") or right-aligned (" AA#").
constexpr bool rootsInSlots(std::string_view text, bool rightAligned) {
    return namesInSlots(text, 2, RootCount, [](int root) { return rootName(root); }, rightAligned);
}

// Chord type t as the name box shows it: its symbol and its name in
// parentheses, "m7 (Minor 7th)". The blanks inside are the box's own.
constexpr bool nameBoxSlots(std::string_view text, int width) {
    if (text.size() != static_cast<std::size_t>(width) * ChordTypeCount) return false;
    for (int type = 0; type < ChordTypeCount; ++type) {
        Packed shown, named;
        shown.add(slot(text, width, type));
        named.add(ChordTypeNames[type].symbol);
        named.add("(");
        named.add(ChordTypeNames[type].name);
        named.add(")");
        if (!(shown == named)) return false;
    }
    return true;
}

// Slot t holds chord type t's abbreviation, placed anywhere by blanks.
constexpr bool abbreviationsInSlots(std::string_view text, int width) {
    if (text.size() != static_cast<std::size_t>(width) * ChordTypeCount) return false;
    for (int type = 0; type < ChordTypeCount; ++type)
        if (trimmed(slot(text, width, type)) != ChordTypeNames[type].abbreviation) return false;
    return true;
}

}  // namespace labels
