// Held notes: scripted playing, with the chord looked for every millisecond as
// a clock would, and the chords entered compared with what a musician means.
#include "midi/held_notes.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace {

HMIDIIN keyboard(int number) { return reinterpret_cast<HMIDIIN>(static_cast<std::uintptr_t>(0x100 + number)); }

constexpr DWORD unplugged = 0;  // in place of a message: the keyboard has gone
DWORD on(int key, int velocity = 100, int channel = 0) { return 0x90 | channel | key << 8 | velocity << 16; }
DWORD off(int key, int channel = 0) { return 0x80 | channel | key << 8 | 64 << 16; }
DWORD pedal(int value) { return 0xB0 | 64 << 8 | value << 16; }

// Keys: C2 = 36, C3 = 48, C4 = 60, C5 = 72.
enum : int { C2 = 36, E3 = 52, G3 = 55, A3 = 57, C3 = 48, C4 = 60, D4 = 62, E4 = 64, F4 = 65,
             G4 = 67, A4 = 69, B4 = 71, C5 = 72, D5 = 74, E5 = 76 };

struct Played {
    DWORD at;
    int keyboard;
    DWORD message;
};

struct Entered {
    DWORD at;
    std::string notes;
    int bass;
    bool operator==(const Entered&) const = default;
};

void PrintTo(const Entered& chord, std::ostream* out) {
    *out << chord.at << " ms: \"" << chord.notes << "\" bass " << chord.bass;
}

struct Scenario {
    const char* name;
    std::vector<Played> playing;
    std::vector<Entered> entered;
};

// The chord's notes in its order by their sharp names: "E G C".
std::string namesOf(const PitchSet& chord) {
    std::string names;
    for (int place = 0; place < chord.count; ++place) {
        if (place > 0) names += ' ';
        const char* name = SharpNames + 2 * chord.notes[place];
        names.append(name, name[1] == ' ' ? 1 : 2);
    }
    return names;
}

std::vector<Entered> play(const std::vector<Played>& playing) {
    resetHeldNotes();
    std::vector<Entered> entered;
    auto next = playing.begin();
    for (DWORD now = 0; now < playing.back().at + 1000; ++now) {
        for (; next != playing.end() && next->at == now; ++next)
            if (next->message == unplugged)
                forgetKeyboard(keyboard(next->keyboard), now);
            else
                takeMidiMessage(keyboard(next->keyboard), next->message, now);
        if (chordSettled(now)) entered.push_back(Entered{now, namesOf(HeldNotes.chord), HeldNotes.chord.bass});
    }
    return entered;
}

const Scenario scenarios[] = {
    {"ChordSettling",  // a key within the settle time starts it again
     {{0, 0, on(C4)}, {4, 0, on(E4)}, {9, 0, on(G4)}, {35, 0, on(B4)}, {200, 0, on(D5)}},
     {{65, "C E G B", 0}, {230, "C E G B D", 0}}},
    {"VelocityZeroNoteOffs",  // from any channel
     {{0, 0, on(C4)}, {0, 0, on(E4)}, {0, 0, on(G4)},
      {100, 0, on(E4, 0, 3)}, {101, 0, on(A4)}, {200, 0, off(G4, 9)}, {201, 0, on(B4)}},
     {{30, "C E G", 0}, {131, "C G A", 0}, {231, "C A B", 0}}},
    {"Sustain",  // 64 and up is down; only keys let go while it is down stay
     {{0, 0, on(C4)}, {0, 0, on(E4)}, {0, 0, on(G4)}, {50, 0, pedal(64)},
      {60, 0, off(C4)}, {61, 0, off(E4)}, {62, 0, off(G4)}, {100, 0, on(D5)},
      {200, 0, pedal(63)}},
     {{30, "C E G", 0}, {130, "C E G D", 0}, {450, "D", 2}}},
    {"OctaveDoublings",  // the same pitch classes make no new chord
     {{0, 0, on(C3)}, {1, 0, on(C4)}, {2, 0, on(E4)}, {3, 0, on(G4)}, {4, 0, on(C5)}, {100, 0, on(E5)}},
     {{34, "C E G", 0}}},
    {"MoreThanFivePitchClasses",  // the five lowest
     {{0, 0, on(B4)}, {0, 0, on(A4)}, {0, 0, on(G4)}, {0, 0, on(F4)}, {0, 0, on(E4)}, {0, 0, on(D4)},
      {0, 0, on(C4)}},
     {{30, "C D E F G", 0}}},
    {"LowestKeyAsBass",
     {{0, 0, on(E3)}, {0, 0, on(G3)}, {0, 0, on(C4)}, {100, 0, on(C2)}, {200, 0, on(A3 + 1)}},
     {{30, "E G C", 4}, {130, "C E G", 0}, {230, "C E G A#", 0}}},
    {"AllKeysReleased",  // a hand lifting off keeps the chord; a key let go on purpose counts
     {{0, 0, on(C4)}, {0, 0, on(E4)}, {0, 0, on(G4)}, {100, 0, off(G4)}, {150, 0, off(E4)}, {300, 0, off(C4)},
      {500, 0, on(C4)}, {500, 0, on(E4)}, {500, 0, on(G4)}, {600, 0, off(G4)}},
     {{30, "C E G", 0}, {530, "C E G", 0}, {850, "C E", 0}}},
    {"SameChordPlayedAgain",  // after the hands lifted, or with one key struck again; held still, never
     {{0, 0, on(C4)}, {0, 0, on(E4)}, {0, 0, on(G4)}, {100, 0, off(C4)}, {100, 0, off(E4)}, {100, 0, off(G4)},
      {400, 0, on(C4)}, {400, 0, on(E4)}, {400, 0, on(G4)}, {600, 0, off(E4)}, {620, 0, on(E4)},
      {800, 1, on(C3)}, {1000, 1, off(C3)}},
     {{30, "C E G", 0}, {430, "C E G", 0}, {650, "C E G", 0}}},
    {"SameChordOnAnotherKeyboard",  // the keys struck again elsewhere, the first hand gone
     {{0, 0, on(C4)}, {0, 0, on(E4)}, {0, 0, on(G4)}, {100, 0, unplugged},
      {200, 1, on(C5)}, {200, 1, on(E5)}, {200, 1, on(G4 + 12)}},
     {{30, "C E G", 0}, {230, "C E G", 0}}},
    {"KeyboardUnpluggedWithKeysHeld",  // its keys go, another's pedal keeps none of them
     {{0, 0, on(C4)}, {0, 0, on(E4)}, {0, 0, on(G4)}, {100, 1, on(A3)}, {150, 1, pedal(127)},
      {200, 0, unplugged}, {300, 0, on(D5)}},
     {{30, "C E G", 0}, {130, "A C E G", 9}, {330, "A D", 9}}},
};

void PrintTo(const Scenario& scenario, std::ostream* out) { *out << scenario.name; }

class HeldNotesPlaying : public ::testing::TestWithParam<Scenario> {};

TEST_P(HeldNotesPlaying, EntersTheChordsMeant) { EXPECT_EQ(play(GetParam().playing), GetParam().entered); }

INSTANTIATE_TEST_SUITE_P(Scenarios, HeldNotesPlaying, ::testing::ValuesIn(scenarios),
                         [](const auto& scenario) { return std::string(scenario.param.name); });

TEST(HeldNotes, OtherMessagesAndAFullHouseChangeNothing) {
    resetHeldNotes();
    takeMidiMessage(keyboard(0), 0xB0 | 7 << 8 | 100 << 16, 0);  // volume
    takeMidiMessage(keyboard(0), 0xE0 | 0x7F << 16, 0);           // pitch bend
    takeMidiMessage(keyboard(0), 0xC0 | 5 << 8, 0);               // program change
    takeMidiMessage(nullptr, on(C4), 0);
    for (int number = 0; number <= MaxKeyboards; ++number) takeMidiMessage(keyboard(number), on(C4 + number), 0);
    EXPECT_TRUE(chordSettled(ChordSettleTime));
    // Sixteen keyboards hold C4 to D#5; the seventeenth's E5 found no place.
    EXPECT_FALSE(HeldNotes.held.test(C4 + MaxKeyboards));
    EXPECT_EQ(HeldNotes.held.count(), static_cast<std::size_t>(MaxKeyboards));
}

}  // namespace
