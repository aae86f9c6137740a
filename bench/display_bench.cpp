// The form painting and one "Enter" with five notes on a 1920 x 1080 headless screen.
#include <benchmark/benchmark.h>

#include "platform/headless/headless.h"
#include "shell/application.h"
#include "shell/drawing.h"
#include "shell/form.h"
#include "shell/formproc.h"

namespace {

void openForm() {
    headless::reset();
    headless::setScreen(1920, 1080);
    prepareApplication(GetModuleHandleA(nullptr));
    loadForm();
    headless::runUntilIdle();
}

void paintTheForm(benchmark::State& state) {
    openForm();
    for (auto _ : state)
        paintform();
    headless::reset();
}
BENCHMARK(paintTheForm)->Unit(benchmark::kMicrosecond);

// From formProc receiving command 101 to the last spike (and the prompt after it).
void enterFiveNotes(benchmark::State& state) {
    openForm();
    for (auto _ : state) {
        state.PauseTiming();
        SetWindowTextA(NoteEntryField, "c e g b% d");
        state.ResumeTiming();
        formProc(Form1, WM_COMMAND, 101, 0);
    }
    headless::reset();
}
BENCHMARK(enterFiveNotes)->Unit(benchmark::kMicrosecond);

}  // namespace
