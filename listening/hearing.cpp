// Hearing chords in a live input (hearing.h).
#include "listening/hearing.h"


void startHearing(HearingRecord& hearing, int sampleRate) {
    if (hearing.started) stopHearing(hearing);
    startFrontEnd(hearing.frontEnd, sampleRate, FollowTuning, ShortFrameSize);
    startDecoder(hearing.decoder);
    resetStability(hearing.stability);
    hearing.frames.clear();
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
        decodeFrame(hearing.decoder, frame);
        hearing.decoder.stayed.clear();
        hearing.decoder.bestBefore.clear();
        const int state = leadingState(hearing.decoder);
        const PitchSet heard = state == NoChordState ? emptyPitchSet() : chordStates()[state].pitches;
        if (takeHeardFrame(hearing.stability, heard, frame.level, frame.time))
            chordHeard(hearing.stability.shown, frame.time);
    }
}
