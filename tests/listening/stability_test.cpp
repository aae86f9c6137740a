// The stability rule as a table of timed frames: what is heard at each time,
// and which chord the screen shows after it.
#include "listening/stability.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

PitchSet chord(std::initializer_list<int> notes) {
    PitchSet set = emptyPitchSet();
    for (int note : notes) addPitch(set, note, 1.0f);
    return set;
}

struct Frame {
    double time;
    PitchSet heard;
    float level;
    const char* shown;  // the chord shown after the frame: "C", "Am", "C/E" or "" for none yet
    bool changed;
};

const char* nameOf(const StabilityRecord& stability) {
    if (!stability.showing) return "";
    const unsigned mask = pitchMask(stability.shown);
    if (mask == pitchMask(chord({0, 4, 7}))) return stability.shown.bass == 0 ? "C" : "C/E";
    if (mask == pitchMask(chord({9, 0, 4}))) return "Am";
    return "?";
}

TEST(Stability, AChordReplacesTheLastOnlyOnceHeardForAMoment) {
    const PitchSet c = chord({0, 4, 7}), am = chord({9, 0, 4}), cOverE = chord({4, 7, 0});
    constexpr float loud = 0.1f, quiet = SilenceLevel / 2;
    const Frame frames[] = {  // frames 23 ms apart
        {0.000, c, loud, "", false},       // heard once: not yet
        {0.046, c, loud, "", false},       // 46 ms: not yet a moment
        {0.070, c, loud, "C", true},       // heard over 70 ms
        {0.093, c, loud, "C", false},      // held: nothing changes
        {0.116, am, loud, "C", false},     // a few frames of another chord: no flicker
        {0.139, am, loud, "C", false},
        {0.163, c, loud, "C", false},
        {0.186, am, loud, "C", false},
        {0.209, am, loud, "C", false},
        {0.232, am, loud, "C", false},
        {0.255, am, loud, "Am", true},
        {0.279, emptyPitchSet(), loud, "Am", false},  // nothing heard: the last chord stays
        {0.302, c, quiet, "Am", false},    // too quiet to count
        {0.325, c, quiet, "Am", false},
        {0.348, c, quiet, "Am", false},
        {0.371, c, loud, "Am", false},     // the quiet frames did not start its time
        {0.395, cOverE, loud, "Am", false},  // another bass is another chord
        {0.418, cOverE, loud, "Am", false},
        {0.441, cOverE, loud, "Am", false},
        {0.464, cOverE, loud, "C/E", true},
        {0.487, c, loud, "C/E", false},
        {0.510, c, loud, "C/E", false},
        {0.534, c, loud, "C/E", false},    // 47 ms: not yet a moment
        {0.557, c, loud, "C", true},
    };
    StabilityRecord stability;
    resetStability(stability);
    for (const Frame& frame : frames) {
        EXPECT_EQ(takeHeardFrame(stability, frame.heard, frame.level, frame.time), frame.changed) << frame.time;
        EXPECT_STREQ(nameOf(stability), frame.shown) << frame.time;
    }
}

}  // namespace
