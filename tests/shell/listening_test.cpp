// Listening in the program on the headless screen: a scripted microphone,
// tones fed in as it would capture them, and Form1 as the program loads it.
#include "listening/audio_input.h"
#include "listening/listen_watch.h"
#include "piecewindow/piece_window.h"
#include "platform/headless/headless.h"
#include "shell/application.h"
#include "shell/audio_listening.h"
#include "shell/form.h"
#include "tests/support/scratch_directory.h"
#include "tests/audio/tones.h"
#include "tests/support/window_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

// Notes (MIDI numbers) sounding together from the start, as plucked strings.
std::vector<float> chordTone(std::initializer_list<int> notes, double seconds, int rate) {
    std::vector<TestNote> struck;
    for (int note : notes) struck.push_back({midiFrequency(note), 0.0, seconds});
    return renderNotes(struck, rate, seconds);
}

class Listening : public ::testing::Test {
protected:
    void SetUp() override {
        headless::reset();
        directory_ = std::make_unique<ScratchDirectory>();
        headless::setAudioDevices({"Microphone"}, {});
        prepareApplication(GetModuleHandleA(nullptr));
        loadForm();
        startListening();
        headless::runUntilIdle();
    }
    void TearDown() override {
        headless::reset();
        directory_.reset();
    }
    // The tone as the microphone captures it, in the buffers' rhythm.
    static void sound(std::initializer_list<int> notes, double seconds) {
        const std::vector<float> tone = chordTone(notes, seconds, ListenRate);
        for (std::size_t at = 0; at < tone.size(); at += ListenBufferFrames) {
            const auto end = tone.begin() + static_cast<long>(std::min(tone.size(), at + ListenBufferFrames));
            headless::feedAudio("Microphone", std::vector<float>(tone.begin() + static_cast<long>(at), end));
            headless::runUntilIdle();
        }
    }
    // A click on the Listen box, as a person makes it.
    static void click() {
        headless::clickButton(ListenBox);
        headless::runUntilIdle();
    }
    static bool greyed() { return !IsWindowEnabled(ListenBox); }
    static double rms(const std::vector<float>& samples) {
        double sum = 0;
        for (float sample : samples) sum += static_cast<double>(sample) * sample;
        return samples.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(samples.size()));
    }

private:
    std::unique_ptr<ScratchDirectory> directory_;
};

constexpr int C4 = 60, E4 = 64, G4 = 67, A3 = 57, C5 = 72;

// Nothing opens before the box is ticked; then C E G and A C E show as if
// typed, and silence keeps the last chord.
TEST_F(Listening, TheChordsHeardShowOnceTheBoxIsTicked) {
    EXPECT_TRUE(greyed());
    EXPECT_EQ(textOf(AudioStatus), "Audio in: none");
    headless::advanceClock(FirstAudioScanDelay);
    EXPECT_FALSE(greyed());
    EXPECT_EQ(SendMessageA(ListenBox, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(textOf(AudioStatus), "Audio in: default (Microphone)");
    sound({C4, E4, G4}, 1.0);
    EXPECT_EQ(textOf(RecognisedNotesField), " ");  // not listening: nothing heard

    click();
    EXPECT_TRUE(listening());
    sound({C4, E4, G4}, 1.5);
    EXPECT_EQ(textOf(RecognisedNotesField), "  C  E  G  ");
    EXPECT_EQ(textOf(ChordField), "C Major");
    sound({A3, C5, E4 + 12}, 1.5);
    EXPECT_EQ(textOf(ChordField), "A Minor");
    sound({}, 1.0);
    headless::feedAudio("Microphone", std::vector<float>(ListenRate, 0.0f));
    headless::runUntilIdle();
    EXPECT_EQ(textOf(ChordField), "A Minor");

    click();  // cleared: the input closes
    EXPECT_FALSE(listening());
    sound({C4, E4, G4}, 1.5);
    EXPECT_EQ(textOf(ChordField), "A Minor");
}

// Unplugged while listening: closed quietly, the box greyed but still
// ticked; plugged in again, opened at the next scan and heard.
TEST_F(Listening, AnInputLostWhileListeningOpensAgainWhenItComesBack) {
    headless::advanceClock(FirstAudioScanDelay);
    click();
    sound({C4, E4, G4}, 1.5);
    ASSERT_EQ(textOf(ChordField), "C Major");

    headless::setAudioDevices({}, {});
    headless::runUntilIdle();
    EXPECT_FALSE(listening());
    headless::advanceClock(AudioScanPeriod);
    EXPECT_EQ(textOf(AudioStatus), "Audio in: none");
    EXPECT_TRUE(greyed());
    EXPECT_EQ(SendMessageA(ListenBox, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(textOf(ChordField), "C Major");

    headless::setAudioDevices({"Microphone"}, {});
    headless::advanceClock(AudioScanPeriod);
    EXPECT_TRUE(listening());
    EXPECT_FALSE(greyed());
    EXPECT_EQ(textOf(AudioStatus), "Audio in: default (Microphone)");
    sound({A3, C5, E4 + 12}, 1.5);
    EXPECT_EQ(textOf(ChordField), "A Minor");
}

// The session kept what was heard while the box was ticked: the piece
// window shows it, titled Session, with C heard; Play sends its own sound,
// as loud as it was heard, to the audio output.
TEST_F(Listening, TheSessionKeepsWhatWasHeardAndPlaysItBack) {
    headless::setAudioDevices({"Microphone"}, {"Speakers"});
    headless::advanceClock(FirstAudioScanDelay);
    click();
    ASSERT_NE(PieceWindow.window, nullptr);
    EXPECT_EQ(textOf(PieceWindow.window), "Session");
    const std::vector<float> tone = chordTone({C4, E4, G4}, 2.0, ListenRate);
    for (std::size_t at = 0; at + ListenBufferFrames <= tone.size(); at += ListenBufferFrames) {
        const auto from = tone.begin() + static_cast<long>(at);
        headless::feedAudio("Microphone", std::vector<float>(from, from + ListenBufferFrames));
        headless::runUntilIdle();
        headless::advanceClock(ListenBufferFrames * 1000 / ListenRate);
    }
    click();  // cleared: the session's clock stops
    const Piece& shown = PieceWindow.piece;
    EXPECT_EQ(shown.kind, PieceKind::Recording);
    EXPECT_NEAR(static_cast<double>(shown.samples.size()), tone.size() / 2.0, ListenBufferFrames);
    EXPECT_TRUE(std::any_of(shown.segments.begin(), shown.segments.end(),
                            [](const PieceSegment& segment) { return std::string(segment.name.symbol) == "C"; }));

    headless::takePlayedAudio("Speakers");
    headless::clickButton(PieceWindow.stopButton);
    headless::clickButton(PieceWindow.playButton);
    headless::runUntilIdle();
    headless::advanceClock(1000);
    const std::vector<float> played = headless::takePlayedAudio("Speakers");
    ASSERT_FALSE(played.empty());
    EXPECT_NEAR(rms(played) / rms(std::vector<float>(tone.begin(), tone.begin() + ListenRate)), 1.0, 0.25);
}

}  // namespace
