// Test sound: notes as a piano-like tone would sound them (a few harmonics
// that fade upward, an attack and a decay), mixed at a given sample rate.
#pragma once

#include <cmath>
#include <initializer_list>
#include <vector>

// MIDI note numbers sounding together for `seconds`, peak about 0.5.
inline std::vector<float> chordTone(std::initializer_list<int> notes, double seconds, int rate) {
    std::vector<float> samples(static_cast<std::size_t>(seconds * rate));
    for (int note : notes) {
        const double frequency = 440.0 * std::pow(2.0, (note - 69) / 12.0);
        for (std::size_t i = 0; i < samples.size(); ++i) {
            const double t = static_cast<double>(i) / rate;
            const double envelope = std::min(1.0, t / 0.01) * std::exp(-t / 1.5);
            double sound = 0;
            for (int harmonic = 1; harmonic <= 4; ++harmonic)
                sound += std::sin(2 * M_PI * frequency * harmonic * t) / (harmonic * harmonic);
            samples[i] += static_cast<float>(0.5 / notes.size() * envelope * sound);
        }
    }
    return samples;
}
