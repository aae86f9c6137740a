// Any sample rate to the front end's analysis rate, block by block: a
// windowed-sinc low-pass evaluated at each output sample's exact position in
// the input (integer arithmetic, so no drift over an hour).
#pragma once

#include <cstdint>
#include <vector>

inline constexpr int AnalysisRate = 11025;  // Hz: up to C8 and its neighbours, 4 times fewer samples than CD

struct Resampler {
    int64_t inputRate;
    int64_t produced;               // output samples written so far
    int64_t bufferStart;            // the input index of history[0]
    std::vector<float> history;     // input not yet consumed, and what the kernel still reaches back to
    int halfTaps;                   // kernel reach either side, in input samples
    int phases;                     // kernel table rows: fractional positions
    std::vector<float> kernel;      // phases x (2 halfTaps) weights
};

// zeroCrossings: the kernel's reach, in the cut-off's periods either side;
// more is a steeper low-pass and costs more.
void startResampler(Resampler& resampler, int inputRate, int zeroCrossings);

// Appends to `out` every output sample the input so far settles.
void resample(Resampler& resampler, const float* input, int count, std::vector<float>& out);

// Output samples the input so far has fully given (after a flush of the kernel's reach).
void flushResampler(Resampler& resampler, std::vector<float>& out);
