// The magnitude spectrum over Eigen's header-only FFT (its KissFFT core), for
// builds without FFTW: the Windows program.
#include "audio/fft.h"

#include <complex>
#include <unsupported/Eigen/FFT>

namespace {

struct EigenPlan {
    Eigen::FFT<float> fft;
    std::vector<float> in;
    std::vector<std::complex<float>> out;
};

}  // namespace

MagnitudeTransform planMagnitudes(int size) {
    auto* state = new EigenPlan;
    state->fft.SetFlag(Eigen::FFT<float>::HalfSpectrum);
    state->in.resize(size);
    state->out.resize(size / 2 + 1);
    return {size, state};
}

void releaseMagnitudes(MagnitudeTransform& transform) {
    delete static_cast<EigenPlan*>(transform.plan);
    transform.plan = nullptr;
}

void magnitudes(MagnitudeTransform& transform, const float* samples, float* magnitudesOut) {
    auto* state = static_cast<EigenPlan*>(transform.plan);
    state->in.assign(samples, samples + transform.size);
    state->fft.fwd(state->out, state->in);
    for (int k = 0; k <= transform.size / 2; ++k) magnitudesOut[k] = std::abs(state->out[k]);
}
