// The live session in the whole program on the headless screen: keys played
// open the piece window on the session without taking the focus, the session
// grows while the clock runs and stops growing when the player has stopped,
// its view keeps the newest moment in sight, Play sends its notes again, and
// Save (the button or Ctrl+S) writes its lab lines where the dialog says, or
// names in a message box why it could not.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <sstream>

#include "audio/recording.h"
#include "piece/lab.h"
#include "piecewindow/piece_window.h"
#include "piecewindow/view.h"
#include "platform/headless/headless.h"
#include "session/session.h"
#include "shell/application.h"
#include "shell/form.h"
#include "shell/keyboard_input.h"
#include "shell/live_session.h"
#include "shell/sounding.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/window_text.h"

namespace {

class SessionWindow : public ::testing::Test {
protected:
    void SetUp() override {
        headless::reset();
        directory_ = std::make_unique<ScratchDirectory>();
        headless::setMidiDevices({"Keys"});
        prepareApplication(GetModuleHandleA(nullptr));
        loadForm();
        startSound();  // the session's notes play back through the synthesizer
        startWatchingKeyboards();
        headless::runUntilIdle();
        headless::advanceClock(std::max<UINT>(FirstScanDelay, OpenDelay));
        headless::runUntilIdle();
    }
    void TearDown() override {
        headless::reset();
        directory_.reset();
    }
    static void keys(std::initializer_list<unsigned char> numbers, bool down) {
        for (unsigned char key : numbers)
            headless::sendMidi("Keys", {static_cast<unsigned char>(down ? 0x90 : 0x80), key, 100});
        headless::runUntilIdle();
    }
    static std::string contentsOf(const char* path) {
        std::ifstream file(path, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return file ? text.str() : "(no file)";
    }

private:
    std::unique_ptr<ScratchDirectory> directory_;
};

constexpr unsigned char C4 = 60, E4 = 64, G4 = 67;

TEST_F(SessionWindow, KeysPlayedGrowIntoTheSessionViewWhichPlaysAndSaves) {
    HWND focusBefore = SetFocus(nullptr);
    SetFocus(focusBefore);
    keys({C4, E4, G4}, true);
    ASSERT_NE(PieceWindow.window, nullptr);
    EXPECT_EQ(textOf(PieceWindow.window), "Session");
    EXPECT_EQ(SetFocus(focusBefore), focusBefore) << "the session opened by itself took the focus";
    for (unsigned char turn = 0; turn < 20; ++turn) {  // the modulation wheel turned while the chord is held
        headless::advanceClock(50);
        headless::sendMidi("Keys", {0xB0, 1, turn});
        headless::runUntilIdle();
    }
    EXPECT_GT(PieceWindow.piece.duration, 0.5) << "the view grows while messages come";
    headless::advanceClock(1000);
    keys({C4, E4, G4}, false);
    headless::advanceClock(10000);  // the clock stops IdleSeconds after the last key
    const Piece& shown = PieceWindow.piece;
    ASSERT_GE(shown.segments.size(), 2u);
    EXPECT_STREQ(shown.segments[0].name.symbol, "C");
    EXPECT_NEAR(shown.segments[0].end, 2.0, 2 * ColumnSeconds);
    EXPECT_FALSE(shown.segments[1].name.named);
    EXPECT_NEAR(shown.duration, 2.0 + IdleSeconds - HearingDelay, 2 * ColumnSeconds);
    EXPECT_EQ(shown.columns.size(), Session.piece.columns.size());
    EXPECT_EQ(shown.messages.size(), 26u);
    EXPECT_TRUE(viewAtEnd());

    struct SaveCase {
        const char* answer;
        bool byKey;
        const char* written;  // null: nothing written
        bool complained;
    };
    const SaveCase saves[] = {
        {"session", true, "session.lab", false},                 // the lab extension added
        {"", false, nullptr, false},                             // cancelled
        {"no/such/folder/chords.lab", false, nullptr, true},     // cannot be written
        {"again.lab", false, "again.lab", false},
    };
    for (const SaveCase& save : saves) {
        const std::size_t boxes = headless::messageBoxes().size();
        headless::answerSaveDialog(save.answer);
        if (save.byKey) {
            SetFocus(PieceWindow.window);
            headless::pressKey('S', false, true);
        } else {
            headless::clickButton(PieceWindow.saveButton);
        }
        headless::runUntilIdle();
        if (save.written) {
            EXPECT_EQ(contentsOf(save.written), labText(Session.piece)) << save.answer;
        }
        ASSERT_EQ(headless::messageBoxes().size(), boxes + save.complained) << save.answer;
        if (save.complained) {
            EXPECT_EQ(headless::messageBoxes().back().rfind("Tonvisor: Tonvisor cannot save no/such/folder/chords.lab:", 0), 0u)
                << headless::messageBoxes().back();
        }
    }
    EXPECT_EQ(contentsOf("chords.lab"), "(no file)");
    headless::pressKey('S', false, false);  // S alone saves nothing: no dialog is asked
    headless::runUntilIdle();

    headless::clickButton(PieceWindow.stopButton);
    headless::recordMidiOut(true);
    const std::size_t before = headless::midiOutLog().size();
    auto played = [before] {  // the messages sent since Play, as many as the session's first ones
        const std::vector<std::pair<std::uint64_t, DWORD>> log = headless::midiOutLog();
        std::vector<DWORD> sent;
        for (std::size_t i = before; i < log.size() && sent.size() < Session.piece.messages.size(); ++i)
            sent.push_back(log[i].second);
        return sent;
    };
    auto sessionsFirst = [](std::size_t count) {
        std::vector<DWORD> messages;
        for (std::size_t i = 0; i < count; ++i) messages.push_back(Session.piece.messages[i].message);
        return messages;
    };
    headless::clickButton(PieceWindow.playButton);
    headless::runUntilIdle();
    EXPECT_EQ(played(), sessionsFirst(3));  // the three keys went down at the start
    headless::advanceClock(2100);
    ASSERT_EQ(Session.piece.messages.size(), 26u);
    EXPECT_EQ(played(), sessionsFirst(26));
}

}  // namespace
