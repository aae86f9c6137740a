// The magnitude spectrum over FFTW3's real-to-complex transform in single
// precision (the Linux build). The plan is measured once per size.
#include "audio/fft.h"

#include <cmath>
#include <fftw3.h>

namespace {

struct FftwPlan {
    float* in;
    fftwf_complex* out;
    fftwf_plan plan;
};

}  // namespace

MagnitudeTransform planMagnitudes(int size) {
    auto* state = new FftwPlan;
    state->in = fftwf_alloc_real(size);
    state->out = fftwf_alloc_complex(size / 2 + 1);
    state->plan = fftwf_plan_dft_r2c_1d(size, state->in, state->out, FFTW_ESTIMATE);
    return {size, state};
}

void releaseMagnitudes(MagnitudeTransform& transform) {
    auto* state = static_cast<FftwPlan*>(transform.plan);
    if (state == nullptr) return;
    fftwf_destroy_plan(state->plan);
    fftwf_free(state->in);
    fftwf_free(state->out);
    delete state;
    transform.plan = nullptr;
}

void magnitudes(MagnitudeTransform& transform, const float* samples, float* magnitudesOut) {
    auto* state = static_cast<FftwPlan*>(transform.plan);
    for (int i = 0; i < transform.size; ++i) state->in[i] = samples[i];
    fftwf_execute(state->plan);
    for (int k = 0; k <= transform.size / 2; ++k)
        magnitudesOut[k] = std::sqrt(state->out[k][0] * state->out[k][0] + state->out[k][1] * state->out[k][1]);
}
