// The form painting, one "Enter" with five notes, and a click on a spike until
// its chord's note-ons reach the synthesizer, on a 1920 x 1080 headless screen.
#include <benchmark/benchmark.h>

#include "midi/sound.h"
#include "platform/headless/headless.h"
#include "shell/application.h"
#include "shell/drawing.h"
#include "shell/form.h"
#include "shell/formproc.h"
#include "shell/state.h"

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

// From formProc receiving the button-up over the Major-on-C spike until it
// returns: the name box drawn, then all notes off and the three note-ons sent
// through midiOutShortMsg, which hands them to FluidSynth at once; so an upper
// bound of the time to the first note-on. The synthesizer is opened here and
// handed over as the background open would.
void clickToNoteOn(benchmark::State& state) {
    openForm();
    HMIDIOUT synthesizer;
    const MMRESULT opened = openSynthesizer(&synthesizer);
    SendMessageA(Form1, SynthesizerOpened, opened, reinterpret_cast<LPARAM>(synthesizer));
    const RECT client = headless::clientRect(Form1);
    const int slotMiddle = static_cast<int>((10.2 + 35 * (89.0 - 10.2) / 131) * 19.2);  // plot x to pixels
    headless::mouseDown(client.left + slotMiddle - 7, client.top + 400);  // the cursor stays there
    headless::runUntilIdle();
    for (auto _ : state) {
        buttonDown = 1;
        formProc(Form1, WM_LBUTTONUP, 0, 0);
        state.PauseTiming();
        if (Sound.sounding.count != 3) state.SkipWithError("the click sounded no chord");
        headless::pullAudio(64);  // the released voices go, as they would while it plays
        state.ResumeTiming();
    }
    closeSound();
    headless::reset();
}
BENCHMARK(clickToNoteOn)->Unit(benchmark::kMicrosecond);

}  // namespace
