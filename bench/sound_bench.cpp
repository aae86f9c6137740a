// The sound's costs on the headless synthesizer: opening it (the soundfont
// loads), sounding a chord through the MIDI calls, and rendering one second of
// it, against one second of silence as the baseline (reverb and chorus run
// either way).
#include "midi/sound.h"
#include "platform/headless/headless.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int Second = headless::AudioRate;

void OpenAndCloseTheSynthesizer(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(openSynthesizer(&Sound.synthesizer));
        closeSound();
    }
}
BENCHMARK(OpenAndCloseTheSynthesizer)->Unit(benchmark::kMillisecond);

// All notes off, then three note-ons: what "Enter" sends.
void SoundAChord(benchmark::State& state) {
    openSynthesizer(&Sound.synthesizer);
    const Voicing chord = voiceEntry(parseEntry("c e g"));
    for (auto _ : state) {
        soundVoicing(chord);
        headless::pullAudio(64);  // lets the synthesizer take the events in
    }
    closeSound();
}
BENCHMARK(SoundAChord)->Unit(benchmark::kMicrosecond);

void RenderOneSecond(benchmark::State& state, const char* entry) {
    openSynthesizer(&Sound.synthesizer);
    for (auto _ : state) {
        state.PauseTiming();
        soundVoicing(voiceEntry(parseEntry(entry)));
        state.ResumeTiming();
        benchmark::DoNotOptimize(headless::pullAudio(Second));
    }
    closeSound();
}
BENCHMARK_CAPTURE(RenderOneSecond, silence, "")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RenderOneSecond, c_e_g, "c e g")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RenderOneSecond, c_e_g_b_d, "c e g b d")->Unit(benchmark::kMillisecond);

}  // namespace
