// From a frame's FFT magnitudes to what the transcription reads: the
// tuning heard in its peaks, and a log-frequency spectrum of three bins per
// semitone from a third below A0 to a third above C8, centred on the tuning.
#pragma once

#include <vector>

#include "audio/resample.h"

inline constexpr int FileFrameSize = 4096;            // 0.37 s at the analysis rate: a file's frames
inline constexpr int LiveFrameSize = 2048;            // 0.19 s: half the wait for a live input's change
inline constexpr int FrameHop = 512;                  // 46 ms between frames, whatever their size

constexpr int magnitudeCount(int frameSize) { return frameSize / 2 + 1; }
inline constexpr int BinsPerSemitone = 3;
inline constexpr int LowestNote = 21;                 // A0, as a MIDI note number
inline constexpr int HighestNote = 108;               // C8
inline constexpr int LogBinCount = BinsPerSemitone * (HighestNote - LowestNote + 1);

// Bin k of the log spectrum lies 1/3 semitone above bin k - 1; note n's centre is bin
// BinsPerSemitone * (n - LowestNote) + 1.
constexpr int centreBinOf(int note) { return BinsPerSemitone * (note - LowestNote) + 1; }

// The frequency of a MIDI note (fractional for between bins) at a tuning in cents from A = 440 Hz.
double noteFrequency(double note, double tuningCents);

// What the peaks of the frames so far say about the tuning: a circular mean of
// each peak's distance from equal temperament, weighted by its power.
struct TuningSum {
    double x, y;
};

void addPeaksToTuning(const float* magnitudes, int frameSize, TuningSum& sum);

// The tuning in cents from A = 440 Hz, in (-50, 50]; 0 with nothing heard.
double tuningCentsOf(const TuningSum& sum);

// For every log bin, the FFT bins that feed it and their weights: linear
// interpolation where the FFT's bins are wider than a log bin (the bass), a
// triangle one log bin wide summing the FFT bins where they are narrower.
struct LogKernel {
    double tuningCents;
    int frameSize;
    std::vector<int> firstBin;        // per log bin
    std::vector<int> offsets;         // per log bin, into weights; LogBinCount + 1 entries
    std::vector<float> weights;
};

void buildLogKernel(LogKernel& kernel, double tuningCents, int frameSize);
void logSpectrum(const LogKernel& kernel, const float* magnitudes, float* logBins);

// The FFT magnitudes that a sinusoid of the given frequency and amplitude
// leaves in a Hann-windowed frame, added to `magnitudes`: its main lobe.
void addSinusoidImage(double frequency, double amplitude, int frameSize, float* magnitudes);
