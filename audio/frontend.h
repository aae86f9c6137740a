// The audio front end: samples of any rate in, one frame every 46 ms out
// with the bass and treble chroma of what sounds. It runs block by block, so
// a whole file and a live input use it alike: start, feed blocks of any
// length, finish. Pure computation, no platform calls.
//
// Tuning: a front end started with FollowTuning estimates the tuning from the
// frames so far and re-centres its spectrum as the estimate moves (live
// input); one started with a fixed tuning uses it from the first frame (a
// file, whose tuning a first quick pass measures: measureTuning below).
#pragma once

#include <cstdint>
#include <vector>

#include "analysis/notenames.h"
#include "audio/fft.h"
#include "audio/resample.h"
#include "audio/spectrum.h"
#include "audio/transcription.h"

inline constexpr double FrameSeconds = static_cast<double>(FrameHop) / AnalysisRate;
inline constexpr int LiveFrameHop = FrameHop / 2;  // 23 ms: a live input's changes seen sooner
inline constexpr double FollowTuning = 1e9;  // as a tuning: estimate it while running

struct AudioFrame {
    double time;                       // the frame's centre, seconds from the first sample
    float treble[PitchClassCount];     // chroma: how much each pitch class sounds
    float bass[PitchClassCount];       // the same from the bass notes only
    float level;                       // RMS of the frame's samples, 0 .. 1 for full scale
};

// The front end's state record; one per stream.
struct AudioFrontEnd {
    Resampler resampler;
    std::vector<float> pending;        // analysis-rate samples from the next frame's start on
    std::vector<float> resampled;      // scratch for each block
    int64_t framesOut;
    int64_t samplesIn;                 // analysis-rate samples given, without the lead-in
    bool following;                    // the tuning is estimated as it goes
    bool tuningOnly;                   // only the tuning is measured, every fourth frame
    int frameSize;                     // samples a frame looks at: LongFrameSize or ShortFrameSize
    int hop;                           // samples from one frame to the next: FrameHop or LiveFrameHop
    TuningSum tuningSum;
    MagnitudeTransform transform;
    std::vector<float> window, windowed, magnitudes, logBins, whitened, activations;
    LogKernel kernel;
    NoteDictionary dictionary;
};

// Frames look at 0.37 s of sound (LongFrameSize), or at 0.19 s
// (ShortFrameSize) for changes shown sooner at the cost of a blurred bass.
void startFrontEnd(AudioFrontEnd& frontEnd, int sampleRate, double tuningCents, int frameSize = LongFrameSize,
                   int hop = FrameHop);
void releaseFrontEnd(AudioFrontEnd& frontEnd);

// Mono samples, full scale -1 .. 1; appends every frame they complete.
void feedFrontEnd(AudioFrontEnd& frontEnd, const float* samples, int count, std::vector<AudioFrame>& frames);

// The end of the stream: the frames that reach past the last sample, with silence after it.
void finishFrontEnd(AudioFrontEnd& frontEnd, std::vector<AudioFrame>& frames);

// The RMS of `count` samples: 0 .. 1 for full scale.
float rmsLevel(const float* samples, int count);

// The tuning, in cents from A = 440 Hz, that the frames so far have shown.
double heardTuning(const AudioFrontEnd& frontEnd);

// A front end that only measures the tuning, faster: feed it the whole
// stream, then read heardTuning. No frames come out.
void startTuningMeter(AudioFrontEnd& meter, int sampleRate);
