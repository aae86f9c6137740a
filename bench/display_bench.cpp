// The form painting, one "Enter" with five notes, one chord played in, and a
// click on a spike until its chord's note-ons reach the synthesizer, on a
// 1920 x 1080 headless screen.
#include <benchmark/benchmark.h>

#include <cstring>
#include <initializer_list>

#include "bench/headless_form.h"
#include "midi/held_notes.h"
#include "midi/sound.h"
#include "platform/headless/headless.h"
#include "shell/application.h"
#include "shell/drawing.h"
#include "shell/form.h"
#include "shell/formproc.h"
#include "shell/keyboard_input.h"
#include "shell/state.h"
#include "shell/window_ids.h"

namespace {

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

void keys(std::initializer_list<unsigned char> numbers, unsigned char status) {
    for (unsigned char key : numbers) headless::sendMidi("Keys", {status, key, 90});
    headless::runUntilIdle();
}

// From the chord's last note-on reaching the platform (as a device's thread
// hands it over) to the last spike drawn. The settle time passes on the
// virtual clock, which costs nothing: the figure is what comes on top of the
// 30 ms that the program waits for a hand to settle. C E G and E G C take
// turns, each a new chord, released between the turns outside the timing.
void playChordIn(benchmark::State& state) {
    headless::reset();
    headless::setMidiDevices({"Keys"});
    headless::setScreen(1920, 1080);
    prepareApplication(GetModuleHandleA(nullptr));
    loadForm();
    startWatchingKeyboards();
    headless::advanceClock(FirstScanDelay);
    constexpr unsigned char noteOn = 0x90, noteOff = 0x80;
    const unsigned char chords[2][3] = {{60, 64, 67}, {64, 67, 72}};
    const char* entered[2] = {"  C  E  G  ", "  E  G  C  "};  // the echoes
    for (int turn = 0; auto _ : state) {
        state.PauseTiming();
        const unsigned char* chord = chords[turn % 2];
        keys({chord[0], chord[1]}, noteOn);
        state.ResumeTiming();
        keys({chord[2]}, noteOn);
        headless::advanceClock(ChordSettleTime);
        state.PauseTiming();
        if (std::strcmp(Analysis.echo, entered[turn++ % 2]) != 0) state.SkipWithError("the chord was not taken in");
        keys({chord[0], chord[1], chord[2]}, noteOff);
        headless::advanceClock(ReleaseSettleTime);
        state.ResumeTiming();
    }
    headless::reset();
}
BENCHMARK(playChordIn)->Unit(benchmark::kMicrosecond);
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
