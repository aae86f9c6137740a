// Voicing: which keys "Enter" and a clicked spike sound. Keys are MIDI
// numbers: C3 = 48, C4 = 60.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "midi/voicing.h"

namespace {

std::vector<int> keysOf(const Voicing& voicing) { return std::vector<int>(voicing.keys, voicing.keys + voicing.count); }

struct EntryCase {
    const char* entry;
    std::vector<int> keys;
};

void PrintTo(const EntryCase& example, std::ostream* out) { *out << '"' << example.entry << '"'; }

class EntryVoicing : public testing::TestWithParam<EntryCase> {};

TEST_P(EntryVoicing, StacksTheTypedNotesUpwardFromTheFirst) {
    EXPECT_EQ(keysOf(voiceEntry(parseEntry(GetParam().entry))), GetParam().keys);
}

INSTANTIATE_TEST_SUITE_P(Entries, EntryVoicing, testing::Values(
    EntryCase{"", {}},
    EntryCase{"c e g", {48, 52, 55}},
    // Inversions: the first note typed is the bass.
    EntryCase{"e g c", {52, 55, 60}},
    EntryCase{"g e c", {55, 64, 72}},
    EntryCase{"b c", {59, 60}},
    // Each note once, however it is spelled.
    EntryCase{"c e c g e", {48, 52, 55}},
    EntryCase{"c# d% f", {49, 53}},
    EntryCase{"b# e", {48, 52}},
    EntryCase{"e% g% b% d%", {51, 54, 58, 61}},
    // Five notes at most, the widest spread the entry allows.
    EntryCase{"b a# a g# g f#", {59, 70, 81, 92, 103}}));

struct ChordCase {
    int type;  // ChordTemplates order: 0 Minor, 1 Major, ... 10 Dominant 9th
    int root;  // pitch class, C = 0
    std::vector<int> keys;
};

void PrintTo(const ChordCase& example, std::ostream* out) { *out << "type " << example.type << " on " << example.root; }

class ChordVoicing : public testing::TestWithParam<ChordCase> {};

TEST_P(ChordVoicing, SoundsTheChordInRootPositionFromC3) {
    EXPECT_EQ(keysOf(voiceChord(GetParam().type, GetParam().root)), GetParam().keys);
}

INSTANTIATE_TEST_SUITE_P(Spikes, ChordVoicing, testing::Values(
    ChordCase{1, 0, {48, 52, 55}},               // C
    ChordCase{0, 9, {57, 60, 64}},               // Am
    ChordCase{2, 8, {56, 60, 64}},               // G#+
    ChordCase{3, 11, {59, 62, 65, 68}},          // Bdim7
    ChordCase{7, 7, {55, 59, 62, 65}},           // G7
    ChordCase{9, 1, {49, 53, 56, 59, 62}},       // C#7-9: the ninth above the seventh
    ChordCase{10, 11, {59, 63, 66, 69, 73}}));   // B9

}  // namespace
