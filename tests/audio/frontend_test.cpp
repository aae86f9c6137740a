// The front end and the decoder on sounds made in memory: pure tones and
// their tuning, a detuned chord, and a progression decoded chord by chord.
#include <gtest/gtest.h>

#include <cstring>

#include "audio/recording.h"
#include "tones.h"

namespace {

constexpr int Rate = 44100;

Piece analysed(const std::vector<float>& samples, int rate, double tuningCents, int block = 1000,
               int frameSize = LongFrameSize) {
    Piece piece{};
    RecordingAnalysis analysis;
    startRecordingAnalysis(analysis, piece, rate, tuningCents, frameSize);
    hearAsLoudest(analysis, rmsLevel(samples.data(), static_cast<int>(samples.size())));
    for (size_t at = 0; at < samples.size(); at += block)
        analyseSamples(analysis, &samples[at], static_cast<int>(std::min<size_t>(block, samples.size() - at)));
    finishRecordingAnalysis(analysis);
    return piece;
}

double tuningOf(const std::vector<float>& samples, int rate) {
    AudioFrontEnd meter;
    std::vector<AudioFrame> none;
    startTuningMeter(meter, rate);
    feedFrontEnd(meter, samples.data(), static_cast<int>(samples.size()), none);
    finishFrontEnd(meter, none);
    double cents = heardTuning(meter);
    releaseFrontEnd(meter);
    return cents;
}

std::vector<float> sine(double frequency, int rate, double seconds) {
    std::vector<float> out(static_cast<size_t>(rate * seconds));
    for (size_t i = 0; i < out.size(); ++i) out[i] = 0.5f * static_cast<float>(std::sin(2.0 * M_PI * frequency * i / rate));
    return out;
}

TEST(FrontEnd, APureToneIsItsPitchClassAndItsTuning) {
    struct Case {
        double frequency;
        int rate;
        double cents;
    } cases[] = {{440.0, 44100, 0.0}, {452.0, 44100, 46.58}, {452.0, 8000, 46.58}, {440.0, 192000, 0.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.frequency << " Hz at " << c.rate << " Hz");
        std::vector<float> tone = sine(c.frequency, c.rate, 2.0);
        double cents = tuningOf(tone, c.rate);
        EXPECT_NEAR(cents, c.cents, 5.0);
        // Measured first (a file), or followed as it goes over short frames
        // (live input): away from the ends the columns hear A alone.
        for (bool live : {false, true}) {
            Piece piece = analysed(tone, c.rate, live ? FollowTuning : cents, 1000, live ? ShortFrameSize : LongFrameSize);
            EXPECT_NEAR(piece.duration, 2.0, 1e-9);
            const PieceColumn& middle = piece.columns[piece.columns.size() / 2];
            ASSERT_EQ(middle.pitches.count, 1);
            EXPECT_EQ(middle.pitches.notes[0], 9);
            EXPECT_EQ(middle.pitches.bass, 9);
        }
    }
}

// A lone note with its overtones is no chord, and neither is silence.
TEST(Decoder, ALoneNoteAndSilenceAreNoChord) {
    for (int note : {45, 57, 69, 76}) {
        SCOPED_TRACE(note);
        std::vector<float> sound = renderNotes({{midiFrequency(note), 0.5, 2.0}}, Rate, 3.0);
        EXPECT_EQ(chordSymbols(analysed(sound, Rate, 0.0)), std::vector<std::string>{});
    }
}

TEST(FrontEnd, FramesComeOutAlikeWhateverTheBlocks) {
    std::vector<float> chord = renderNotes({{midiFrequency(60), 0, 2}, {midiFrequency(64), 0, 2}, {midiFrequency(67), 0, 2}}, Rate, 2.0);
    Piece whole = analysed(chord, Rate, 0.0, static_cast<int>(chord.size()));
    Piece blocks = analysed(chord, Rate, 0.0, 333);
    ASSERT_EQ(whole.columns.size(), blocks.columns.size());
    EXPECT_EQ(whole.columns.size(), static_cast<size_t>(2.0 / ColumnSeconds) + 1);
    for (size_t c = 0; c < whole.columns.size(); ++c)
        EXPECT_EQ(std::memcmp(whole.columns[c].scores, blocks.columns[c].scores, sizeof whole.columns[c].scores), 0);
}

// A quarter-tone sharp, told nothing of it: the meter finds the tuning and the chord keeps its name.
TEST(FrontEnd, AChordAQuarterToneSharpKeepsItsName) {
    auto sharp = [](int note) { return midiFrequency(note) * std::pow(2.0, 45.0 / 1200.0); };
    std::vector<float> chord = renderNotes({{sharp(45), 0, 3}, {sharp(60), 0, 3}, {sharp(64), 0, 3}, {sharp(69), 0, 3}}, Rate, 3.0);
    double cents = tuningOf(chord, Rate);
    EXPECT_NEAR(cents, 45.0, 5.0);
    Piece piece = analysed(chord, Rate, cents);
    EXPECT_EQ(chordSymbols(piece), std::vector<std::string>{"Am"});
}

// Four chords of a second and a half each, with their basses: each decoded
// as itself, its boundaries within a quarter of a second.
TEST(Decoder, AProgressionComesOutChordByChord) {
    struct Chord {
        int notes[4];
        const char* symbol;
    } progression[] = {{{48, 60, 64, 67}, "C"}, {{45, 60, 64, 69}, "Am"}, {{41, 60, 65, 69}, "F"},
                       {{43, 59, 62, 65}, "G7"}, {{40, 60, 67, 64}, "C/E"}};
    std::vector<TestNote> notes;
    for (int c = 0; c < 5; ++c)
        for (int note : progression[c].notes) notes.push_back({midiFrequency(note), 0.5 + 1.5 * c, 1.5});
    Piece piece = analysed(renderNotes(notes, Rate, 8.5), Rate, 0.0);
    std::vector<const PieceSegment*> chords;
    for (const PieceSegment& segment : piece.segments)
        if (segment.name.named) chords.push_back(&segment);
    ASSERT_EQ(chords.size(), 5u);
    for (int c = 0; c < 5; ++c) {
        EXPECT_STREQ(chords[c]->name.symbol, progression[c].symbol);
        EXPECT_NEAR(chords[c]->start, 0.5 + 1.5 * c, 0.25);
    }
    EXPECT_FALSE(piece.segments.back().name.named);  // the silence after the last chord
    EXPECT_DOUBLE_EQ(piece.segments.back().end, 8.5);
}

// What a whole recording decodes to, however it is played: a broken chord
// is one chord, not one per note or none; a recording 40 dB down is heard as
// it would be loud; noise alone is no chord.
TEST(Decoder, BrokenQuietAndNoisySoundsDecodeAsPlayed) {
    auto scaled = [](std::vector<float> samples, float gain) {
        for (float& sample : samples) sample *= gain;
        return samples;
    };
    std::vector<TestNote> alberti;  // C3 G3 E4 G3 in eighths at 120 beats a minute, each ringing on under the next
    for (int eighth = 0; eighth < 16; ++eighth)
        alberti.push_back({midiFrequency(std::vector<int>{48, 55, 64, 55}[eighth % 4]), 0.25 * eighth, 0.4});
    std::vector<float> block = renderNotes({{midiFrequency(45), 0, 3}, {midiFrequency(60), 0, 3}, {midiFrequency(64), 0, 3}}, Rate, 3.0);
    std::vector<float> noise(3 * Rate);
    uint32_t seed = 12345;
    for (float& sample : noise) sample = ((seed = seed * 1664525u + 1013904223u) >> 8) / 16777216.0f * 0.2f - 0.1f;
    struct Case {
        const char* name;
        std::vector<float> samples;
        std::vector<std::string> chords;
    } cases[] = {
        {"an Alberti bass", renderNotes(alberti, Rate, 4.0), {"C"}},
        {"a chord 40 dB down", scaled(block, 0.01f), {"Am"}},
        {"white noise", noise, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(chordSymbols(analysed(c.samples, Rate, 0.0)), c.chords);
    }
}

}  // namespace
