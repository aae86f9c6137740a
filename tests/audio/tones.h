// Test sounds made in memory: notes of decaying harmonics (a plucked string,
// roughly), mixed and written as WAV bytes of any sample format.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "piece/timeline.h"

struct TestNote {
    double frequency, start, length;
};

// Mono samples at `rate`, each note of 6 harmonics at 0.6^(h-1), fading.
inline std::vector<float> renderNotes(const std::vector<TestNote>& notes, int rate, double seconds, int harmonics = 6) {
    std::vector<float> out(static_cast<size_t>(seconds * rate), 0.0f);
    for (const TestNote& note : notes) {
        for (size_t i = static_cast<size_t>(note.start * rate); i < out.size() && i < (note.start + note.length) * rate; ++i) {
            double t = i / static_cast<double>(rate) - note.start;
            double amplitude = 0.08 * std::exp(-1.5 * t), sum = 0.0;
            for (int h = 1; h <= harmonics; ++h)
                sum += std::pow(0.6, h - 1) * std::sin(2.0 * M_PI * note.frequency * h * t);
            out[i] += static_cast<float>(amplitude * sum);
        }
    }
    return out;
}

// The symbols of a piece's chords, "N" left out.
inline std::vector<std::string> chordSymbols(const Piece& piece) {
    std::vector<std::string> named;
    for (const PieceSegment& segment : piece.segments)
        if (segment.name.named) named.push_back(segment.name.symbol);
    return named;
}

inline double midiFrequency(int note) { return 440.0 * std::pow(2.0, (note - 69) / 12.0); }

// A WAV file of `channels` copies of the samples: 16 or 24-bit integer, or 32-bit float (format 3).
inline std::string wavBytes(const std::vector<float>& mono, int rate, int channels, int bits, bool isFloat) {
    auto le = [](std::string& s, uint64_t v, int n) {
        for (int i = 0; i < n; ++i) s += static_cast<char>(v >> (8 * i) & 0xFF);
    };
    std::string data;
    for (float x : mono)
        for (int c = 0; c < channels; ++c) {
            if (isFloat) {
                uint32_t bitsOf;
                std::memcpy(&bitsOf, &x, 4);
                le(data, bitsOf, 4);
            } else {
                le(data, static_cast<uint64_t>(std::llround(x * static_cast<double>((int64_t{1} << (bits - 1)) - 1))), bits / 8);
            }
        }
    std::string out = "RIFF";
    le(out, 36 + data.size(), 4);
    out += "WAVEfmt ";
    le(out, 16, 4);
    le(out, isFloat ? 3 : 1, 2);
    le(out, static_cast<uint64_t>(channels), 2);
    le(out, static_cast<uint64_t>(rate), 4);
    le(out, static_cast<uint64_t>(rate) * channels * bits / 8, 4);
    le(out, static_cast<uint64_t>(channels * bits / 8), 2);
    le(out, static_cast<uint64_t>(bits), 2);
    out += "data";
    le(out, data.size(), 4);
    return out + data;
}
