// The pitch scan: Goertzel filters over a Hann window, one per semitone.
#include "tests/support/pitch_scan.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>

namespace {

constexpr double LoudWithin = 30.0;  // dB below the loudest semitone

double keyFrequency(int key) { return 440.0 * std::pow(2.0, (key - 69) / 12.0); }

double goertzelPower(const std::vector<double>& block, double frequency, int rate) {
    const double coefficient = 2.0 * std::cos(2.0 * std::numbers::pi * frequency / rate);
    double previous = 0.0, beforePrevious = 0.0;
    for (double sample : block) {
        const double current = sample + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    return previous * previous + beforePrevious * beforePrevious - coefficient * previous * beforePrevious;
}

// The keys that the second to eighth harmonics of a key land nearest to.
bool isHarmonicOf(int key, int fundamental) {
    for (int harmonic = 2; harmonic <= 8; ++harmonic)
        if (key == fundamental + static_cast<int>(std::lround(12.0 * std::log2(harmonic)))) return true;
    return false;
}

}  // namespace

PitchScan scanPitches(const std::vector<float>& interleaved, int rate, int first, int count) {
    std::vector<double> block(count);
    for (int i = 0; i < count; ++i) {
        const double hann = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * i / (count - 1));
        const std::size_t frame = 2 * static_cast<std::size_t>(first + i);
        block[i] = hann * 0.5 * (interleaved.at(frame) + interleaved.at(frame + 1));
    }
    PitchScan scan{};
    double loudest = -1e300;
    for (int key = ScanLowKey; key <= ScanHighKey; ++key) {
        const double power = goertzelPower(block, keyFrequency(key), rate);
        scan.level[key - ScanLowKey] = 10.0 * std::log10(power + 1e-30);
        loudest = std::max(loudest, scan.level[key - ScanLowKey]);
    }
    for (double& level : scan.level) level -= loudest;
    return scan;
}

std::string chordProblems(const PitchScan& scan, const std::vector<int>& keys) {
    std::ostringstream problems;
    for (int key = ScanLowKey; key <= ScanHighKey; ++key) {
        const bool inChord = std::find(keys.begin(), keys.end(), key) != keys.end();
        const bool loud = scan.at(key) > -LoudWithin;
        const bool harmonic = std::any_of(keys.begin(), keys.end(), [&](int k) { return isHarmonicOf(key, k); });
        if (inChord && !loud) problems << "key " << key << " is missing (" << scan.at(key) << " dB); ";
        if (!inChord && loud && !harmonic) problems << "key " << key << " sounds (" << scan.at(key) << " dB); ";
    }
    return problems.str();
}

double peakDecibels(const std::vector<float>& interleaved, int first, int count) {
    float peak = 0.0f;
    for (std::size_t i = 2 * static_cast<std::size_t>(first); i < 2 * static_cast<std::size_t>(first + count); ++i)
        peak = std::max(peak, std::abs(interleaved.at(i)));
    return 20.0 * std::log10(peak + 1e-30);
}
