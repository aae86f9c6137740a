// The front end's stream: resampling, framing with a Hann window centred on
// each frame's time (the first frame at 0 s, half a frame of silence before
// it), the log spectrum, whitening, transcription and chroma.
#include "audio/frontend.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr double RetuneCents = 2.0;  // a followed tuning moves the spectrum when it has moved this far
constexpr int MeterStride = 4;       // the tuning meter looks at every fourth frame

void retune(AudioFrontEnd& f, double cents) {
    buildLogKernel(f.kernel, cents, f.frameSize);
    buildNoteDictionary(f.dictionary, f.kernel);
}

// The tuning meter needs only the peaks below 2 kHz: a shorter kernel does.
constexpr int ZeroCrossings = 8, MeterZeroCrossings = 3;

void startStream(AudioFrontEnd& f, int sampleRate, int zeroCrossings, int frameSize, int hop) {
    startResampler(f.resampler, sampleRate, zeroCrossings);
    f.frameSize = frameSize;
    f.hop = hop;
    f.pending.assign(static_cast<size_t>(frameSize / 2), 0.0f);
    f.framesOut = 0;
    f.samplesIn = 0;
    f.tuningSum = {0.0, 0.0};
    f.transform = planMagnitudes(frameSize);
    f.window.resize(static_cast<size_t>(frameSize));
    for (int i = 0; i < frameSize; ++i)
        f.window[i] = static_cast<float>(0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * (i + 0.5) / frameSize));
    f.windowed.resize(static_cast<size_t>(frameSize));
    f.magnitudes.resize(magnitudeCount(frameSize));
    f.logBins.resize(LogBinCount);
    f.whitened.resize(LogBinCount);
    f.activations.assign(TranscribedNotes, 0.0f);
}

void analyseFrame(AudioFrontEnd& f, const float* samples, std::vector<AudioFrame>& frames) {
    for (int i = 0; i < f.frameSize; ++i) f.windowed[i] = samples[i] * f.window[i];
    magnitudes(f.transform, f.windowed.data(), f.magnitudes.data());
    // Scale so that a full-scale sinusoid peaks near 1 whatever the frame size.
    for (float& m : f.magnitudes) m *= 4.0f / static_cast<float>(f.frameSize);
    addPeaksToTuning(f.magnitudes.data(), f.frameSize, f.tuningSum);
    if (f.tuningOnly) return;
    if (f.following) {
        double cents = tuningCentsOf(f.tuningSum);
        if (std::fabs(cents - f.kernel.tuningCents) >= RetuneCents) retune(f, cents);
    }
    logSpectrum(f.kernel, f.magnitudes.data(), f.logBins.data());
    whiten(f.logBins.data(), f.whitened.data());
    transcribe(f.dictionary, f.whitened.data(), f.activations.data());
    AudioFrame frame{};
    frame.time = static_cast<double>(f.framesOut) * f.hop / AnalysisRate;
    chromaOf(f.activations.data(), frame.treble, frame.bass);
    frame.level = rmsLevel(samples, f.frameSize);
    frames.push_back(frame);
}

// Every frame the pending samples hold, then drops what no later frame needs.
void analysePending(AudioFrontEnd& f, std::vector<AudioFrame>& frames) {
    size_t start = 0;
    while (start + static_cast<size_t>(f.frameSize) <= f.pending.size()) {
        if (!f.tuningOnly || f.framesOut % MeterStride == 0) analyseFrame(f, &f.pending[start], frames);
        ++f.framesOut;
        start += static_cast<size_t>(f.hop);
    }
    f.pending.erase(f.pending.begin(), f.pending.begin() + static_cast<std::ptrdiff_t>(start));
}

}  // namespace

float rmsLevel(const float* samples, int count) {
    double sum = 0.0;
    for (int i = 0; i < count; ++i) sum += static_cast<double>(samples[i]) * samples[i];
    return static_cast<float>(std::sqrt(sum / count));
}

void startFrontEnd(AudioFrontEnd& f, int sampleRate, double tuningCents, int frameSize, int hop) {
    startStream(f, sampleRate, ZeroCrossings, frameSize, hop);
    f.tuningOnly = false;
    f.following = tuningCents == FollowTuning;
    retune(f, f.following ? 0.0 : tuningCents);
}

void startTuningMeter(AudioFrontEnd& f, int sampleRate) {
    startStream(f, sampleRate, MeterZeroCrossings, LongFrameSize, FrameHop);
    f.tuningOnly = true;
    f.following = false;
}

void releaseFrontEnd(AudioFrontEnd& f) { releaseMagnitudes(f.transform); }

void feedFrontEnd(AudioFrontEnd& f, const float* samples, int count, std::vector<AudioFrame>& frames) {
    f.resampled.clear();
    resample(f.resampler, samples, count, f.resampled);
    f.samplesIn += static_cast<int64_t>(f.resampled.size());
    f.pending.insert(f.pending.end(), f.resampled.begin(), f.resampled.end());
    analysePending(f, frames);
}

void finishFrontEnd(AudioFrontEnd& f, std::vector<AudioFrame>& frames) {
    f.resampled.clear();
    flushResampler(f.resampler, f.resampled);
    f.samplesIn += static_cast<int64_t>(f.resampled.size());
    f.pending.insert(f.pending.end(), f.resampled.begin(), f.resampled.end());
    // Frames whose centres lie before the last sample; silence fills their second halves.
    int64_t framesWanted = f.samplesIn == 0 ? 0 : (f.samplesIn - 1) / f.hop + 1;
    analysePending(f, frames);
    while (f.framesOut < framesWanted) {
        f.pending.resize(f.pending.size() + static_cast<size_t>(f.hop), 0.0f);
        analysePending(f, frames);
    }
}

double heardTuning(const AudioFrontEnd& f) { return tuningCentsOf(f.tuningSum); }
