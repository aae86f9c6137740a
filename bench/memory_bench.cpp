// Peak resident memory (VmHWM) of the whole program on a 1920 x 1080 headless
// screen: after start-up, and after 1,000 entries typed and entered through
// its own message loop. Growth between the two would be a leak per entry.
#include <benchmark/benchmark.h>

#include "platform/headless/headless.h"
#include "shell/application.h"
#include "shell/form.h"

#include <functional>
#include <string>

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

}  // namespace
