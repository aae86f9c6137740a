// The MIDI-in calls over the headless screen's scripted devices, and the
// names the system's devices are listed under.
#include "platform_fixture.h"

#include "platform/drivers/rtmidi/midi_in_names.h"

#include <cstddef>
#include <utility>

namespace {

class MidiIn : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        window = makeWindow(400, 300);
        headless::setMidiDevices({"Keyboard A", "Keyboard B"});
        ASSERT_EQ(midiInGetNumDevs(), 2u);
    }
    HMIDIIN open(UINT id, HWND target) {
        HMIDIIN input = nullptr;
        EXPECT_EQ(midiInOpen(&input, id, reinterpret_cast<DWORD_PTR>(target), 0, CALLBACK_WINDOW),
                  static_cast<MMRESULT>(MMSYSERR_NOERROR));
        return input;
    }
    // The MM_MIM_DATA messages received since the last call, as their packed lParams.
    std::vector<LPARAM> data(HMIDIIN from) {
        headless::runUntilIdle();
        std::vector<LPARAM> found;
        for (const LoggedMessage& entry : received(MM_MIM_DATA)) {
            EXPECT_EQ(entry.wParam, reinterpret_cast<WPARAM>(from));
            found.push_back(entry.lParam);
        }
        log.clear();
        return found;
    }
    HWND window = nullptr;
};

TEST_F(MidiIn, ListsDevicesByNameAndId) {
    MIDIINCAPSA caps;
    ASSERT_EQ(midiInGetDevCapsA(1, &caps, sizeof caps), static_cast<MMRESULT>(MMSYSERR_NOERROR));
    EXPECT_STREQ(caps.szPname, "Keyboard B");
    EXPECT_EQ(midiInGetDevCapsA(2, &caps, sizeof caps), static_cast<MMRESULT>(MMSYSERR_BADDEVICEID));
    EXPECT_EQ(midiInGetDevCapsA(0, nullptr, sizeof caps), static_cast<MMRESULT>(MMSYSERR_INVALPARAM));
    // A short record gets what fits.
    MIDIINCAPSA part;
    part.szPname[0] = '?';
    midiInGetDevCapsA(0, &part, offsetof(MIDIINCAPSA, szPname));
    EXPECT_EQ(part.szPname[0], '?');

    // Ids stand for the list midiInGetNumDevs last took.
    headless::setMidiDevices({"Keyboard B"});
    midiInGetDevCapsA(0, &caps, sizeof caps);
    EXPECT_STREQ(caps.szPname, "Keyboard A");
    EXPECT_EQ(midiInGetNumDevs(), 1u);
    midiInGetDevCapsA(0, &caps, sizeof caps);
    EXPECT_STREQ(caps.szPname, "Keyboard B");
}

TEST_F(MidiIn, AStartedInputPostsItsMessagesToTheWindow) {
    HMIDIIN input = open(0, window);
    headless::runUntilIdle();
    ASSERT_EQ(received(MM_MIM_OPEN).size(), 1u);
    EXPECT_EQ(received(MM_MIM_OPEN)[0].wParam, reinterpret_cast<WPARAM>(input));
    log.clear();

    headless::sendMidi("Keyboard A", {0x90, 60, 100});
    EXPECT_TRUE(data(input).empty());  // not started yet
    midiInStart(input);
    headless::sendMidi("Keyboard A", {0x91, 64, 0});
    headless::sendMidi("Keyboard B", {0x90, 67, 90});  // not open
    headless::sendMidi("Keyboard A", {0xB0, 64, 127});
    headless::sendMidi("Keyboard A", {0xC0, 5});
    EXPECT_EQ(data(input), (std::vector<LPARAM>{0x004091, 0x7F40B0, 0x05C0}));

    midiInStop(input);
    headless::sendMidi("Keyboard A", {0x80, 60, 0});
    midiInStart(input);
    midiInReset(input);
    headless::sendMidi("Keyboard A", {0x80, 60, 0});
    EXPECT_TRUE(data(input).empty());

    EXPECT_EQ(midiInClose(input), static_cast<MMRESULT>(MMSYSERR_NOERROR));
    headless::runUntilIdle();
    ASSERT_EQ(received(MM_MIM_CLOSE).size(), 1u);
    EXPECT_EQ(received(MM_MIM_CLOSE)[0].wParam, reinterpret_cast<WPARAM>(input));
    for (auto call : {midiInStart, midiInStop, midiInReset, midiInClose})
        EXPECT_EQ(call(input), static_cast<MMRESULT>(MMSYSERR_INVALHANDLE));
}

TEST_F(MidiIn, AnUnpluggedDeviceFallsSilentAndOpensAgainUnderItsName) {
    HMIDIIN input = open(0, window);
    midiInStart(input);
    HMIDIIN again = nullptr;
    EXPECT_EQ(midiInOpen(&again, 0, reinterpret_cast<DWORD_PTR>(window), 0, CALLBACK_WINDOW),
              static_cast<MMRESULT>(MMSYSERR_ALLOCATED));

    headless::setMidiDevices({"Keyboard B"});
    headless::sendMidi("Keyboard A", {0x90, 60, 100});
    EXPECT_TRUE(data(input).empty());
    ASSERT_EQ(midiInGetNumDevs(), 1u);
    midiInClose(input);

    headless::setMidiDevices({"Keyboard B", "Keyboard A"});
    ASSERT_EQ(midiInGetNumDevs(), 2u);
    HMIDIIN reopened = open(1, window);
    EXPECT_NE(reopened, input);
    midiInStart(reopened);
    headless::sendMidi("Keyboard A", {0x90, 60, 100});
    EXPECT_EQ(data(reopened), (std::vector<LPARAM>{0x643C90}));
}

TEST_F(MidiIn, OpeningChecksItsArguments) {
    HMIDIIN input = nullptr;
    const DWORD_PTR target = reinterpret_cast<DWORD_PTR>(window);
    EXPECT_EQ(midiInOpen(&input, 2, target, 0, CALLBACK_WINDOW), static_cast<MMRESULT>(MMSYSERR_BADDEVICEID));
    EXPECT_EQ(midiInOpen(nullptr, 0, target, 0, CALLBACK_WINDOW), static_cast<MMRESULT>(MMSYSERR_INVALPARAM));
    EXPECT_EQ(midiInOpen(&input, 0, 0x4321, 0, CALLBACK_WINDOW), static_cast<MMRESULT>(MMSYSERR_INVALPARAM));
    constexpr DWORD callbackFunction = 0x00030000;
    EXPECT_EQ(midiInOpen(&input, 0, target, 0, callbackFunction), static_cast<MMRESULT>(MMSYSERR_NOTSUPPORTED));
    // With no callback the data goes nowhere.
    ASSERT_EQ(midiInOpen(&input, 0, 0, 0, CALLBACK_NULL), static_cast<MMRESULT>(MMSYSERR_NOERROR));
    midiInStart(input);
    headless::sendMidi("Keyboard A", {0x90, 60, 100});
    midiInClose(input);
    headless::runUntilIdle();
    EXPECT_TRUE(log.empty());
}

}  // namespace

namespace {

// The system's device names: stable when plugged in again, short, distinct.
TEST(MidiInNames, AlsaNamesLoseTheirNumbersAndRepeats) {
    const std::pair<const char*, const char*> stable[] = {
        {"USB Keys:USB Keys MIDI 1 20:0", "USB Keys:USB Keys MIDI 1"},
        {"Synth:Port 1 128:1", "Synth:Port 1"},
        {"Midi Through:Midi Through Port-0 14:0", ""},
        {"System:Announce 0:1", ""},
        {"no numbers", "no numbers"},
        {"Pads:Pads 2", "Pads:Pads 2"},
    };
    for (const auto& [listed, expected] : stable) EXPECT_EQ(midiin::stableAlsaName(listed), expected) << listed;
    EXPECT_EQ(midiin::shortAlsaName("USB Keys:USB Keys MIDI 1"), "USB Keys MIDI 1");
    EXPECT_EQ(midiin::shortAlsaName("Synth:Port 1"), "Synth:Port 1");
}

TEST(MidiInNames, NamesFitTheCapsRecordAndNeverRepeat) {
    const std::string longName = "a2j:Keystation 49 [24] (capture): Keystation MIDI 1";
    const std::string cut = longName.substr(0, 31);
    EXPECT_EQ(midiin::unusedName(longName, {}), cut);
    EXPECT_EQ(midiin::unusedName(longName, {cut}), ("2- " + longName).substr(0, 31));
    EXPECT_EQ(midiin::unusedName("Keys", {"Keys", "2- Keys"}), "3- Keys");
}

}  // namespace
