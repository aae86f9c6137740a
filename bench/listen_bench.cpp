// Listening: the program's side of live audio on the headless screen, with a
// scripted microphone fed in the buffers' rhythm.
//   BM_HearOneSecond: processor time to hear one second of input (22,050
//     samples in 512-sample buffers through MM_WIM_DATA, the front end, the
//     decoder and the stability rule, the spikes drawn at each change); as a
//     share of one core it is the listening's CPU load.
//   BM_ChordChangeToSpikes: C E G for 2 s, then A C E: counter latency_ms is
//     the input's time from the change to the buffer whose MM_WIM_DATA drew
//     A minor's spikes, one buffer (23 ms) included.
//   BM_TenMinutesListening: counters MiB_after_1min and MiB_after_10min,
//     peak resident memory after one and after ten minutes of chords heard.
#include "listening/audio_input.h"
#include "listening/listen_watch.h"
#include "peak_memory.h"
#include "platform/headless/headless.h"
#include "shell/application.h"
#include "shell/audio_listening.h"
#include "shell/form.h"
#include "tests/audio/tones.h"
#include "tests/support/window_text.h"

#include <benchmark/benchmark.h>

namespace {

// Notes (MIDI numbers) sounding together from the start, as plucked strings.
std::vector<float> chordTone(std::initializer_list<int> notes, double seconds, int rate) {
    std::vector<TestNote> struck;
    for (int note : notes) struck.push_back({midiFrequency(note), 0.0, seconds});
    return renderNotes(struck, rate, seconds);
}

void startProgram() {
    headless::reset();
    headless::setAudioDevices({"Microphone"}, {});
    prepareApplication(GetModuleHandleA(nullptr));
    loadForm();
    startListening();
    headless::advanceClock(FirstAudioScanDelay);
    headless::clickButton(ListenBox);
    headless::runUntilIdle();
}

// Feeds the samples buffer by buffer; returns the sample count at which the
// chord field first reads `name`, or -1.
long feed(const std::vector<float>& samples, const char* name = nullptr) {
    for (std::size_t at = 0; at < samples.size(); at += ListenBufferFrames) {
        const std::size_t end = std::min(samples.size(), at + ListenBufferFrames);
        headless::feedAudio("Microphone", std::vector<float>(samples.begin() + static_cast<long>(at),
                                                             samples.begin() + static_cast<long>(end)));
        headless::runUntilIdle();
        if (name && textOf(ChordField) == name) return static_cast<long>(end);
    }
    return -1;
}

const std::vector<float>& cMajor() {
    static const std::vector<float> tone = chordTone({60, 64, 67}, 2.0, ListenRate);
    return tone;
}
const std::vector<float>& aMinor() {
    static const std::vector<float> tone = chordTone({57, 72, 76}, 2.0, ListenRate);
    return tone;
}

void BM_HearOneSecond(benchmark::State& state) {
    startProgram();
    std::vector<float> second(cMajor().begin(), cMajor().begin() + ListenRate);
    second.insert(second.end(), aMinor().begin(), aMinor().begin() + ListenRate);
    for (auto _ : state) feed(second);
    state.SetItemsProcessed(state.iterations() * 2);  // seconds of input
    headless::reset();
}
BENCHMARK(BM_HearOneSecond)->Unit(benchmark::kMillisecond);

void BM_ChordChangeToSpikes(benchmark::State& state) {
    long heardAt = -1;
    for (auto _ : state) {
        state.PauseTiming();
        startProgram();
        feed(cMajor());
        state.ResumeTiming();
        heardAt = feed(aMinor(), "A Minor");
    }
    state.counters["latency_ms"] = heardAt < 0 ? -1.0 : 1000.0 * static_cast<double>(heardAt) / ListenRate;
    headless::reset();
}
BENCHMARK(BM_ChordChangeToSpikes)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_TenMinutesListening(benchmark::State& state) {
    for (auto _ : state) {
        startProgram();
        double afterOneMinute = 0;
        for (int seconds = 0; seconds < 600; seconds += 4) {
            feed(cMajor());
            feed(aMinor());
            if (seconds == 60) afterOneMinute = peakResidentMiB();
        }
        state.counters["MiB_after_1min"] = afterOneMinute;
        state.counters["MiB_after_10min"] = peakResidentMiB();
    }
    headless::reset();
}
BENCHMARK(BM_TenMinutesListening)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
