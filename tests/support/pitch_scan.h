// Which pitches a recording holds: the level of every semitone from C2 to B6,
// each measured with a Goertzel filter at its fundamental, for the sound tests.
#pragma once

#include <string>
#include <vector>

inline constexpr int ScanLowKey = 36;   // C2
inline constexpr int ScanHighKey = 95;  // B6

struct PitchScan {
    double level[ScanHighKey - ScanLowKey + 1];  // dB below the loudest semitone (0 for it)

    double at(int key) const { return level[key - ScanLowKey]; }
};

// Scans frames [first, first + count) of stereo interleaved samples at the
// given rate, left and right mixed.
PitchScan scanPitches(const std::vector<float>& interleaved, int rate, int first, int count);

// What is wrong with the scan for a chord of these keys, or "" when nothing:
// every key within 30 dB of the loudest semitone, and no other semitone that
// close unless it is a harmonic of one of the keys.
std::string chordProblems(const PitchScan& scan, const std::vector<int>& keys);

// The loudest level in frames [first, first + count), in dB of full scale.
double peakDecibels(const std::vector<float>& interleaved, int first, int count);
