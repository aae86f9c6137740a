// Hearing a live input, in the input's own time: a change of chord shows
// within 150 ms of the change, and a chord held as it dies away stays one chord.
#include "listening/hearing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/audio/tones.h"

namespace {

constexpr int Rate = 22050, Block = 512;  // as the live input delivers them

struct Heard {
    std::string symbol;
    double time;
};
std::vector<Heard> heardChords;

void chordHeard(const PitchSet& chord, double time) { heardChords.push_back({nameChord(chord).symbol, time}); }

std::vector<Heard> hear(const std::vector<float>& samples) {
    heardChords.clear();
    HearingRecord hearing{};
    startHearing(hearing, Rate);
    for (size_t at = 0; at < samples.size(); at += Block)
        hearSamples(hearing, &samples[at], static_cast<int>(std::min<size_t>(Block, samples.size() - at)), chordHeard);
    stopHearing(hearing);
    return heardChords;
}

std::vector<TestNote> struck(std::initializer_list<int> notes, double start, double length) {
    std::vector<TestNote> chord;
    for (int note : notes) chord.push_back({midiFrequency(note), start, length});
    return chord;
}

TEST(Hearing, AChangeShowsAtOnceAndAHeldChordStaysOne) {
    std::vector<TestNote> change = struck({48, 64, 67}, 0.0, 2.0), aMinor = struck({45, 60, 64}, 2.0, 2.0);
    change.insert(change.end(), aMinor.begin(), aMinor.end());
    struct Case {
        const char* name;
        std::vector<TestNote> notes;
        double seconds;
        std::vector<std::string> chords;
        double lastBy;  // the last chord heard by then, in seconds of input
    } cases[] = {
        {"C, then Am", change, 4.0, {"C", "Am"}, 2.15},
        {"C held as it dies away", struck({48, 64, 67}, 0.0, 4.0), 4.0, {"C"}, 0.3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Heard> heard = hear(renderNotes(c.notes, Rate, c.seconds));
        std::vector<std::string> symbols;
        for (const Heard& h : heard) symbols.push_back(h.symbol);
        EXPECT_EQ(symbols, c.chords);
        if (!heard.empty()) {
            EXPECT_LT(heard.back().time, c.lastBy);
        }
    }
}

}  // namespace
