// The transcription: profiles of 20 harmonics with amplitudes 0.7^(h-1),
// drawn through the same log kernel as the music, so that the FFT's coarse
// resolution in the bass smears a profile as it smears a note; the least
// squares solved by coordinate descent on the profiles' Gram matrix.
#include "audio/transcription.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int Harmonics = 20;
constexpr double HarmonicDecay = 0.7;
constexpr int WhiteningReach = 18;  // bins either side: an octave in all
constexpr double SpreadFloor = 0.1;  // of the whole spectrum's RMS: where nearly nothing sounds, nothing is raised
constexpr int DescentSweeps = 8;

// How much note n counts in the treble and in the bass chroma: the treble
// from about G2 upward, the bass from E1 to about C4, both tapered at their ends.
float trebleWeight(int note) {
    if (note < 40) return 0.0f;
    if (note < 48) return (note - 39) / 9.0f;
    if (note <= 84) return 1.0f;
    return std::max(0.0f, 1.0f - (note - 84) / 12.0f);
}

float bassWeight(int note) {
    if (note < 28) return (note - 20) / 8.0f;
    if (note <= 50) return 1.0f;
    return std::max(0.0f, 1.0f - (note - 50) / 10.0f);
}

}  // namespace

void buildNoteDictionary(NoteDictionary& d, const LogKernel& kernel) {
    d.tuningCents = kernel.tuningCents;
    d.profiles.assign(static_cast<size_t>(TranscribedNotes) * LogBinCount, 0.0f);
    std::vector<float> image(magnitudeCount(kernel.frameSize));
    double nyquist = 0.5 * AnalysisRate;
    for (int n = 0; n < TranscribedNotes; ++n) {
        std::fill(image.begin(), image.end(), 0.0f);
        double fundamental = noteFrequency(LowestNote + n, kernel.tuningCents);
        double amplitude = 1.0;
        for (int h = 1; h <= Harmonics && fundamental * h < 0.95 * nyquist; ++h) {
            addSinusoidImage(fundamental * h, amplitude, kernel.frameSize, image.data());
            amplitude *= HarmonicDecay;
        }
        float* profile = &d.profiles[static_cast<size_t>(n) * LogBinCount];
        logSpectrum(kernel, image.data(), profile);
        float norm = 0.0f;
        for (int k = 0; k < LogBinCount; ++k) norm += profile[k] * profile[k];
        norm = std::sqrt(norm);
        for (int k = 0; k < LogBinCount; ++k) profile[k] /= norm;
    }
    d.gram.assign(static_cast<size_t>(TranscribedNotes) * TranscribedNotes, 0.0f);
    for (int a = 0; a < TranscribedNotes; ++a)
        for (int b = 0; b < TranscribedNotes; ++b) {
            const float* pa = &d.profiles[static_cast<size_t>(a) * LogBinCount];
            const float* pb = &d.profiles[static_cast<size_t>(b) * LogBinCount];
            float dot = 0.0f;
            for (int k = 0; k < LogBinCount; ++k) dot += pa[k] * pb[k];
            d.gram[static_cast<size_t>(a) * TranscribedNotes + b] = dot;
        }
}

void whiten(const float* s, float* out) {
    // Running sums over the window, for the mean and the mean square.
    double sum[LogBinCount + 1] = {}, squares[LogBinCount + 1] = {};
    for (int k = 0; k < LogBinCount; ++k) {
        sum[k + 1] = sum[k] + s[k];
        squares[k + 1] = squares[k] + static_cast<double>(s[k]) * s[k];
    }
    double floor = SpreadFloor * std::sqrt(squares[LogBinCount] / LogBinCount);
    for (int k = 0; k < LogBinCount; ++k) {
        int low = std::max(0, k - WhiteningReach), high = std::min(LogBinCount, k + WhiteningReach + 1);
        double count = high - low;
        double mean = (sum[high] - sum[low]) / count;
        double variance = (squares[high] - squares[low]) / count - mean * mean;
        double spread = std::max(std::sqrt(std::max(variance, 0.0)), floor);
        out[k] = s[k] > mean && spread > 0.0 ? static_cast<float>((s[k] - mean) / spread) : 0.0f;
    }
}

void transcribe(const NoteDictionary& d, const float* y, float* x) {
    // The gradient of |Ax - y|^2 / 2 is Gx - A'y; kept up to date as x moves.
    float gradient[TranscribedNotes];
    for (int n = 0; n < TranscribedNotes; ++n) {
        const float* profile = &d.profiles[static_cast<size_t>(n) * LogBinCount];
        float dot = 0.0f;
        for (int k = 0; k < LogBinCount; ++k) dot += profile[k] * y[k];
        gradient[n] = -dot;
    }
    for (int n = 0; n < TranscribedNotes; ++n) {
        if (x[n] == 0.0f) continue;
        const float* column = &d.gram[static_cast<size_t>(n) * TranscribedNotes];
        for (int m = 0; m < TranscribedNotes; ++m) gradient[m] += column[m] * x[n];
    }
    for (int sweep = 0; sweep < DescentSweeps; ++sweep) {
        for (int n = 0; n < TranscribedNotes; ++n) {
            const float* column = &d.gram[static_cast<size_t>(n) * TranscribedNotes];
            float moved = std::max(0.0f, x[n] - gradient[n] / column[n]);
            float step = moved - x[n];
            if (step == 0.0f) continue;
            x[n] = moved;
            for (int m = 0; m < TranscribedNotes; ++m) gradient[m] += column[m] * step;
        }
    }
}

void chromaOf(const float* x, float (&treble)[PitchClassCount], float (&bass)[PitchClassCount]) {
    std::fill(std::begin(treble), std::end(treble), 0.0f);
    std::fill(std::begin(bass), std::end(bass), 0.0f);
    for (int n = 0; n < TranscribedNotes; ++n) {
        int note = LowestNote + n;
        treble[note % PitchClassCount] += x[n] * trebleWeight(note);
        bass[note % PitchClassCount] += x[n] * bassWeight(note);
    }
}
