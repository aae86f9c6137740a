// The log-frequency spectrum and the tuning. Peaks are located to a fraction
// of an FFT bin by a parabola through the log magnitudes of three bins, which
// for a Hann window is accurate to well under a cent in the range used.
#include "audio/spectrum.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double TuningLowHz = 80.0;
constexpr double TuningHighHz = 2000.0;
constexpr float PeakFloor = 0.05f;  // of the frame's strongest magnitude: weaker peaks are ignored

double binHz(int frameSize) { return static_cast<double>(AnalysisRate) / frameSize; }

// A log bin's position (fractional) for a frequency.
double logBinOf(double frequency, double tuningCents) {
    double note = 69.0 + 12.0 * std::log2(frequency / 440.0) - tuningCents / 100.0;
    return BinsPerSemitone * (note - LowestNote) + 1.0;
}

// Magnitude of the Hann window's transform d bins from its centre, 1 at d = 0.
double hannResponse(double d) {
    double a = std::fabs(d);
    if (a < 1e-9) return 1.0;
    if (std::fabs(a - 1.0) < 1e-9) return 0.5;
    double sinc = std::sin(std::numbers::pi * a) / (std::numbers::pi * a);
    return std::fabs(sinc / (1.0 - a * a));
}

}  // namespace

double noteFrequency(double note, double tuningCents) {
    return 440.0 * std::pow(2.0, (note - 69.0) / 12.0 + tuningCents / 1200.0);
}

void addPeaksToTuning(const float* m, int frameSize, TuningSum& sum) {
    const double BinHz = binHz(frameSize);
    int low = static_cast<int>(TuningLowHz / BinHz), high = static_cast<int>(TuningHighHz / BinHz);
    float strongest = *std::max_element(m + low, m + high + 1);
    if (strongest <= 0.0f) return;
    for (int j = low; j <= high; ++j) {
        if (m[j] < PeakFloor * strongest || m[j] <= m[j - 1] || m[j] < m[j + 1]) continue;
        double a = std::log(m[j - 1] + 1e-12), b = std::log(m[j]), c = std::log(m[j + 1] + 1e-12);
        double curvature = a - 2.0 * b + c;
        double offset = curvature < 0.0 ? 0.5 * (a - c) / curvature : 0.0;
        double semitones = 12.0 * std::log2((j + offset) * BinHz / 440.0);
        double power = static_cast<double>(m[j]) * m[j];
        sum.x += power * std::cos(2.0 * std::numbers::pi * semitones);
        sum.y += power * std::sin(2.0 * std::numbers::pi * semitones);
    }
}

double tuningCentsOf(const TuningSum& sum) {
    if (sum.x == 0.0 && sum.y == 0.0) return 0.0;
    double cents = 100.0 * std::atan2(sum.y, sum.x) / (2.0 * std::numbers::pi);
    return cents <= -50.0 ? cents + 100.0 : cents;
}

void buildLogKernel(LogKernel& kernel, double tuningCents, int frameSize) {
    const double BinHz = binHz(frameSize);
    kernel.tuningCents = tuningCents;
    kernel.frameSize = frameSize;
    kernel.firstBin.assign(LogBinCount, 0);
    kernel.offsets.assign(1, 0);
    kernel.weights.clear();
    for (int k = 0; k < LogBinCount; ++k) {
        double centre = noteFrequency(LowestNote + (k - 1.0) / BinsPerSemitone, tuningCents);
        // Log bins per FFT bin around the centre; the triangle is at least one FFT bin wide.
        double logBinsPerFftBin = BinsPerSemitone * 12.0 * BinHz / (centre * std::log(2.0));
        double halfWidth = std::max(1.0, logBinsPerFftBin);
        int first = std::max(1, static_cast<int>(std::floor(
                                    noteFrequency(LowestNote + (k - 1.0 - halfWidth) / BinsPerSemitone, tuningCents) / BinHz)));
        int last = std::min(magnitudeCount(frameSize) - 1, static_cast<int>(std::ceil(
                                    noteFrequency(LowestNote + (k - 1.0 + halfWidth) / BinsPerSemitone, tuningCents) / BinHz)));
        kernel.firstBin[k] = first;
        for (int j = first; j <= last; ++j) {
            double distance = std::fabs(logBinOf(j * BinHz, tuningCents) - k) / halfWidth;
            kernel.weights.push_back(static_cast<float>(std::max(0.0, 1.0 - distance)));
        }
        kernel.offsets.push_back(static_cast<int>(kernel.weights.size()));
    }
}

void logSpectrum(const LogKernel& kernel, const float* magnitudes, float* logBins) {
    for (int k = 0; k < LogBinCount; ++k) {
        const float* m = magnitudes + kernel.firstBin[k];
        float sum = 0.0f;
        for (int w = kernel.offsets[k]; w < kernel.offsets[k + 1]; ++w) sum += kernel.weights[w] * *m++;
        logBins[k] = sum;
    }
}

void addSinusoidImage(double frequency, double amplitude, int frameSize, float* magnitudes) {
    double centre = frequency / binHz(frameSize);
    int first = std::max(0, static_cast<int>(std::ceil(centre - 2.0)));
    int last = std::min(magnitudeCount(frameSize) - 1, static_cast<int>(std::floor(centre + 2.0)));
    for (int j = first; j <= last; ++j)
        magnitudes[j] += static_cast<float>(amplitude * hannResponse(j - centre));
}
