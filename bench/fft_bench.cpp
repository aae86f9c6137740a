// The two FFTs the front end can run over: one frame's magnitudes (4096
// samples, the front end's frame) with FFTW3 (the Linux build) and with
// Eigen's header-only FFT (the Windows build).
#include <benchmark/benchmark.h>

#include <cmath>
#include <complex>
#include <fftw3.h>
#include <unsupported/Eigen/FFT>
#include <vector>

namespace {

constexpr int Size = 4096;

std::vector<float> frame() {
    std::vector<float> x(Size);
    for (int i = 0; i < Size; ++i) x[i] = static_cast<float>(std::sin(0.05 * i) + 0.3 * std::sin(0.71 * i));
    return x;
}

void Fftw(benchmark::State& state) {
    std::vector<float> x = frame(), m(Size / 2 + 1);
    float* in = fftwf_alloc_real(Size);
    fftwf_complex* out = fftwf_alloc_complex(Size / 2 + 1);
    fftwf_plan plan = fftwf_plan_dft_r2c_1d(Size, in, out, FFTW_ESTIMATE);
    for (auto _ : state) {
        std::copy(x.begin(), x.end(), in);
        fftwf_execute(plan);
        for (int k = 0; k <= Size / 2; ++k) m[k] = std::sqrt(out[k][0] * out[k][0] + out[k][1] * out[k][1]);
        benchmark::DoNotOptimize(m.data());
    }
    fftwf_destroy_plan(plan);
    fftwf_free(in);
    fftwf_free(out);
}
BENCHMARK(Fftw);

void EigenFft(benchmark::State& state) {
    std::vector<float> x = frame(), m(Size / 2 + 1);
    std::vector<std::complex<float>> out(Size / 2 + 1);
    Eigen::FFT<float> fft;
    fft.SetFlag(Eigen::FFT<float>::HalfSpectrum);
    for (auto _ : state) {
        fft.fwd(out, x);
        for (int k = 0; k <= Size / 2; ++k) m[k] = std::abs(out[k]);
        benchmark::DoNotOptimize(m.data());
    }
}
BENCHMARK(EigenFft);

}  // namespace
