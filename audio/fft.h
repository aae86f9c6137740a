// The magnitude spectrum of one analysis frame. Two builds of the same
// interface: FFTW3 on Linux, Eigen's header-only FFT where FFTW is not
// available (the Windows program); CMake links one of them.
#pragma once

#include <vector>

// One transform size, planned once; what a plan needs lives behind `plan`.
struct MagnitudeTransform {
    int size;                 // samples in, size / 2 + 1 magnitudes out
    void* plan;               // the library's own state
};

MagnitudeTransform planMagnitudes(int size);
void releaseMagnitudes(MagnitudeTransform& transform);

// |X[k]| for k = 0 .. size / 2 of the `size` samples (already windowed).
void magnitudes(MagnitudeTransform& transform, const float* samples, float* magnitudesOut);
