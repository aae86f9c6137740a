// The live session as one table of timed inputs: keys pressed, held and let
// go, the input heard (blocks of samples with their frames and the chords the
// stability rule let through), listening switched; then the session's
// segments, the length of its clock, and what it keeps for playing back.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/harte.h"
#include "audio/recording.h"
#include "piece/lab.h"
#include "session/session.h"

namespace {

constexpr int BlockFrames = 1024;  // a frame of the front end every block: 46 ms
constexpr double BlockSeconds = static_cast<double>(BlockFrames) / ListenRate;

PitchSet chordOf(std::initializer_list<int> pitches) {
    PitchSet set = emptyPitchSet();
    for (int pitch : pitches) addPitch(set, pitch, 1.0f);
    return set;
}

const PitchSet CMajor = chordOf({0, 4, 7});
const PitchSet AMinor = chordOf({9, 0, 4});

// The keys of a chord pressed (from the root up) or let go, at a time.
void keys(SessionRecord& s, const PitchSet& chord, bool down, double at) {
    for (int i = 0; i < chord.count; ++i) {
        const unsigned key = 60 + static_cast<unsigned>(chord.notes[i]);
        const bool anyDown = down || i + 1 < chord.count;
        sessionKeyMessage(s, (down ? 0x90u : 0x80u) | key << 8 | (down ? 100u : 0u) << 16, anyDown, at);
    }
}

void play(SessionRecord& s, const PitchSet& chord, double from, double to) {
    keys(s, chord, true, from);
    sessionHeldChord(s, chord, from + 0.03);
    keys(s, chord, false, to);
}

// The input heard from `from` to `to` (seconds of its stream, arriving in
// real time from `wallStart`): each block one frame of the chord's chroma at
// `level`, and the chord heard first at `from`.
void hear(SessionRecord& s, unsigned stream, double wallStart, const PitchSet* chord, double from, double to,
          float level = 0.1f) {
    const std::vector<float> samples(BlockFrames, level);
    std::vector<HeardChord> none, first;
    if (chord) first.push_back({*chord, from});
    for (double t = from; t + BlockSeconds <= to + 1e-9; t += BlockSeconds) {
        AudioFrame frame{};
        frame.time = t + BlockSeconds / 2;
        frame.level = level;
        for (int i = 0; chord && i < chord->count; ++i) {
            frame.treble[chord->notes[i]] = 1.0f;
            if (i == 0) frame.bass[chord->notes[i]] = 1.0f;
        }
        const std::vector<AudioFrame> frames{frame};
        sessionHeardBlock(s, HeardBlock{stream, samples.data(), BlockFrames, &frames, t == from ? &first : &none},
                          wallStart + t - from + BlockSeconds);
    }
}

struct SessionCase {
    const char* name;
    std::function<void(SessionRecord&)> inputs;
    // Each segment as "label start end" (seconds, within half a column).
    std::vector<std::string> segments;
    double duration;
    std::size_t messages;
    double soundSeconds;  // how much heard sound is kept
};

const SessionCase sessionCases[] = {
    {"keys: two chords, the pause between them kept to the idle time",
     [](SessionRecord& s) {
         play(s, CMajor, 0.0, 1.0);
         play(s, AMinor, 100.0, 101.0);
         advanceSession(s, 200.0);
     },
     {"C:maj 0 1", "N 1 6", "A:min 6 7", "N 7 11.7"}, 11.7, 12, 0},
    {"listening: a chord, silence, another, then the box cleared",
     [](SessionRecord& s) {
         sessionListening(s, true, 0.0);
         hear(s, 1, 0.0, &CMajor, 0.0, 2.0);
         hear(s, 1, 2.0, nullptr, 2.0, 3.0, 0.0f);
         hear(s, 1, 3.0, &AMinor, 3.0, 5.0);
         sessionListening(s, false, 5.5);
         advanceSession(s, 60.0);
     },
     {"C:maj 0 2", "N 2 3", "A:min 3 5", "N 5 5.2"}, 5.2, 0, 5.0},
    {"the input opened again: the time nothing listened is left out",
     [](SessionRecord& s) {
         sessionListening(s, true, 10.0);
         hear(s, 1, 10.0, &CMajor, 0.0, 1.0);
         sessionListening(s, false, 11.0);
         sessionListening(s, true, 13.0);
         hear(s, 2, 13.0, &AMinor, 0.0, 1.0);
         advanceSession(s, 14.3);
     },
     {"C:maj 0 1", "A:min 1 2"}, 2.0, 0, 2.0},
    {"keys held while listening go before what is heard",
     [](SessionRecord& s) {
         sessionListening(s, true, 0.0);
         hear(s, 1, 0.0, &CMajor, 0.0, 0.5);
         keys(s, AMinor, true, 0.5);
         sessionHeldChord(s, AMinor, 0.53);
         hear(s, 1, 0.5, nullptr, 0.5, 1.5);
         keys(s, AMinor, false, 1.5);
         hear(s, 1, 1.5, &CMajor, 1.5, 3.0);
         advanceSession(s, 3.3);
     },
     {"C:maj 0 0.5", "A:min 0.5 1.5", "C:maj 1.5 3"}, 3.0, 6, 3.0},
    {"nothing before the first key or the Listen box",
     [](SessionRecord& s) {
         sessionHeldChord(s, CMajor, 1.0);
         sessionKeyMessage(s, 0xB0 | 64 << 8 | 127 << 16, false, 1.0);  // the pedal alone starts nothing
         advanceSession(s, 30.0);
     },
     {}, 0.0, 0, 0},
    {"full at an hour: the clock passes it, the session stops there",
     [](SessionRecord& s) {
         sessionListening(s, true, 0.0);
         advanceSession(s, SessionCap + 60.0);
         play(s, CMajor, SessionCap + 61.0, SessionCap + 62.0);
         hear(s, 1, SessionCap + 62.0, &CMajor, 0.0, 1.0);
         advanceSession(s, SessionCap + 70.0);
     },
     {"N 0 3600"}, SessionCap, 0, 0},
};

void PrintTo(const SessionCase& c, std::ostream* out) { *out << c.name; }

std::string described(const PieceSegment& segment) {
    char text[96];
    std::snprintf(text, sizeof text, "%s %.3f %.3f", harteLabel(segment.name).text, segment.start, segment.end);
    return text;
}

class SessionTable : public testing::TestWithParam<SessionCase> {};

TEST_P(SessionTable, GrowsAsTheInputsCome) {
    const SessionCase& c = GetParam();
    SessionRecord session;
    resetSession(session);
    c.inputs(session);
    const Piece& piece = session.piece;
    const double tolerance = ColumnSeconds + 1e-9;  // the columns' edges
    std::string all;
    for (const PieceSegment& segment : piece.segments) all += described(segment) + ", ";
    ASSERT_EQ(piece.segments.size(), c.segments.size()) << all;
    for (std::size_t i = 0; i < c.segments.size(); ++i) {
        char label[32];
        double start = 0, end = 0;
        ASSERT_EQ(std::sscanf(c.segments[i].c_str(), "%31s %lf %lf", label, &start, &end), 3);
        const std::string got = described(piece.segments[i]);
        EXPECT_STREQ(harteLabel(piece.segments[i].name).text, label) << got;
        EXPECT_NEAR(piece.segments[i].start, start, tolerance) << got;
        EXPECT_NEAR(piece.segments[i].end, end, tolerance) << got;
    }
    EXPECT_NEAR(piece.duration, c.duration, ColumnSeconds);
    EXPECT_EQ(piece.columns.size(), static_cast<std::size_t>(std::llround(piece.duration / ColumnSeconds)));
    EXPECT_EQ(piece.messages.size(), c.messages);
    EXPECT_NEAR(static_cast<double>(piece.samples.size()) / SessionRate, c.soundSeconds, 2 * BlockSeconds);
    EXPECT_EQ(piece.kind, c.soundSeconds > 0 ? PieceKind::Recording : PieceKind::MidiFile);
    EXPECT_EQ(session.full, c.duration == SessionCap);
    if (session.full) {  // what comes after is not kept, not even on its way to a column
        EXPECT_TRUE(session.frames.empty());
        EXPECT_TRUE(session.changes.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Session, SessionTable, testing::ValuesIn(sessionCases),
                         [](const testing::TestParamInfo<SessionCase>& param) { return "case" + std::to_string(param.index); });

// What Save writes: the lab lines of the command line, column edges and all.
TEST(SessionLab, IsTheCommandLinesFormat) {
    SessionRecord session;
    resetSession(session);
    play(session, CMajor, 0.0, 1.0);
    advanceSession(session, 2.0);
    EXPECT_EQ(labText(session.piece), "0.000\t0.929\tC:maj\n0.929\t1.672\tN\n");
}

// The heard sound is the input's at half its rate: each kept sample the mean of two.
TEST(SessionSound, KeepsTheMeanOfEachPairOfSamples) {
    SessionRecord session;
    resetSession(session);
    sessionListening(session, true, 0.0);
    std::vector<float> samples(BlockFrames);
    for (int i = 0; i < BlockFrames; ++i) samples[static_cast<std::size_t>(i)] = i % 2 ? 0.5f : -0.25f;
    const std::vector<AudioFrame> frames;
    const std::vector<HeardChord> chords;
    sessionHeardBlock(session, HeardBlock{1, samples.data(), BlockFrames, &frames, &chords}, BlockSeconds);
    ASSERT_EQ(session.piece.samples.size(), static_cast<std::size_t>(BlockFrames / 2));
    EXPECT_EQ(session.piece.samples.front(), std::lround(0.125 * 32767));
    EXPECT_EQ(session.piece.samples.back(), std::lround(0.125 * 32767));
}

// Buffers that come while the clock stands still make no column; the frames
// waiting for one stay few.
TEST(SessionFrames, DoNotPileUpWhileTheClockStandsStill) {
    SessionRecord session;
    resetSession(session);
    sessionListening(session, true, 0.0);
    const std::vector<float> samples(BlockFrames, 0.1f);
    const std::vector<AudioFrame> frames(1);
    const std::vector<HeardChord> chords;
    for (int block = 0; block < 1000; ++block)
        sessionHeardBlock(session, HeardBlock{1, samples.data(), BlockFrames, &frames, &chords}, 0.0);
    EXPECT_TRUE(session.piece.columns.empty());
    EXPECT_LE(session.frames.size(), 64u);
}

}  // namespace
