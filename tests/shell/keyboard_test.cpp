// Keyboards played into the program on the headless screen: scripted devices,
// the virtual clock, and Form1 as the program loads it with its keyboard watch.
#include "midi/held_notes.h"
#include "midi/keyboard_watch.h"
#include "midi/keyboards.h"
#include "platform/headless/headless.h"
#include "shell/application.h"
#include "shell/form.h"
#include "shell/keyboard_input.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/window_text.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace {

class PlayedIn : public ::testing::Test {
protected:
    void SetUp() override {
        headless::reset();
        directory_ = std::make_unique<ScratchDirectory>();  // no reader file of anyone else's
        headless::setMidiDevices({"Keys"});
        prepareApplication(GetModuleHandleA(nullptr));
        loadForm();
        startWatchingKeyboards();
        headless::runUntilIdle();
    }
    void TearDown() override {
        headless::reset();
        directory_.reset();
    }

    // Keys go down (or up) on the device, and the program takes the messages.
    static void keys(const char* device, std::initializer_list<unsigned char> numbers, bool down = true) {
        for (unsigned char key : numbers)
            headless::sendMidi(device, {static_cast<unsigned char>(down ? 0x90 : 0x80), key, 100});
        headless::runUntilIdle();
    }

private:
    std::unique_ptr<ScratchDirectory> directory_;
};

constexpr unsigned char E3 = 52, C4 = 60, E4 = 64, G4 = 67, A4 = 69, C5 = 72;

// The lowest key is the bass, though it came last; the name waits for the
// keys to stay still for the settle time, and the last chord stays when the
// hands lift off. More than five pitch classes: the five lowest.
TEST_F(PlayedIn, AChordSettlesIntoTheEntryAndItsName) {
    EXPECT_EQ(textOf(MidiStatus), "MIDI: none");  // before the first scan
    headless::advanceClock(FirstScanDelay);
    EXPECT_EQ(textOf(MidiStatus), "MIDI: 1 input (Keys)");

    keys("Keys", {G4, C5, E3});
    headless::advanceClock(ChordSettleTime - 1);
    EXPECT_EQ(textOf(RecognisedNotesField), " ");
    headless::advanceClock(1);
    EXPECT_EQ(textOf(RecognisedNotesField), "  E  G  C  ");
    EXPECT_EQ(textOf(ChordField), "C Major, E in the bass");
    EXPECT_EQ(textOf(NoteEntryField), "");
    EXPECT_EQ(MatchMatrix[matchCell(1, displayRootOf(0))], 2.0f);  // Major on C

    keys("Keys", {G4, C5, E3}, false);
    headless::advanceClock(ReleaseSettleTime);
    EXPECT_EQ(textOf(RecognisedNotesField), "  E  G  C  ");

    keys("Keys", {A4, 50, 48, 53, 55, 52});  // A4, D3, C3, F3, G3, E3
    headless::advanceClock(ChordSettleTime);
    EXPECT_EQ(textOf(RecognisedNotesField), "  C  D  E  F  G  ");
}

// A chord played again is entered again: after a typed entry, and right
// after itself (the note field, typed into meanwhile, is emptied as "Enter"
// empties it); a chord held still is not.
TEST_F(PlayedIn, AChordPlayedAgainIsEnteredAgain) {
    headless::advanceClock(FirstScanDelay);
    keys("Keys", {C4, E4, G4});
    headless::advanceClock(ChordSettleTime);
    keys("Keys", {C4, E4, G4}, false);
    headless::advanceClock(ReleaseSettleTime);
    headless::typeText(NoteEntryField, "a c e");
    headless::clickButton(EnterButton);
    headless::runUntilIdle();
    EXPECT_EQ(textOf(ChordField), "A Minor");

    keys("Keys", {C4, E4, G4});
    headless::advanceClock(ChordSettleTime);
    EXPECT_EQ(textOf(RecognisedNotesField), "  C  E  G  ");
    EXPECT_EQ(textOf(ChordField), "C Major");

    keys("Keys", {C4, E4, G4}, false);
    headless::advanceClock(ReleaseSettleTime);
    headless::typeText(NoteEntryField, "d");
    keys("Keys", {C4, E4, G4});
    headless::advanceClock(ChordSettleTime);
    EXPECT_EQ(textOf(NoteEntryField), "");

    headless::typeText(NoteEntryField, "d");
    headless::advanceClock(KeyboardScanPeriod);
    EXPECT_EQ(textOf(NoteEntryField), "d");
}

// A keyboard pulled out with keys down lets go of them quietly and the chord
// stays; back under its name it is opened again and played on. Data still
// queued for the closed input changes nothing.
TEST_F(PlayedIn, AKeyboardUnpluggedAndPluggedBack) {
    headless::advanceClock(FirstScanDelay);
    keys("Keys", {C4, E4, G4});
    headless::advanceClock(ChordSettleTime);
    EXPECT_EQ(textOf(ChordField), "C Major");
    const HMIDIIN unplugged = Keyboards.inputs[0];

    headless::setMidiDevices({});
    headless::advanceClock(KeyboardScanPeriod);
    EXPECT_EQ(textOf(MidiStatus), "MIDI: none");
    EXPECT_TRUE(HeldNotes.held.none());
    PostMessageA(Form1, MM_MIM_DATA, reinterpret_cast<WPARAM>(unplugged), 0x644090);  // note-on E4
    headless::advanceClock(ReleaseSettleTime);
    EXPECT_TRUE(HeldNotes.held.none());
    EXPECT_EQ(textOf(RecognisedNotesField), "  C  E  G  ");

    headless::setMidiDevices({"Pads", "Keys"});
    headless::advanceClock(KeyboardScanPeriod);
    EXPECT_EQ(textOf(MidiStatus), "MIDI: 2 inputs (Pads, Keys)");
    keys("Keys", {A4, C5});
    keys("Pads", {E4});
    headless::advanceClock(ChordSettleTime);
    EXPECT_EQ(textOf(RecognisedNotesField), "  E  A  C  ");
    EXPECT_EQ(textOf(ChordField), "A Minor, E in the bass");
}

}  // namespace
