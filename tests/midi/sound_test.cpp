// The sound end to end, in process: the program's MIDI messages through the
// platform's midiOut* calls into the headless synthesizer, whose samples are
// pulled and scanned for the pitches they hold.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "midi/sound.h"
#include "platform/headless/headless.h"
#include "tests/support/pitch_scan.h"

namespace {

constexpr int Rate = headless::AudioRate;
constexpr int HeldFrames = Rate * HoldMilliseconds / 1000;
constexpr int Major = 1;

void append(std::vector<float>& samples, int frames) {
    const std::vector<float> more = headless::pullAudio(frames);
    ASSERT_EQ(more.size(), 2 * static_cast<std::size_t>(frames));
    samples.insert(samples.end(), more.begin(), more.end());
}

class ChordSound : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(openSynthesizer(&Sound.synthesizer), MMSYSERR_NOERROR); }
    static void TearDownTestSuite() { closeSound(); }

    // What "Enter" sounds: held for HoldMilliseconds, then half a second after the release.
    static std::vector<float> sound(const Voicing& voicing) {
        std::vector<float> samples;
        soundVoicing(voicing);
        append(samples, HeldFrames);
        releaseVoicing();
        append(samples, Rate / 2);
        return samples;
    }

    // The held chord after its attack: 0.1 s to 1.1 s.
    static PitchScan heldScan(const std::vector<float>& samples) { return scanPitches(samples, Rate, Rate / 10, Rate); }
};

TEST_F(ChordSound, EnterSoundsTheTypedNotesAndTheScanTellsChordsApart) {
    struct Case {
        const char* entry;
        std::vector<int> keys;
    };
    const Case cases[] = {{"c e g", {48, 52, 55}}, {"c d g", {48, 50, 55}}, {"e g c", {52, 55, 60}}};
    for (const Case& played : cases) {
        SCOPED_TRACE(played.entry);
        const PitchScan scan = heldScan(sound(voiceEntry(parseEntry(played.entry))));
        for (const Case& expected : cases) {
            const std::string problems = chordProblems(scan, expected.keys);
            EXPECT_EQ(problems.empty(), &expected == &played) << "as " << expected.entry << ": " << problems;
        }
    }
}

TEST_F(ChordSound, TheReleaseSilencesTheChord) {
    const std::vector<float> samples = sound(voiceChord(Major, 7));
    EXPECT_EQ(chordProblems(heldScan(samples), {55, 59, 62}), "");
    const double held = peakDecibels(samples, 0, Rate / 2);
    const double afterRelease = peakDecibels(samples, HeldFrames + Rate / 4, Rate / 4);
    EXPECT_GT(held, -30.0);  // a normal level: FluidSynth's own gain would peak near -26 dB
    EXPECT_LT(held, -1.0);
    EXPECT_LT(afterRelease, held - 40.0);
}

// Fast clicking never piles notes up: the first chord's E and G would show.
TEST_F(ChordSound, ANewChordStopsTheOneBefore) {
    std::vector<float> samples;
    soundVoicing(voiceEntry(parseEntry("c e g")));
    append(samples, Rate / 2);
    const std::vector<float> next = sound(voiceChord(Major, 5));
    EXPECT_EQ(chordProblems(scanPitches(next, Rate, Rate * 3 / 10, Rate * 7 / 10), {53, 57, 60}), "");
}

TEST_F(ChordSound, TheSynthesizerIsOpenedOnceAndClosedForGood) {
    HMIDIOUT second = nullptr;
    EXPECT_EQ(openSynthesizer(&second), MMSYSERR_ALLOCATED);
    EXPECT_EQ(second, nullptr);
    const HMIDIOUT first = Sound.synthesizer;
    closeSound();
    EXPECT_EQ(Sound.synthesizer, nullptr);
    EXPECT_TRUE(headless::pullAudio(64).empty());
    EXPECT_EQ(midiOutShortMsg(first, 0x5A3C90), MMSYSERR_INVALHANDLE);
    soundVoicing(voiceChord(Major, 0));  // without a synthesizer: nothing, and no harm
    ASSERT_EQ(openSynthesizer(&Sound.synthesizer), MMSYSERR_NOERROR);
    EXPECT_NE(Sound.synthesizer, first);
}

}  // namespace
