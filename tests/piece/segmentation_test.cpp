// The chords over time on synthetic pieces: each texture of a progression
// gives back the chords it was made of at their times, and the sustain pedal,
// drums, tempo changes and a pickup bar land where a listener hears them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "analysis/harte.h"
#include "piece/piece_file.h"
#include "tests/support/midi_writer.h"
#include "tests/support/test_pieces.h"

namespace {

constexpr int Beat = 480;

std::string labOf(const std::string& midi) {
    Piece piece;
    std::string error;
    if (!readMidiPiece(reinterpret_cast<const unsigned char*>(midi.data()), midi.size(), "test.mid", piece, error))
        return error;
    std::string lab;
    for (const PieceSegment& segment : piece.segments) {
        char line[64];
        std::snprintf(line, sizeof line, "%.3f\t%.3f\t%s\n", segment.start, segment.end, harteLabel(segment.name).text);
        lab += line;
    }
    return lab;
}

void triad(WrittenTrack& track, std::uint32_t at, std::uint32_t length, int root, int third = 4, int channel = 0) {
    for (int interval : {0, third, 7}) track.note(at, length, 48 + root + interval, 90, channel);
}

TEST(Segmentation, everyTextureGivesTheChordsItIsMadeOf) {
    // Two chords to the bar in the second half: changes on the half bar too.
    const std::vector<ChordStep> chords = {{0, "maj", 4}, {9, "min7", 4}, {2, "min7", 2}, {7, "7", 2},
                                           {0, "maj7", 4}, {5, "maj", 2}, {7, "maj", 2}, {0, "maj", 4}};
    for (Texture texture : {Texture::Block, Texture::Arpeggio, Texture::Alberti, Texture::Strumming,
                            Texture::WalkingBass, Texture::Band}) {
        const TestPiece piece = writePiece({"texture", chords, texture, 120, 4, 0});
        EXPECT_EQ(labOf(piece.midi), piece.lab) << "texture " << static_cast<int>(texture);
    }
}

struct TimingCase {
    const char* what;
    std::vector<WrittenTrack> tracks;
    std::string lab;
};

std::vector<TimingCase> timingCases() {
    std::vector<TimingCase> cases;
    {  // Short chords held by the pedal until it is lifted; then silence.
        WrittenTrack piano;
        piano.controller(0, 64, 127);
        triad(piano, 0, Beat / 4, 0);
        piano.controller(4 * Beat - 10, 64, 0);
        piano.controller(4 * Beat, 64, 127);
        triad(piano, 4 * Beat, Beat / 4, 5);
        piano.controller(6 * Beat, 64, 0);
        piano.note(8 * Beat - 1, 1, 30, 1);
        cases.push_back({"sustain pedal", {piano}, "0.000\t2.000\tC:maj\n2.000\t3.000\tF:maj\n3.000\t4.000\tN\n"});
    }
    {  // A bar of drums before the band comes in, drums throughout.
        WrittenTrack band;
        for (std::uint32_t t = 0; t < 12 * Beat; t += Beat / 2) band.note(t, 60, t % Beat ? 42 : 36, 100, 9);
        triad(band, 4 * Beat, 4 * Beat, 9, 3);
        triad(band, 8 * Beat, 4 * Beat, 2, 3);
        cases.push_back({"drums", {band}, "0.000\t2.000\tN\n2.000\t4.000\tA:min\n4.000\t6.000\tD:min\n"});
    }
    {  // 120 quarters a minute, then 60 from the second bar, from another track.
        WrittenTrack conductor, piano;
        conductor.tempo(0, 120);
        conductor.tempo(4 * Beat, 60);
        triad(piano, 0, 4 * Beat, 0);
        triad(piano, 4 * Beat, 2 * Beat, 7);
        triad(piano, 6 * Beat, 2 * Beat, 0);
        cases.push_back({"tempo change", {conductor, piano},
                         "0.000\t2.000\tC:maj\n2.000\t4.000\tG:maj\n4.000\t6.000\tC:maj\n"});
    }
    {  // A one-beat pickup in 1/4, then bars of 4/4 whose chords start on their downbeats.
        WrittenTrack piano;
        piano.meter(0, 1, 4);
        piano.meter(Beat, 4, 4);
        piano.note(0, Beat, 67);
        triad(piano, Beat, 4 * Beat, 0);
        triad(piano, 5 * Beat, 4 * Beat, 5);
        cases.push_back({"pickup bar", {piano}, "0.000\t0.500\tN\n0.500\t2.500\tC:maj\n2.500\t4.500\tF:maj\n"});
    }
    {  // 6/8: each bar broken into eighths over its root held in the bass, which outweighs them.
        WrittenTrack piano;
        piano.tempo(0, 90);
        piano.meter(0, 6, 8);
        for (int bar = 0; bar < 2; ++bar) {
            const int root = bar ? 9 : 0, third = bar ? 3 : 4;
            const int broken[3] = {0, 7, 12 + third};
            piano.note(bar * 6 * Beat / 2, 6 * Beat / 2, 36 + root, 100);
            for (int eighth = 0; eighth < 6; ++eighth)
                piano.note((bar * 6 + eighth) * Beat / 2, Beat / 2, 48 + root + broken[eighth % 3], 70);
        }
        cases.push_back({"6/8 over a held bass", {piano}, "0.000\t2.000\tC:maj\n2.000\t4.000\tA:min\n"});
    }
    return cases;
}

TEST(Segmentation, pedalDrumsTempoAndPickupLandWhereTheyAreHeard) {
    for (const TimingCase& test : timingCases()) EXPECT_EQ(labOf(smfBytes(test.tracks)), test.lab) << test.what;
}

}  // namespace
