// When a chord heard replaces the one shown (stability.h).
#include "listening/stability.h"

namespace {

bool sameChord(const PitchSet& a, const PitchSet& b) { return pitchMask(a) == pitchMask(b) && a.bass == b.bass; }

}  // namespace

void resetStability(StabilityRecord& stability) {
    stability = StabilityRecord{};
    stability.shown = stability.candidate = emptyPitchSet();
}

bool takeHeardFrame(StabilityRecord& stability, const PitchSet& heard, float level, double time) {
    if (level < SilenceLevel || heard.count == 0 || (stability.showing && sameChord(heard, stability.shown))) {
        stability.waiting = false;
        return false;
    }
    if (!stability.waiting || !sameChord(heard, stability.candidate)) {
        stability.waiting = true;
        stability.candidate = heard;
        stability.candidateSince = time;
        return false;
    }
    if (time - stability.candidateSince < StableSeconds) return false;
    stability.showing = true;
    stability.shown = heard;
    stability.waiting = false;
    return true;
}
