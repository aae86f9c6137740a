// Hearing chords in a live input (hearing.h).
#include "listening/hearing.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr float OnsetFlux = 0.3f;              // of the chroma, newly sounding: an onset
constexpr double ChangeableSeconds = static_cast<double>(ShortFrameSize) / AnalysisRate;
constexpr float SwitchCostAfterOnset = 0.15f;  // while the new notes fill the window

// How much of this frame's chroma is new against the last one's, 0 .. 1.
float chromaFlux(const float (&previous)[PitchClassCount], const float (&now)[PitchClassCount]) {
    float before = 0.0f, sum = 0.0f, flux = 0.0f;
    for (int p = 0; p < PitchClassCount; ++p) {
        before += previous[p];
        sum += now[p];
    }
    if (before <= 0.0f || sum <= 0.0f) return 0.0f;
    for (int p = 0; p < PitchClassCount; ++p) flux += std::max(0.0f, now[p] / sum - previous[p] / before);
    return flux;
}

float switchCostFor(HearingRecord& hearing, const AudioFrame& frame) {
    if (chromaFlux(hearing.previous, frame.treble) > OnsetFlux) hearing.changeableUntil = frame.time + ChangeableSeconds;
    std::copy(std::begin(frame.treble), std::end(frame.treble), hearing.previous);
    return frame.time <= hearing.changeableUntil ? SwitchCostAfterOnset : SwitchCost;
}

}  // namespace

void startHearing(HearingRecord& hearing, int sampleRate) {
    if (hearing.started) stopHearing(hearing);
    startFrontEnd(hearing.frontEnd, sampleRate, FollowTuning, ShortFrameSize, LiveFrameHop);
    startDecoder(hearing.decoder);
    resetStability(hearing.stability);
    hearing.frames.clear();
    std::fill(std::begin(hearing.previous), std::end(hearing.previous), 0.0f);
    hearing.changeableUntil = -1.0;
    hearing.started = true;
}

void stopHearing(HearingRecord& hearing) {
    if (!hearing.started) return;
    releaseFrontEnd(hearing.frontEnd);
    hearing.started = false;
}

void hearSamples(HearingRecord& hearing, const float* samples, int count, ChordHeard chordHeard) {
    if (!hearing.started) return;
    hearing.frames.clear();
    feedFrontEnd(hearing.frontEnd, samples, count, hearing.frames);
    for (const AudioFrame& frame : hearing.frames) {
        decodeFrame(hearing.decoder, frame, switchCostFor(hearing, frame));
        hearing.decoder.stayed.clear();
        hearing.decoder.bestBefore.clear();
        const int state = leadingState(hearing.decoder);
        const PitchSet heard = state == NoChordState ? emptyPitchSet() : chordStates()[state].pitches;
        if (takeHeardFrame(hearing.stability, heard, frame.level, frame.time))
            chordHeard(hearing.stability.shown, frame.time);
    }
}
