// The whole program on the headless screen under 20,000 random actions, as a
// restless person would do them: bytes typed, "Enter", both arrangements,
// presses and releases anywhere on the screen, keys, moves and repaints, any
// bytes from a MIDI keyboard that comes and goes, and time passing. It must neither
// crash (the sanitizer build runs it too) nor leak pens, fonts or brushes.
#include "platform/headless/headless.h"
#include "shell/application.h"
#include "shell/form.h"
#include "tests/support/scratch_directory.h"
#include "tests/support/window_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

constexpr int ActionCount = 20000;
constexpr int ScreenWidth = 1024, ScreenHeight = 768;

enum class Action {
    TypeIntoEntry,
    TypeIntoEcho,
    ClearEntry,
    Enter,
    ByKey,
    ByChord,
    PressAndRelease,
    Key,
    PostPaint,
    SendPaint,
    Move,
    PlayBytes,
    Wait,
    PlugOrUnplug
};

class Soak {
public:
    explicit Soak(unsigned seed)
        : random_(seed), chooseAction_({5, 1, 1, 3, 1, 1, 4, 1, 1, 1, 1, 4, 2, 1}) {}

    // One action, chosen with fixed weights: typing and clicking most often.
    void act() {
        switch (static_cast<Action>(chooseAction_(random_))) {
        case Action::TypeIntoEntry: typeBytes(NoteEntryField); break;
        case Action::TypeIntoEcho: typeBytes(RecognisedNotesField); break;
        case Action::ClearEntry: SetWindowTextA(NoteEntryField, ""); break;
        case Action::Enter: headless::clickButton(EnterButton); break;
        case Action::ByKey: headless::clickButton(KeyButton); break;
        case Action::ByChord: headless::clickButton(ChordButton); break;
        case Action::PressAndRelease: pressAndRelease(); break;
        case Action::Key: pressKey(); break;
        case Action::PostPaint: PostMessageA(Form1, WM_PAINT, 0, 0); break;
        case Action::SendPaint: SendMessageA(Form1, WM_PAINT, 0, 0); break;
        case Action::Move: moveForm(); break;
        case Action::PlayBytes: playBytes(); break;
        case Action::Wait: headless::advanceClock(pick(300)); break;
        case Action::PlugOrUnplug: plugOrUnplug(); break;
        }
    }

private:
    int pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    // Any bytes but the terminating zero, one to twelve of them.
    void typeBytes(HWND edit) {
        std::string bytes;
        for (int i = 1 + pick(12); i > 0; --i) bytes += static_cast<char>(1 + pick(255));
        headless::typeText(edit, bytes.c_str());
    }

    // Mostly a click in place; sometimes a drag to elsewhere. Points run a
    // little past the screen's edges.
    void pressAndRelease() {
        int x = pick(ScreenWidth + 40) - 20, y = pick(ScreenHeight + 40) - 20;
        headless::mouseDown(x, y);
        if (pick(4) == 0) {
            x = pick(ScreenWidth + 40) - 20;
            y = pick(ScreenHeight + 40) - 20;
        }
        headless::mouseUp(x, y);
    }

    void pressKey() {
        const int keys[] = {VK_TAB, VK_RETURN, VK_ESCAPE};
        headless::pressKey(keys[pick(3)], pick(2) == 1);
    }

    // As a window manager would: the form goes elsewhere, partly off the screen.
    void moveForm() {
        SetWindowPos(Form1, nullptr, pick(ScreenWidth) - ScreenWidth / 2,
                     pick(ScreenHeight) - ScreenHeight / 2, 0, 0, SWP_NOSIZE);
    }

    // A key of two octaves going down or up on any channel, or any one to
    // three bytes, as a keyboard's driver might hand them over.
    void playBytes() {
        const bool key = pick(2) == 0;
        std::vector<unsigned char> bytes(key ? 3 : 1 + pick(3));
        for (unsigned char& byte : bytes) byte = static_cast<unsigned char>(pick(256));
        if (key) {
            bytes[0] = static_cast<unsigned char>(0x80 + pick(32));
            bytes[1] = static_cast<unsigned char>(48 + pick(25));
        }
        headless::sendMidi("Keys", bytes);
    }

    void plugOrUnplug() {
        plugged_ = !plugged_;
        headless::setMidiDevices(plugged_ ? std::vector<std::string>{"Keys"} : std::vector<std::string>{});
    }

    bool plugged_ = true;
    std::mt19937 random_;
    std::discrete_distribution<int> chooseAction_;  // weights in Action order
};

TEST(Soak, TwentyThousandRandomActionsLeaveTheProgramWorkingWithoutLeakingGdiObjects) {
    // HtmlReader.txt names a harmless viewer, should a click ever land on "Help".
    ScratchDirectory directory("tonvisor soak");
    directory.write("HtmlReader.txt", "/bin/true\n");
    headless::reset();
    headless::setScreen(ScreenWidth, ScreenHeight);
    headless::setMidiDevices({"Keys"});

    Soak soak(20261207);
    int objectsAfterFirstPaint = -1;
    int actionsDone = 0;
    // Each step runs when the program's loop has nothing left to do, so every
    // action is handled, painted and settled before the next.
    std::function<void()> step = [&] {
        if (objectsAfterFirstPaint < 0) objectsAfterFirstPaint = headless::liveGdiObjects();
        if (actionsDone == ActionCount) {
            // Still working: a known entry gives its echo.
            SetWindowTextA(NoteEntryField, "c e g");
            headless::clickButton(EnterButton);
            headless::whenIdle([] { PostMessageA(Form1, WM_COMMAND, 200, 0); });
            return;
        }
        soak.act();
        ++actionsDone;
        headless::whenIdle(step);
    };
    headless::whenIdle(step);

    EXPECT_EQ(runApplication(GetModuleHandleA(nullptr)), 0);
    EXPECT_EQ(actionsDone, ActionCount);
    ASSERT_TRUE(IsWindow(Form1));
    EXPECT_EQ(textOf(RecognisedNotesField), "  C  E  G  ");
    EXPECT_GT(objectsAfterFirstPaint, 0);
    EXPECT_EQ(headless::liveGdiObjects(), objectsAfterFirstPaint);
    headless::reset();
}

}  // namespace
