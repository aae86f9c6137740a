// When a chord heard replaces the one shown: it must be heard the same
// (pitch classes and bass) in frames spanning StableSeconds, so that a held
// chord never flickers with the frames' small changes; silence and the
// chord already shown change nothing, so the last chord stays on screen.
#pragma once

#include "analysis/pitch_set.h"

inline constexpr double StableSeconds = 0.065;  // four frames 23 ms apart agreeing
inline constexpr float SilenceLevel = 0.003f;  // RMS below about -50 dB of full scale

struct StabilityRecord {
    bool showing;         // a chord has been shown
    PitchSet shown;
    bool waiting;         // a different chord is being heard
    PitchSet candidate;
    double candidateSince;  // seconds: the first frame it was heard in
};

void resetStability(StabilityRecord& stability);
// One frame heard at `time` (seconds, increasing): what it holds and its
// level. True when `shown` has just changed.
bool takeHeardFrame(StabilityRecord& stability, const PitchSet& heard, float level, double time);
