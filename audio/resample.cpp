// The resampler: a Blackman-windowed sinc, cut off a little below the lower
// of the two Nyquist frequencies, tabulated at 512 fractional positions.
#include "audio/resample.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int PhaseCount = 512;
constexpr double Passband = 0.9;   // of the lower Nyquist frequency

double windowedSinc(double x, double cutoff, double reach) {
    if (std::fabs(x) >= reach) return 0.0;
    double window = 0.42 + 0.5 * std::cos(std::numbers::pi * x / reach) + 0.08 * std::cos(2 * std::numbers::pi * x / reach);
    double arg = 2.0 * cutoff * x;
    double sinc = arg == 0.0 ? 1.0 : std::sin(std::numbers::pi * arg) / (std::numbers::pi * arg);
    return 2.0 * cutoff * sinc * window;
}

// Input index and phase of output sample j: its position j * in / out.
void positionOf(const Resampler& r, int64_t j, int64_t& index, int& phase) {
    int64_t numerator = j * r.inputRate;
    index = numerator / AnalysisRate;
    phase = static_cast<int>((numerator % AnalysisRate) * r.phases / AnalysisRate);
}

float outputSample(const Resampler& r, int64_t index, int phase) {
    const float* weights = &r.kernel[static_cast<size_t>(phase) * 2 * r.halfTaps];
    const float* x = &r.history[static_cast<size_t>(index - r.halfTaps + 1 - r.bufferStart)];
    // Eight partial sums, so that the additions need not wait for each other.
    float sums[8] = {};
    int taps = 2 * r.halfTaps;
    for (int tap = 0; tap < taps; tap += 8)
        for (int lane = 0; lane < 8; ++lane) sums[lane] += weights[tap + lane] * x[tap + lane];
    return ((sums[0] + sums[1]) + (sums[2] + sums[3])) + ((sums[4] + sums[5]) + (sums[6] + sums[7]));
}

void produce(Resampler& r, std::vector<float>& out) {
    int64_t available = r.bufferStart + static_cast<int64_t>(r.history.size());
    for (;;) {
        int64_t index;
        int phase;
        positionOf(r, r.produced, index, phase);
        if (index + r.halfTaps >= available) break;
        out.push_back(outputSample(r, index, phase));
        ++r.produced;
    }
    // Keep only what the next output sample's kernel reaches back to.
    int64_t index;
    int phase;
    positionOf(r, r.produced, index, phase);
    int64_t keepFrom = std::max(r.bufferStart, index - r.halfTaps + 1);
    r.history.erase(r.history.begin(), r.history.begin() + (keepFrom - r.bufferStart));
    r.bufferStart = keepFrom;
}

}  // namespace

void startResampler(Resampler& r, int inputRate, int zeroCrossings) {
    r.inputRate = inputRate;
    r.produced = 0;
    double lowerNyquist = 0.5 * std::min(inputRate, AnalysisRate);
    double cutoff = Passband * lowerNyquist / inputRate;  // cycles per input sample
    double reach = zeroCrossings / (2.0 * cutoff);        // input samples
    r.halfTaps = (static_cast<int>(std::ceil(reach)) + 3) / 4 * 4;  // 2 halfTaps: a multiple of 8
    r.phases = PhaseCount;
    r.kernel.assign(static_cast<size_t>(r.phases) * 2 * r.halfTaps, 0.0f);
    for (int phase = 0; phase < r.phases; ++phase) {
        double fraction = static_cast<double>(phase) / r.phases;
        for (int tap = 0; tap < 2 * r.halfTaps; ++tap) {
            double x = (tap - r.halfTaps + 1) - fraction;
            r.kernel[static_cast<size_t>(phase) * 2 * r.halfTaps + tap] =
                static_cast<float>(windowedSinc(x, cutoff, reach));
        }
    }
    // History before the first sample is silence.
    r.bufferStart = -r.halfTaps;
    r.history.assign(static_cast<size_t>(r.halfTaps), 0.0f);
}

void resample(Resampler& r, const float* input, int count, std::vector<float>& out) {
    r.history.insert(r.history.end(), input, input + count);
    produce(r, out);
}

void flushResampler(Resampler& r, std::vector<float>& out) {
    int64_t inputEnd = r.bufferStart + static_cast<int64_t>(r.history.size());
    int64_t wanted = inputEnd * AnalysisRate / r.inputRate;
    r.history.insert(r.history.end(), static_cast<size_t>(r.halfTaps) + 1, 0.0f);
    produce(r, out);
    if (static_cast<int64_t>(out.size()) > 0 && r.produced > wanted) {
        int64_t extra = std::min<int64_t>(r.produced - wanted, static_cast<int64_t>(out.size()));
        out.resize(out.size() - static_cast<size_t>(extra));
        r.produced -= extra;
    }
}
