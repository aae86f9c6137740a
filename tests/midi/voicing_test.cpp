// Voicing: which keys "Enter" and a clicked spike sound. Keys are MIDI
// numbers: C3 = 48, C4 = 60.
#include <gtest/gtest.h>

#include <vector>

#include "midi/voicing.h"

namespace {

std::vector<int> keysOf(const Voicing& voicing) { return std::vector<int>(voicing.keys, voicing.keys + voicing.count); }

TEST(Voicing, EnterStacksTheTypedNotesUpwardFromTheFirst) {
    const struct {
        const char* entry;
        std::vector<int> keys;
    } cases[] = {
        {"", {}},
        {"c e g", {48, 52, 55}},
        {"e g c", {52, 55, 60}},  // inversions: the first note typed is the bass
        {"g e c", {55, 64, 72}},
        {"b c", {59, 60}},
        {"c e c g e", {48, 52, 55}},  // each note once, however it is spelled
        {"c# d% f", {49, 53}},
        {"e% g% b% d%", {51, 54, 58, 61}},
        {"b a# a g# g f#", {59, 70, 81, 92, 103}},  // five at most: the widest spread
    };
    for (const auto& example : cases) EXPECT_EQ(keysOf(voiceEntry(parseEntry(example.entry))), example.keys) << example.entry;
}

TEST(Voicing, ASpikeSoundsItsChordInRootPositionFromC3) {
    const struct {
        int type;  // ChordTemplates order: 0 Minor, 1 Major, ... 10 Dominant 9th
        int root;  // pitch class, C = 0
        std::vector<int> keys;
    } cases[] = {
        {1, 0, {48, 52, 55}},          // C
        {0, 9, {57, 60, 64}},          // Am
        {3, 11, {59, 62, 65, 68}},     // Bdim7
        {7, 7, {55, 59, 62, 65}},      // G7
        {9, 1, {49, 53, 56, 59, 62}},  // C#7-9: the ninth above the seventh
        {10, 11, {59, 63, 66, 69, 73}},
    };
    for (const auto& example : cases)
        EXPECT_EQ(keysOf(voiceChord(example.type, example.root)), example.keys) << example.type << " on " << example.root;
}

}  // namespace
