// Peak resident memory (VmHWM) of the whole program on a 1920 x 1080 headless
// screen: after start-up, and after 1,000 entries typed and entered through
// its own message loop; then after 1,000 and after 10,000 chords played in.
// Growth between the two would be a leak per entry or per chord.
#include <benchmark/benchmark.h>

#include "midi/held_notes.h"
#include "platform/headless/headless.h"
#include "shell/application.h"
#include "shell/form.h"
#include "shell/keyboard_input.h"

#include <functional>
#include <string>
#include <vector>

#include "peak_memory.h"

namespace {

constexpr int EntryCount = 1000;

// Entry i: three to five notes, different from its neighbours.
std::string entryNumber(int i) {
    const char* names[] = {"c", "c#", "d", "e%", "e", "f", "f#", "g", "a%", "a", "b%", "b"};
    std::string entry;
    for (int note = 0; note < 3 + i % 3; ++note)
        entry += std::string(names[(i * 7 + note * 5) % 12]) + " ";
    return entry;
}

void peakMemoryAfterEntries(benchmark::State& state) {
    for (auto _ : state) {
        headless::reset();
        headless::setScreen(1920, 1080);
        double afterStart = 0;
        int entered = 0;
        std::function<void()> step = [&] {
            if (entered == 0) afterStart = peakResidentMiB();
            if (entered == EntryCount) {
                PostMessageA(Form1, WM_COMMAND, 200, 0);
                return;
            }
            SetWindowTextA(NoteEntryField, entryNumber(entered++).c_str());
            headless::clickButton(EnterButton);
            headless::whenIdle(step);
        };
        headless::whenIdle(step);
        if (runApplication(GetModuleHandleA(nullptr)) != 0 || entered != EntryCount)
            state.SkipWithError("the program did not take every entry");
        state.counters["peak_MiB_after_start"] = afterStart;
        state.counters["peak_MiB_after_1000_entries"] = peakResidentMiB();
        headless::reset();
    }
}
// One run: the peak only grows, so a repetition would measure the one before.
BENCHMARK(peakMemoryAfterEntries)->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond);

constexpr int ChordCount = 10000;

// Chord i: three to five keys from C3 up, different from its neighbours.
std::vector<unsigned char> chordNumber(int i) {
    std::vector<unsigned char> keys;
    for (int note = 0; note < 3 + i % 3; ++note)
        keys.push_back(static_cast<unsigned char>(48 + (i * 7 + note * 5) % 24));
    return keys;
}

void play(const std::vector<unsigned char>& keys, unsigned char status, unsigned settle) {
    for (unsigned char key : keys) headless::sendMidi("Keys", {status, key, 90});
    headless::runUntilIdle();
    headless::advanceClock(settle);
}

// All chords in one step of the loop: a step each would grow the screen's
// list of steps, which is the benchmark's and not the program's.
void peakMemoryAfterChordsPlayedIn(benchmark::State& state) {
    for (auto _ : state) {
        headless::reset();
        headless::setScreen(1920, 1080);
        headless::setMidiDevices({"Keys"});
        double afterStart = 0, afterThousand = 0;
        int takenIn = 0;
        headless::whenIdle([&] {
            headless::advanceClock(FirstScanDelay);
            afterStart = peakResidentMiB();
            std::string last;
            for (int played = 0; played < ChordCount; ++played) {
                if (played == 1000) afterThousand = peakResidentMiB();
                const std::vector<unsigned char> chord = chordNumber(played);
                play(chord, 0x90, ChordSettleTime);
                takenIn += last != Analysis.echo;  // no two chords in a row are alike
                last = Analysis.echo;
                play(chord, 0x80, ReleaseSettleTime);
            }
            PostMessageA(Form1, WM_COMMAND, 200, 0);
        });
        if (runApplication(GetModuleHandleA(nullptr)) != 0 || takenIn != ChordCount)
            state.SkipWithError("the program did not take every chord");
        state.counters["peak_MiB_after_start"] = afterStart;
        state.counters["peak_MiB_after_1000_chords"] = afterThousand;
        state.counters["peak_MiB_after_10000_chords"] = peakResidentMiB();
        headless::reset();
    }
}
BENCHMARK(peakMemoryAfterChordsPlayedIn)->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond);

}  // namespace
