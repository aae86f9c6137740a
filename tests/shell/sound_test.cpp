// The window's sound, run through the program's own message loop on the
// headless screen: the synthesizer opened in the background a moment after
// the start, the Sound box, and what "Enter", a click on a spike and the
// release timer make it play, heard by pulling the headless synthesizer's
// samples and scanning their pitches. Only advanceClock moves the time the
// timers run on.
#include "running_program.h"

#include "midi/held_notes.h"
#include "midi/sound.h"
#include "shell/sounding.h"
#include "tests/support/pitch_scan.h"

#include <cstdlib>

namespace {

constexpr int Rate = headless::AudioRate;

// The spikes of C major and F major in the by-key arrangement on 1024 x 768
// (slots 34 and 89), in Form1's client pixels.
constexpr POINT CMajorSpike = {314, 200}, FMajorSpike = {652, 200};

class WindowSound : public RunningProgram {
protected:
    static void enter(const char* notes) {
        headless::typeText(NoteEntryField, notes);
        headless::clickButton(EnterButton);
        headless::runUntilIdle();
    }
    static void clickSpike(POINT spike) {
        const RECT client = headless::clientRect(Form1);
        headless::mouseDown(client.left + spike.x, client.top + spike.y);
        headless::mouseUp(client.left + spike.x, client.top + spike.y);
        headless::runUntilIdle();
    }
    // The moment after the start when the open begins; the loop then waits
    // for the open's thread and handles what it posts.
    static void letTheSynthesizerOpen() { headless::advanceClock(OpenDelay); }
    static void clickSoundBox() {
        headless::clickButton(SoundBox);
        headless::runUntilIdle();
    }
    // What sounds over the next second, after the attack and the tail of what
    // sounded before: "" when it is exactly these keys (pitch_scan.h).
    static std::string nextSoundAs(const std::vector<int>& keys) {
        const std::vector<float> samples = headless::pullAudio(Rate);
        return samples.empty() ? "no synthesizer" : chordProblems(scanPitches(samples, Rate, Rate * 3 / 10, Rate * 7 / 10), keys);
    }
    static double nextPeakDecibels(int frames) {
        const std::vector<float> samples = headless::pullAudio(frames);
        return samples.empty() ? 0.0 : peakDecibels(samples, 0, frames);
    }
};

// "Enter" sounds the notes as typed, the first as the bass; a spike sounds its
// chord in root position, after stopping what sounded; each is held 1.5 s by
// the release timer and then let go. A chord played in on a keyboard is taken
// in but not sounded: the keyboard sounds it itself.
TEST_F(WindowSound, EnterAndSpikesSoundUntilTheTimerReleasesThem) {
    headless::setMidiDevices({"Keys"});
    step([] {
        EXPECT_FALSE(IsWindowEnabled(SoundBox));
        enter("c e g");  // before the open: silence
        EXPECT_TRUE(headless::pullAudio(64).empty());
        letTheSynthesizerOpen();
        EXPECT_TRUE(IsWindowEnabled(SoundBox));
        EXPECT_EQ(SendMessageA(SoundBox, BM_GETCHECK, 0, 0), BST_CHECKED);
        for (unsigned char key : {53, 57, 60}) headless::sendMidi("Keys", {0x90, key, 100});
        headless::runUntilIdle();
        headless::advanceClock(ChordSettleTime);
        EXPECT_EQ(textOf(RecognisedNotesField), "  F  A  C  ");
        EXPECT_LT(nextPeakDecibels(Rate / 10), -90.0);
        enter("e g c");
        EXPECT_EQ(nextSoundAs({52, 55, 60}), "");
        clickSpike(CMajorSpike);
        EXPECT_EQ(nextSoundAs({48, 52, 55}), "");
        clickSpike(FMajorSpike);
        EXPECT_EQ(nextSoundAs({53, 57, 60}), "");  // E and G would still show

        headless::advanceClock(HoldMilliseconds - 1);
        EXPECT_EQ(Sound.sounding.count, 3);
        const double held = nextPeakDecibels(Rate / 10);
        headless::advanceClock(1);
        EXPECT_EQ(Sound.sounding.count, 0);
        headless::pullAudio(Rate / 2);  // the piano's release tail
        EXPECT_LT(nextPeakDecibels(Rate / 10), held - 30.0);
        EXPECT_FALSE(KillTimer(Form1, ReleaseTimer));  // it stopped itself
    });
    runAndQuit();
}

// Clearing the box cuts the sound off at once, release tail and all, and
// nothing sounds until it is ticked again; closing the window closes the
// synthesizer.
TEST_F(WindowSound, TheSoundBoxSilencesAndClosingCloses) {
    step([] {
        letTheSynthesizerOpen();
        enter("c e g");
        const double held = nextPeakDecibels(Rate / 2);
        clickSoundBox();
        EXPECT_EQ(SendMessageA(SoundBox, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_FALSE(KillTimer(Form1, ReleaseTimer));
        headless::pullAudio(Rate / 20);  // the last block the voices played, and the room's echo
        EXPECT_LT(nextPeakDecibels(Rate / 20), held - 25.0);  // let go, a piano would still ring at held - 10
        headless::pullAudio(Rate);
        enter("f a c");
        clickSpike(CMajorSpike);
        EXPECT_LT(nextPeakDecibels(Rate / 2), -90.0);
        EXPECT_EQ(textOf(RecognisedNotesField), "  F  A  C  ");  // the window works on

        clickSoundBox();
        enter("f a c");
        EXPECT_EQ(nextSoundAs({53, 57, 60}), "");
        PostMessageA(Form1, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(Sound.synthesizer, nullptr);
    EXPECT_TRUE(headless::pullAudio(64).empty());
}

// Without a synthesizer the box stays greyed out and clear, one line on
// standard error says why, and everything else works as before.
TEST_F(WindowSound, WithoutASoundfontTheBoxIsGreyedOut) {
    setenv("TONVISOR_SOUNDFONT", "/nonexistent/none.sf2", 1);
    testing::internal::CaptureStderr();
    step([] {
        letTheSynthesizerOpen();
        EXPECT_FALSE(IsWindowEnabled(SoundBox));
        EXPECT_EQ(SendMessageA(SoundBox, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        headless::clickButton(SoundBox);
        enter("c e g");
        EXPECT_EQ(SendMessageA(SoundBox, BM_GETCHECK, 0, 0), BST_UNCHECKED);
        EXPECT_EQ(textOf(RecognisedNotesField), "  C  E  G  ");
        EXPECT_TRUE(headless::pullAudio(64).empty());
    });
    runAndQuit();
    unsetenv("TONVISOR_SOUNDFONT");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "No sound: no soundfont: cannot load /nonexistent/none.sf2 (TONVISOR_SOUNDFONT names another SF2 or SF3 file)\n");
}

}  // namespace
